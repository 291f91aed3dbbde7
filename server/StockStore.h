// The stock catalogue's queries: the dealer's search with its prices, the new items and the
// campaign items, each written straight into the answer as a wire table.
//
// Prices, per item and account (all VAT excluded unless named otherwise):
//   FIYAT, LISTEFIYAT1  the list price
//   KAMPFIYAT           the campaign price when the item is on campaign (K = 1), else 0
//   INDIRIM             the account's discount rate in percent; 0 for campaign items, whose
//                       campaign price is already the dealer's price
//   NETFIYAT            KAMPFIYAT on campaign, else FIYAT less INDIRIM %, to the kuruş
//   KDVDAHIL            NETFIYAT plus KDV %, to the kuruş
// Both are computed in whole kuruş with halves rounded up; the discount comes off as an amount
// rounded to the kuruş, as in the basket, so 85.96 less 12.5 % is 85.96 - 10.75 = 75.21.
#pragma once

#include <QString>
#include <QStringList>

#include "Sqlite.h"
#include "remote/TransferObject.h"

namespace kv::server {

// Matches the text against the codes (without blanks, dashes, dots and slashes: exact
// matches first, then prefixes, then codes containing it) and the names (every word; words
// of one or two letters as whole words),
// Turkish letters folded to Latin on both sides. At most kMaxSearchRows rows.
int writeStockSearch(Database& db, const QString& text, int carino, remote::JsonWriter& w);
int writeNewItems(Database& db, int carino, remote::JsonWriter& w);
int writeCampaignItems(Database& db, int carino, remote::JsonWriter& w);

// Adds items' codes and names to the search indexes.
class StockIndexer {
  public:
    explicit StockIndexer(Database& db);
    void add(qint64 stokno, const QStringList& codes, const QStringList& names);

  private:
    Statement code_;
    Statement text_;
};

inline constexpr int kMaxSearchRows = 20000;

}  // namespace kv::server
