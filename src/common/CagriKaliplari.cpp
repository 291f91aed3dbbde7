#include "common/CagriKaliplari.h"

#include <QLabel>
#include <QMovie>
#include <QWidget>
#include <exception>

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

// Closes the connection when the work leaves, also by an exception.
struct Kapatici {
    remote::ServerConnection& baglanti;
    ~Kapatici() { baglanti.close(); }
};

// Runs the work on an open connection, closes the connection whatever happened and hands an
// error to the application's report.
bool calistir(remote::ServerConnection& baglanti,
              const std::function<void(remote::ServerConnection&)>& is) {
    std::exception_ptr hata;
    try {
        Kapatici kapat{baglanti};
        is(baglanti);
    } catch (...) {
        hata = std::current_exception();
    }
    if (hata) {
        platform::reportError(hata);
        return false;
    }
    return true;
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
        y.pencere ? y.pencere : static_cast<QObject*>(y.grid),
        [hata, klon, korumali, is = std::move(is)] {
            if (!BaglantiKur(*klon, false)) {
                *hata = true;
                return;
            }
            Kapatici kapat{*klon};
            if (!korumali) {
                is(*klon);  // an error goes on to the report, after the continuation
                return;
            }
            try {
                is(*klon);
            } catch (...) {
                *hata = true;
            }
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
    const std::unique_ptr<remote::ServerConnection> klon = ana.clone();
    if (!BaglantiKur(*klon, true))
        return false;
    return calistir(*klon, is);
}

bool anaBaglantidaCagir(remote::ServerConnection& ana,
                        const std::function<void(remote::ServerConnection&)>& is) {
    if (!BaglantiKur(ana, true))
        return false;
    return calistir(ana, is);
}

}  // namespace kv::common
