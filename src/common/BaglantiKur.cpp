#include "common/BaglantiKur.h"

#include <QThread>
#include <exception>

#include "common/MesajKutusu.h"

namespace kv::common {

bool BaglantiKur(remote::ServerConnection& baglanti, bool mesaj,
                 const std::function<void(int)>& basarisizlikta) {
    baglanti.close();
    int hatalar = 0;
    while (!baglanti.isOpen() && hatalar < kBaglantiDenemeSayisi) {
        try {
            baglanti.open();
        } catch (const std::exception&) {
            baglanti.close();
            ++hatalar;
            if (basarisizlikta)
                basarisizlikta(hatalar);
            QThread::msleep(kBaglantiBeklemeMs);
        }
    }
    if (!baglanti.isOpen() && mesaj) {
        MesajKutusu(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"),
                    MesajTuru::Hata, QMessageBox::Ok, 2);
    }
    return baglanti.isOpen();
}

}  // namespace kv::common
