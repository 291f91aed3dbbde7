// The "Sepet" tab: the basket the server holds for the account, its totals over the selected
// lines, deleting lines, the Excel export, and in the bottom panel the delivery and cargo
// choices, the order note and sending the order.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/DataGrid.h"
#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kv::basket {

class TeslimKargo;

class Sepet : public QWidget {
    Q_OBJECT
  public:
    struct Baglam {
        QTabWidget* sekmeler = nullptr;
        remote::ServerConnection* bagc = nullptr;
        const remote::TSonucBilgisi* sbilgi = nullptr;
        std::function<int()> ekranGenisligi;  // the screen's width (wide layout above 1152)
    };

    explicit Sepet(Baglam baglam, QWidget* parent = nullptr);

    // Reloads the basket from the server (on a clone of the main connection) and the totals.
    void SepetYenile();
    // Totals of the selected lines into the five labels.
    void ToplamlariYaz();
    // The tab has come to the front: reload, then the delivery and cargo lists.
    void Goster();
    void KullaniciTipiUygula(int tip);
    // Widths by weight on a wide screen, else each column fitted to its content.
    void KolonBoyutla();

    // The table row of the focused line, or -1.
    int odakSatiri() const;
    // The first line for a stock number, or -1.
    int stokSatiri(int stokno) const;

    // Popup menu and buttons.
    void SatirSil();
    void HepsiniSil();
    void ExcelKaydet();
    void Button1Click();
    bool SiparisGonder(int kargoFirma, int kargoTuru, int teslim);

    platform::MemTable sepet;
    platform::DataGrid* cxGrid3DBTableView1;
    TeslimKargo* teslimKargo;
    QPlainTextEdit* aciklamagir;
    QLabel* aratoplaml;
    QLabel* indiriml;
    QLabel* nettutarl;
    QLabel* vergil;
    QLabel* geneltoplaml;
    QPushButton* Button1;
    QPushButton* excelbuton;
    QMenu* popsepet;
    QAction* satirDegistirMenu;
    QAction* satirSilMenu;
    QAction* hepsiniSilMenu;

  signals:
    // The change flow: the stock item window for this table row of the basket.
    void satirDegistir(int row);

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void kolonlariKur();
    QWidget* altPanel();
    void degistir();

    Baglam b_;
    int tip_ = 0;
};

}  // namespace kv::basket
