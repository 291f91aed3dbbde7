// The main window: header, search bar, the tabs, the status legend and the news line; the
// login on creation, the user-kind rules, the start-up sequence and the exit.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class QFrame;
class QAction;

namespace kv::platform {
class CountBadgeTabWidget;
}
namespace kv::catalogue {
class StokListesi;
class HazirStokListesi;
}  // namespace kv::catalogue
namespace kv::basket {
class Sepet;
}

namespace kv::app {

class SepetIslemleri;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up before the window is first shown: identity, connection, login, user kind and
    // the background start-up sequence. Returns false when the program is to end (the exit
    // has then been requested already).
    bool FormCreate();

    remote::ServerConnection& bagc() { return *bagc_; }
    remote::TSonucBilgisi& sbilgi() { return sbilgi_; }
    double _USDKUR = 1.0;
    double _EURKUR = 1.0;
    int _acilisadet = 0;

    // Writes the header labels from the login record (on the UI thread).
    void AnaBilgiAl();
    // Applies the user kind of the login record to the frame.
    void KullaniciTipiUygula();
    // Start-up step: the dollar and euro rates into _USDKUR, _EURKUR and the rate label.
    // Runs on the start-up task (also usable on the UI thread).
    void KurlariYaz();
    // Runs the exit notice in the background and ends the program when it has finished.
    void CikisGonder();

    // Controls, named as on screen.
    QLabel* kullanicilbl = nullptr;
    QLabel* cariadilbl = nullptr;
    QLabel* saticilbl = nullptr;
    QLabel* banner = nullptr;
    QToolButton* Button3 = nullptr;
    QMenu* Genelmenu = nullptr;
    QAction* mailMenu = nullptr;
    QAction* sifreMenu = nullptr;
    QAction* webMenu = nullptr;
    QAction* cikisMenu = nullptr;
    QLineEdit* araedit = nullptr;
    QPushButton* arabuton = nullptr;
    QPushButton* temizlebuton = nullptr;
    QPushButton* musteritus = nullptr;
    QLabel* gifstokara = nullptr;
    QLabel* gifyeniler = nullptr;
    QLabel* gifkampanyali = nullptr;
    QLabel* gifduyuru = nullptr;
    QLabel* gifoncekiler = nullptr;
    QLabel* gifekstre = nullptr;
    QLabel* gifdosyalar = nullptr;
    QLabel* kurlabel = nullptr;
    platform::CountBadgeTabWidget* sPageControl1 = nullptr;
    QWidget* sstoklistesi = nullptr;
    QWidget* ssepet = nullptr;
    QWidget* sonceki = nullptr;
    QWidget* sccariekstre = nullptr;
    QWidget* syeniler = nullptr;
    QWidget* skampanyali = nullptr;
    QWidget* sTabSheetduyuru = nullptr;
    QWidget* sTabbakiyeler = nullptr;
    QWidget* tabdosyalar = nullptr;
    QWidget* kayanyazi = nullptr;
    catalogue::StokListesi* stokListesi = nullptr;
    catalogue::HazirStokListesi* yeniStoklar = nullptr;
    catalogue::HazirStokListesi* kampanyaliStoklar = nullptr;
    basket::Sepet* sepet = nullptr;
    SepetIslemleri* sepetIslemleri = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildHeader(QFrame* panel);
    void buildSearchBar(QFrame* panel);
    void buildTabs();
    void buildBasket();
    void buildLegend(QFrame* panel);
    void buildMenu();
    bool GirisYap();
    void baslangicSirasi();
    void webSitesiAc();
    void sifreDegistirmeIstegi();
    bool FormCloseQuery();

    std::unique_ptr<remote::ServerConnection> bagc_;
    remote::TSonucBilgisi sbilgi_;
    bool exiting_ = false;
};

}  // namespace kv::app
