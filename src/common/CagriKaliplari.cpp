#include "common/CagriKaliplari.h"

#include <QLabel>
#include <QMovie>
#include <QWidget>

#include "common/MesajKutusu.h"
#include "platform/BackgroundCall.h"
#include "platform/DetachableModel.h"

namespace kv::common {

namespace {
const QString kBaglantiMesaji = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

void bekle(QLabel* l, bool goster) {
    if (!l)
        return;
    l->setVisible(goster);
    if (QMovie* m = l->movie())
        goster ? m->start() : m->stop();
}
}  // namespace

void arkaPlandaYukle(const ArkaPlanYukleme& y, const remote::ServerConnection& ana,
                     std::function<void(remote::ServerConnection&)> is,
                     std::function<void()> devam) {
    auto hata = std::make_shared<bool>(false);
    bekle(y.bekleResmi, true);
    if (y.grid)
        y.grid->setEnabled(false);
    if (y.model)
        y.model->detach();
    std::shared_ptr<remote::ServerConnection> klon = ana.clone();
    const bool korumali = y.korumali;
    QPointer<QLabel> bekleResmi = y.bekleResmi;
    QPointer<QWidget> grid = y.grid;
    platform::DetachableModel* model = y.model;
    platform::runInBackground(
        y.pencere,
        [hata, klon, korumali, is = std::move(is)] {
            if (!BaglantiKur(*klon, false)) {
                *hata = true;
                return;
            }
            if (korumali) {
                try {
                    is(*klon);
                } catch (...) {
                    *hata = true;
                }
            } else {
                is(*klon);
            }
            klon->close();
        },
        [hata, bekleResmi, grid, model, devam = std::move(devam)] {
            if (model)
                model->attach();
            if (grid)
                grid->setEnabled(true);
            bekle(bekleResmi, false);
            if (devam)
                devam();
            if (*hata)
                MesajKutusu(kBaglantiMesaji, MesajTuru::Hata, QMessageBox::Ok, 2);
        });
}

bool klondaCagir(const remote::ServerConnection& ana,
                 const std::function<void(remote::ServerConnection&)>& is) {
    auto klon = ana.clone();
    if (!BaglantiKur(*klon, true))
        return false;
    is(*klon);
    klon->close();
    return true;
}

bool anaBaglantidaCagir(remote::ServerConnection& ana,
                        const std::function<void(remote::ServerConnection&)>& is) {
    if (!BaglantiKur(ana, true))
        return false;
    struct Kapat {
        remote::ServerConnection& c;
        ~Kapat() { c.close(); }
    } kapat{ana};
    is(ana);
    return true;
}

}  // namespace kv::common
