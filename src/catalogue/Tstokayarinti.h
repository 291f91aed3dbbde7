// The stock item window: a line on its way into the basket, or a basket line being changed.
// Shows the item's codes and picture, takes the quantity (and, for staff, the unit price and
// the discount rate) and keeps the net, VAT-inclusive and total amounts up to date.
#pragma once

#include <QDialog>
#include <optional>

#include "platform/MemTable.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace kv::platform {
class AmountEdit;
}

namespace kv::catalogue {

class TAsyncResim;

// A price text such as "12.50 $" or "1.250,00 TL" to an amount without VAT in TL: blanks and
// the currency removed, dots read as the decimal separator, converted with the dollar or euro
// rate (the euro wins when both signs are present), a flat 18 % VAT taken out, rounded to two
// decimals. Nothing when the rest is not a number.
std::optional<double> FiyatCevir(const QString& metin, double usdKur, double eurKur);

class Tstokayarinti : public QDialog {
    Q_OBJECT
  public:
    explicit Tstokayarinti(QWidget* owner);

    int stokno = 0;
    double kdvoran = 0.0;
    double kdvlifiyat = 0.0;

    // Fillings by where the line comes from; `row` is a row of the given table.
    void stokListesindenDoldur(const platform::MemTable& stok, int row);
    void yenilerdenDoldur(const platform::MemTable& yeniler, int row);
    // Throws std::runtime_error with a Turkish message when the cost text of a BDM account
    // is not a number.
    void kampanyalidanDoldur(const platform::MemTable& kampstok, int row, bool bdm, double usdKur,
                             double eurKur);
    void sepettenDoldur(const platform::MemTable& sepet, int row);
    // Staff may change the unit price and the discount rate.
    void fiyatDegistirilebilir(bool evet);

    void TutarHesapla();
    void GenelTutarYaz();
    void ResimIste();

    // The quantity as written in its box (after closing: as it was written when the window
    // closed, before the box corrected an empty text); nothing when it cannot be read.
    std::optional<double> miktar() const;

    void done(int r) override;
    double fiyat() const;
    double indirim() const;

    QLabel* barkod;
    QLabel* adi;
    QLabel* finishkod;
    QLabel* marka;
    QLabel* model;
    TAsyncResim* AsyncResim1;
    QSpinBox* adet;
    platform::AmountEdit* birimfiyat;
    QLabel* indirimoran;
    platform::AmountEdit* indoran;
    platform::AmountEdit* indtutar;
    platform::AmountEdit* kdvdahiltutar;
    platform::AmountEdit* geneltutar;
    QPushButton* ParcaliTus1;
    QPushButton* ParcaliTus2;

  protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    std::optional<double> miktarOku() const;
    bool kapandi_ = false;
    std::optional<double> kapanistakiMiktar_;
    void etiketler(const platform::MemTable& t, int row, QStringView adAlani);
};

}  // namespace kv::catalogue
