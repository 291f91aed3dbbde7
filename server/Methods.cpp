#include "Methods.h"

#include <algorithm>

#include "BasketMethods.h"
#include "Dispatcher.h"
#include "Storage.h"

namespace kv::server {

namespace {

void writeText(remote::JsonWriter& w, const QString& s) {
    remote::detail::writeValue(w, s);
}

template <class R>
void writeRecord(Call& c, const R& r) {
    int id = 1;
    r.writeJson(c.result(), id);
}

// The sixteen request fields as named on the wire, for the outbox.
MailRow mailFrom(Call& c, const QString& tur) {
    MailRow m;
    m.tur = tur;
    m.kimlik = c.text(0);
    m.baslik = c.text(1);
    for (std::size_t i = 0; i < c.spec().paramCount; ++i) {
        m.alanlar.emplace_back(QString::fromUtf8(c.spec().params[i].name.data(),
                                                 qsizetype(c.spec().params[i].name.size())),
                               c.text(i));
    }
    return m;
}

}  // namespace

void registerMethods(Dispatcher& d) {
    d.add("EchoString", [](Call& c) { writeText(c.result(), c.text(0)); });

    d.add("ReverseString", [](Call& c) {
        const QString s = c.text(0);
        // By code points, so letters outside the basic plane stay whole.
        std::u32string u = s.toStdU32String();
        std::reverse(u.begin(), u.end());
        writeText(c.result(), QString::fromStdU32String(u));
    });

    d.add("BuyukGetir", [](Call& c) {
        Storage& s = c.storage();
        remote::TSonucBilgisi b;
        if (auto found = s.workstationLogin(c.text(0))) {
            b = *found;
            s.logSession(b, QStringLiteral("giris-sorgusu"), c.peer());
        } else {
            b.setVarmi(false);  // every other field keeps its creation value
        }
        b.setVersion(s.expectedClientVersion());
        writeRecord(c, b);
    });

    d.add("CikisGonder", [](Call& c) {
        // The notice of a client that has no login record any more is still welcome.
        if (auto b = c.record<remote::TSonucBilgisi>(0)) {
            c.storage().logSession(*b, QStringLiteral("cikis"), c.peer());
        }
    });

    d.add("MobilCariBilgisiGetir", [](Call& c) {
        if (auto card = c.storage().workstationCard(c.text(1))) {
            writeRecord(c, *card);
        } else {
            c.result().Null();
        }
    });

    d.add("Kaveltrim", [](Call& c) {
        const auto bilgi = c.record<remote::TSonucBilgisi>(1);
        if (!bilgi)
            throw MethodError(QStringLiteral("Arama için giriş bilgisi gerekli"));
        c.storage().stockSearch(c.text(0), bilgi->CARINO(), c.result());
    });

    d.add("YenilerVer", [](Call& c) { c.storage().newItems(c.int32(0), c.result()); });

    d.add("KampanyaliVer", [](Call& c) { c.storage().campaignItems(c.int32(0), c.result()); });

    d.add("MailGonserCari", [](Call& c) {
        c.storage().storeMail(mailFrom(c, QStringLiteral("istek")));
        c.result().Int(1);
    });

    d.add("MailGonserCariNormal", [](Call& c) {
        c.storage().storeMail(mailFrom(c, QStringLiteral("mail")));
        c.result().Int(1);
    });

    d.add("KurlariAl", [](Call& c) {
        // Without published rates the answer says so (0) and the rates stay neutral.
        const auto rates = c.storage().exchangeRates();
        c.setOut(0, rates ? rates->usd : 1.0);
        c.setOut(1, rates ? rates->eur : 1.0);
        c.result().Int(rates ? 1 : 0);
    });

    registerBasketMethods(d);
}

}  // namespace kv::server
