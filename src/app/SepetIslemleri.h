// Putting items into the basket and changing basket lines through the stock item window:
// the openers of the three stock lists and of the basket, and the sends that follow them.
#pragma once

#include <QObject>
#include <functional>

#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QWidget;

namespace kv::basket {
class Sepet;
}
namespace kv::catalogue {
class Tstokayarinti;
}

namespace kv::app {

class SepetIslemleri : public QObject {
    Q_OBJECT
  public:
    enum class Kaynak { StokListesi, Yeniler, Kampanyali };

    struct Baglam {
        QWidget* anaPencere = nullptr;
        remote::ServerConnection* bagc = nullptr;
        const remote::TSonucBilgisi* sbilgi = nullptr;
        basket::Sepet* sepet = nullptr;
        std::function<double()> usdKur;
        std::function<double()> eurKur;
    };

    explicit SepetIslemleri(Baglam baglam, QObject* parent = nullptr);

    // Opening an item of a list: the basket is loaded when it is not yet; an item already in
    // the basket opens its line for a change, any other a new line.
    void Ac(Kaynak kaynak, platform::MemTable& tablo, int row);
    void SatirAc(Kaynak kaynak, const platform::MemTable& tablo, int row);
    void SatirDuzenle(int sepetRow);

  signals:
    // The stock item window is filled and about to be shown (for tests and tools).
    void pencereAcildi(catalogue::Tstokayarinti* pencere);

  private:
    void hazirla(catalogue::Tstokayarinti& p) const;
    void SepeteEkle(const catalogue::Tstokayarinti& p, const platform::MemTable& tablo, int row);
    void SatirGuncelle(const catalogue::Tstokayarinti& p, int sepetRow);

    Baglam b_;
};

}  // namespace kv::app
