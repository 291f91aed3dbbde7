// Changing an order line's unit price and discount rate; shows the net and VAT-inclusive
// prices while the user types. The caller reads the values on OK and sends them itself.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv::platform {
class AmountEdit;
}

namespace kv::basket {

class Tfiyatdegistir : public QDialog {
    Q_OBJECT
  public:
    explicit Tfiyatdegistir(QWidget* owner);

    void Hesapla();

    platform::AmountEdit* _fiyat;
    platform::AmountEdit* _iskonto;
    QLabel* LBLNET;
    QLabel* LABELKDV;
    QPushButton* degistir;
    QPushButton* vazgec;

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};

}  // namespace kv::basket
