// Changing the remaining quantity of an order line: shows the line's codes and its ordered,
// delivered and remaining quantities and takes the new remaining quantity.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace kv::basket {

class Tbakiyedegistir : public QDialog {
    Q_OBJECT
  public:
    explicit Tbakiyedegistir(QWidget* owner);

    QLabel* barkod;
    QLabel* adi;
    QLabel* finishkod;
    QLabel* marka;
    QLabel* model;
    QLabel* alinansiparis;
    QLabel* teslimedilen;
    QLabel* elimizdeBaslik;
    QLabel* elimizde;
    QLabel* eskibakiye;
    QSpinBox* adet;
    QPushButton* degistir;
    QPushButton* vazgec;

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};

}  // namespace kv::basket
