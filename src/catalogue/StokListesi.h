// The "Stok Listesi" tab: the search box's key filter and three-letter rule, the search in the
// background, the stock grid with its columns, picture cells and the drawn price summary, and
// the wide and narrow layouts.
#pragma once

#include <QValidator>
#include <QWidget>
#include <functional>

#include "platform/DataGrid.h"
#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/baglantiu.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace kv::catalogue {

// Turkish letters to Latin (ş to s, ı to I, ...), then every letter in upper case.
class AramaTusFiltresi : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    static QString donustur(const QString& s);
    State validate(QString& input, int& pos) const override;
};

// What the tab needs from the main window.
struct StokListesiBaglami {
    QTabWidget* sekmeler = nullptr;
    QLineEdit* araedit = nullptr;
    QLabel* gifstokara = nullptr;
    remote::ServerConnection* bagc = nullptr;
    const remote::TSonucBilgisi* sbilgi = nullptr;
    std::function<int()> pencereGenisligi;  // the main window's width
};

class StokListesi : public QWidget {
    Q_OBJECT
  public:
    StokListesi(StokListesiBaglami baglam, QWidget* parent = nullptr);

    platform::MemTable stok;
    platform::DataGrid* cxGrid1DBTableView1;

    // Enter in the search box and "Ara".
    void AramaBaslat();
    // "Temizle".
    void Temizle();
    // The wide or narrow layout and the widths by weight.
    void StokGridDuzenle();
    // Columns shown and offered by the user kind.
    void KullaniciTipiUygula(int tip);
    bool araniyor() const { return araniyor_; }

    static QString fiyatBilgisi(const platform::MemTable& t, int row);

    // The table row of the focused item, or -1.
    int odakSatiri() const;

    QMenu* popstok;
    QAction* S1;  // "Sepete Ekle"
    QAction* B1;  // "Sipariş Bakiyeleriniz"
    QAction* s3;  // "Siparişleri Göster"

  signals:
    void aramaBitti();
    // Double click or "Sepete Ekle" on a focused row: open the item (table row).
    void acIstendi(int row);
    void bakiyelerIstendi();
    // "Siparişleri Göster" on a focused row: the order lines of that stock number.
    void siparisleriGosterIstendi(int stokno);

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void kolonlariKur();
    void baslikYaz(const QString& baslik);
    void fiyatBilgisiCiz(QPainter* p, const QStyleOptionViewItem& o, int row);

    StokListesiBaglami b_;
    bool araniyor_ = false;
};

}  // namespace kv::catalogue
