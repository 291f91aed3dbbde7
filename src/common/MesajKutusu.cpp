#include "common/MesajKutusu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QScreen>

#include "platform/BackgroundCall.h"
#include "platform/Fonts.h"
#include "platform/SystemInfo.h"

namespace kv::common {

namespace {

int& fontPixelSize() {
    static int px = 0;
    return px;
}

struct ButtonInfo {
    QMessageBox::StandardButton button;
    const char* caption;
    int focusCode;
    int result;
};
constexpr ButtonInfo kButtons[] = {
    {QMessageBox::Yes, "Evet", 0, 6},
    {QMessageBox::No, "Hayır", 1, 7},
    {QMessageBox::Ok, "Tamam", 2, 1},
    {QMessageBox::Cancel, "Vazgeç", 3, 2},
    {QMessageBox::Abort, "İptal", 4, 3},
    {QMessageBox::Retry, "Tekrar", 5, 4},
    {QMessageBox::Ignore, "Atla", 6, 5},
    {QMessageBox::NoToAll, "Tümüne Hayır", 8, 13},
    {QMessageBox::YesToAll, "Tümüne Evet", 9, 14},
    {QMessageBox::Help, "Yardım", 10, 9},
};

// A message box that places itself in the middle of the screen once it has its size.
class OrtaKutu : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        const QWidget* p = parentWidget();
        QScreen* ekran = p ? p->screen() : QGuiApplication::primaryScreen();
        if (!ekran)
            return;
        QRect r = frameGeometry();
        r.moveCenter(ekran->availableGeometry().center());
        move(r.topLeft());
    }
};

int show(const QString& metin, MesajTuru tur, QMessageBox::StandardButtons dugmeler, int odak) {
    static const char* const kTitles[] = {"Uyarı", "Hata", "Bilgi", "Soru"};
    static const QMessageBox::Icon kIcons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                               QMessageBox::Information, QMessageBox::Question};
    const int k = int(tur);
    OrtaKutu box(kIcons[k], QString::fromUtf8(kTitles[k]), metin, dugmeler,
                 QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MesajKutusu"));
    if (fontPixelSize() > 0)
        box.setFont(platform::uiFont(fontPixelSize()));
    for (const ButtonInfo& b : kButtons) {
        if (QAbstractButton* btn = box.button(b.button)) {
            btn->setText(QString::fromUtf8(b.caption));
            if (b.focusCode == odak) {
                box.setDefaultButton(static_cast<QPushButton*>(btn));
                btn->setFocus();
            }
        }
    }
    platform::beep();
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonInfo& b : kButtons) {
        if (b.button == clicked)
            return b.result;
    }
    return 2;  // closed without a button: as Cancel
}

}  // namespace

void setMesajKutusuFontPixelSize(int px) {
    fontPixelSize() = px;
}

int MesajKutusu(const QString& metin, MesajTuru tur, QMessageBox::StandardButtons dugmeler,
                int odak) {
    int result = 0;
    platform::runOnUiThread([&] { result = show(metin, tur, dugmeler, odak); });
    return result;
}

}  // namespace kv::common
