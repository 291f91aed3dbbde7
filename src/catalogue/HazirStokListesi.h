// The ready-made stock lists: "Yeni Stoklar" and "Kampanyalı Stoklar". Each is fetched again
// in the background every time its tab is shown.
#pragma once

#include <QWidget>
#include <functional>

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
        std::function<int()> ekranGenisligi;  // the screen's width; the screen's own if empty
    };

    HazirStokListesi(Tur tur, Baglam baglam, QWidget* parent = nullptr);

    platform::MemTable tablo;  // YENILER or kampstok
    platform::DataGrid* grid;

    // The tab's show handler: the load flow.
    void Yukle();
    void KullaniciTipiUygula(int tip);
    int yuklemeSayisi() const { return yuklemeSayisi_; }

    // The table row of the focused item, or -1.
    int odakSatiri() const;
    Tur tur() const { return tur_; }
    // Widths after a load: by weight, or for the campaign list on a narrow screen fitted to
    // the content.
    void KolonBoyutla();

  signals:
    void yuklendi();
    // Double click on a focused row: open the item (table row).
    void acIstendi(int row);

  private:
    void kolonlariKur();
    Tur tur_;
    Baglam b_;
    int yuklemeSayisi_ = 0;
};

}  // namespace kv::catalogue
