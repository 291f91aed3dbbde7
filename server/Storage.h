// What the server keeps, behind one interface (SQLite now; another store can take its place).
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BasketStore.h"
#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"

namespace kv::server {

struct UserRow {
    QString adi;
    int musteriTipi = 0;
    int carino = 0;
    int aktif = 0;
};

struct MailRow {
    qint64 id = 0;
    QString zaman;
    QString tur;
    QString kimlik;
    QString baslik;
    std::vector<std::pair<QString, QString>> alanlar;  // name, value in the order sent
};

class Storage {
  public:
    virtual ~Storage() = default;

    virtual int expectedClientVersion() = 0;
    virtual void setExpectedClientVersion(int version) = 0;

    // The dollar and euro rates in TL that the distributor publishes; nullopt until set.
    struct ExchangeRates {
        double usd = 1.0;
        double eur = 1.0;
    };
    virtual std::optional<ExchangeRates> exchangeRates() = 0;
    virtual void setExchangeRates(ExchangeRates rates) = 0;

    // The login record of the user registered for a workstation; nullopt when unknown.
    virtual std::optional<remote::TSonucBilgisi> workstationLogin(const QString& kimlik) = 0;
    // The account card of the dealer a workstation belongs to.
    virtual std::optional<remote::TMobilCariBilgisi> workstationCard(const QString& kimlik) = 0;
    // A sign-in or sign-off of the user in the record, as the client reports it.
    virtual void logSession(const remote::TSonucBilgisi& bilgi, const QString& olay,
                            const std::string& peer) = 0;
    virtual qint64 storeMail(const MailRow& mail) = 0;

    // Stock lists, written straight into the answer as wire tables; each returns its rows.
    virtual int stockSearch(const QString& text, int carino, remote::JsonWriter& w) = 0;
    virtual int newItems(int carino, remote::JsonWriter& w) = 0;
    virtual int campaignItems(int carino, remote::JsonWriter& w) = 0;
    // The group of an item that has a picture (RESIM 1); nothing otherwise.
    virtual std::optional<QString> pictureGroup(qint64 stokno) = 0;

    // Baskets, shipping choices and orders (BasketStore.h).
    virtual int basket(int carino, remote::JsonWriter& w) = 0;
    virtual int addBasketLine(const BasketLineInput& line) = 0;
    virtual int updateBasketLine(int sirano, const BasketLineInput& line) = 0;
    virtual int deleteBasketLine(int carino, int sirano, const QString& aciklama, int silen) = 0;
    virtual int deleteBasket(int carino, int silen) = 0;
    virtual bool setBasketSelection(int sirano, bool secili) = 0;
    virtual int deliveryModes(remote::JsonWriter& w) = 0;
    virtual int cargoTypes(remote::JsonWriter& w) = 0;
    virtual int cargoCompanies(int kargoTurId, remote::JsonWriter& w) = 0;
    // The new order's number, or 0 when nothing was ordered (and nothing changed).
    virtual std::int64_t placeOrder(const OrderInput& order) = 0;
    virtual std::vector<OrderSummary> orders() = 0;

    // Administration
    virtual std::vector<UserRow> users() = 0;
    virtual void registerWorkstation(const QString& kimlik, const QString& kullanici) = 0;
    virtual void setActive(const QString& kullanici, bool aktif) = 0;
    virtual std::vector<MailRow> outbox() = 0;
};

// Opens (creating and migrating when asked) an SQLite store.
std::unique_ptr<Storage> openSqliteStorage(const std::string& path, bool create);

// Schema version after all migrations.
int schemaVersion();

}  // namespace kv::server
