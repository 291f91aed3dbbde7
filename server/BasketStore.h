// Baskets, the shipping choices and orders: the queries and the transactions behind the
// basket methods. Each function works on one connection; every write is one transaction.
//
// Amounts of a basket line, in whole kuruş with halves rounded up (rates in percent):
//   TUTAR          = quantity x unit price
//   INDIRIMTUTAR   = TUTAR x INDIRIMORANI1 / 100
//   NETBIRIMFIYAT  = unit price - unit price x INDIRIMORANI1 / 100
//   NETTUTAR       = TUTAR - INDIRIMTUTAR
//   VERGITUTARI    = NETTUTAR x KDV / 100
//   KDVLITUTAR     = NETTUTAR + VERGITUTARI
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "Sqlite.h"
#include "remote/TransferObject.h"

namespace kv::server {

// The answers of SepetEkle and SepetGuncelle.
inline constexpr int kLineStored = 1;    // added or changed
inline constexpr int kLineNotFound = 0;  // no such account, item, or line of that account
inline constexpr int kLineInvalid = -1;  // a quantity, price, discount or VAT out of range

// Bounds of a line's values; beyond them a line is refused.
inline constexpr double kMaxQuantity = 100000;
inline constexpr double kMaxUnitPrice = 100000000;  // TL

struct LineAmounts {
    std::int64_t tutar = 0;
    std::int64_t indirimTutar = 0;
    std::int64_t netBirimFiyat = 0;
    std::int64_t netTutar = 0;
    std::int64_t vergiTutari = 0;
};

// The amounts of a line (see the head of this file); prices in kuruş, rates in hundredths
// of a percent, all within the bounds above.
LineAmounts lineAmounts(double miktar, std::int64_t fiyatKr, int indirimOnbinde, int kdvOnbinde);

struct BasketLineInput {
    int carino = 0;
    int stokno = 0;
    double miktar = 0;
    double kdv = 0;       // percent
    double fiyat = 0;     // TL, VAT excluded
    double indirim = 0;   // percent
    int verenid = 0;      // the giving user's number (kullanicilar.sirano)
    int verenSatici = 0;  // the representative of the login record, 0 for none
    int kampanya = 0;
};

struct OrderInput {
    int carino = 0;
    int teslimId = 0;
    int kargoTurId = 0;
    int kargoFirmaId = 0;
    QString aciklama;
    int verenid = 0;
};

struct OrderLineSummary {
    std::int64_t sirano = 0;
    QString barkod;
    QString stokadi;
    double miktar = 0;
    std::int64_t birimFiyatKr = 0;
    int indirimOnbinde = 0;
    std::int64_t netTutarKr = 0;
};

struct OrderSummary {
    std::int64_t sirano = 0;
    QString zaman;
    int carino = 0;
    QString durum;
    QString teslim;
    QString kargoTuru;
    QString kargoFirma;
    int verenid = 0;
    QString aciklama;
    std::vector<OrderLineSummary> satirlar;
};

// SepetVer: the account's lines as a wire table, in the order they were added.
int writeBasket(Database& db, int carino, remote::JsonWriter& w);
// SepetEkle: kLineStored with the new line selected, else kLineNotFound or kLineInvalid.
int addBasketLine(Database& db, const BasketLineInput& line);
// SepetGuncelle: quantity, price and discount of the account's line; the item, its VAT and
// the giver stay.
int updateBasketLine(Database& db, int sirano, const BasketLineInput& line);
// SepetSatirSil and SepetHepsiniSil: the number of lines deleted (only the account's own).
int deleteBasketLine(Database& db, int carino, int sirano, const QString& aciklama, int silen);
int deleteBasket(Database& db, int carino, int silen);
// SepetSecimGuncelle: false when there is no such line.
bool setBasketSelection(Database& db, int sirano, bool secili);

// TeslimVer, KargoVer (id, name) and KargolarVer (ADI, SIRANO, UYARI of one cargo type).
int writeDeliveryModes(Database& db, remote::JsonWriter& w);
int writeCargoTypes(Database& db, remote::JsonWriter& w);
int writeCargoCompanies(Database& db, int kargoTurId, remote::JsonWriter& w);

// SiparisKaydet: in one transaction the account's selected lines become one order and leave
// the basket. 0 (nothing changed) when there is no selected line or a choice is unknown;
// otherwise the new order's number.
std::int64_t placeOrder(Database& db, const OrderInput& order);

// Every order with its lines, oldest first (administration).
std::vector<OrderSummary> listOrders(Database& db);

}  // namespace kv::server
