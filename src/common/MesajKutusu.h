// The Turkish message box of the program.
#pragma once

#include <QMessageBox>
#include <QString>

namespace kv::common {

enum class MesajTuru { Uyari = 0, Hata = 1, Bilgi = 2, Soru = 3 };

// Shows a modal, centred box with the kind's title, icon and sound, Turkish captions on its
// buttons and the keyboard focus on the button given by its code (0 Yes, 1 No, 2 OK,
// 3 Cancel, 4 Abort, 5 Retry, 6 Ignore, 8 No to all, 9 Yes to all, 10 Help). Returns the
// button's result code: Yes 6, No 7, OK 1, Cancel 2 (Abort 3, Retry 4, Ignore 5, Help 9,
// No to all 13, Yes to all 14). Shown on the UI thread; a worker's call is handed over there.
int MesajKutusu(const QString& metin, MesajTuru tur, QMessageBox::StandardButtons dugmeler,
                int odak);

// The pixel size of the boxes' text (the main window sets 15).
void setMesajKutusuFontPixelSize(int px);

}  // namespace kv::common
