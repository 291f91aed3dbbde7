// The ready-made stock lists: "Yeni Stoklar" and "Kampanyalı Stoklar". Each is fetched again
// in the background every time its tab is shown.
#pragma once

#include <QWidget>

#include "platform/DataGrid.h"
#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QLabel;
class QTabWidget;

namespace kv::catalogue {

class HazirStokListesi : public QWidget {
    Q_OBJECT
  public:
    enum class Tur { Yeniler, Kampanyali };

    struct Baglam {
        QTabWidget* sekmeler = nullptr;
        QLabel* bekleResmi = nullptr;
        remote::ServerConnection* bagc = nullptr;
        const remote::TSonucBilgisi* sbilgi = nullptr;
    };

    HazirStokListesi(Tur tur, Baglam baglam, QWidget* parent = nullptr);

    platform::MemTable tablo;  // YENILER or kampstok
    platform::DataGrid* grid;

    // The tab's show handler: the load flow.
    void Yukle();
    void KullaniciTipiUygula(int tip);
    int yuklemeSayisi() const { return yuklemeSayisi_; }

  signals:
    void yuklendi();

  private:
    void kolonlariKur();
    Tur tur_;
    Baglam b_;
    int yuklemeSayisi_ = 0;
};

}  // namespace kv::catalogue
