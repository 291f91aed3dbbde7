// The order confirmation window: the order's summary in a fixed-pitch text and the question
// whether to send it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv::basket {

class TONAYSIP : public QDialog {
    Q_OBJECT
  public:
    explicit TONAYSIP(QWidget* owner);

    struct Ozet {
        QString kullanici, cari, teslim, kargoTuru, tutar, kargo, aciklama;
    };
    // The seven lines, labels padded so that the values line up.
    static QString ozetMetni(const Ozet& o);

    QLabel* Label2;
    QLabel* soru;
    QPushButton* evet;
    QPushButton* hayir;

  protected:
    void showEvent(QShowEvent* e) override;
};

}  // namespace kv::basket
