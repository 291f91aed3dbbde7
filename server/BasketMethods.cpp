#include "BasketMethods.h"

#include "Dispatcher.h"
#include "Storage.h"

namespace kv::server {

namespace {

// The login record a deletion names its account by; without one nothing can be deleted.
std::unique_ptr<remote::TSonucBilgisi> loginRecord(Call& c) {
    auto b = c.record<remote::TSonucBilgisi>(0);
    if (!b)
        throw MethodError(QStringLiteral("Sepet işlemi için giriş bilgisi gerekli"));
    return b;
}

// SepetEkle and SepetGuncelle share their first ten parameters.
BasketLineInput lineFrom(Call& c) {
    BasketLineInput l;
    if (const auto b = c.record<remote::TSonucBilgisi>(0))
        l.verenSatici = b->SaticiNo();
    l.carino = c.int32(1);
    l.stokno = c.int32(2);
    l.miktar = c.real(5);
    l.kdv = c.real(6);
    l.fiyat = c.real(7);
    l.indirim = c.real(8);
    l.verenid = c.int32(9);
    return l;
}

}  // namespace

void registerBasketMethods(Dispatcher& d) {
    d.add("SepetVer", [](Call& c) { c.storage().basket(c.int32(0), c.result()); });

    d.add("SepetEkle", [](Call& c) {
        BasketLineInput l = lineFrom(c);
        l.kampanya = c.int32(10);
        c.result().Int(c.storage().addBasketLine(l));
    });

    d.add("SepetGuncelle",
          [](Call& c) { c.result().Int(c.storage().updateBasketLine(c.int32(10), lineFrom(c))); });

    d.add("SepetSatirSil", [](Call& c) {
        const auto b = loginRecord(c);
        c.result().Int(
            c.storage().deleteBasketLine(b->CARINO(), c.int32(1), c.text(2), b->Sirano()));
    });

    d.add("SepetHepsiniSil", [](Call& c) {
        const auto b = loginRecord(c);
        c.result().Int(c.storage().deleteBasket(b->CARINO(), b->Sirano()));
    });

    d.add("SepetSecimGuncelle", [](Call& c) {
        const int secim = c.int32(1);
        if (secim != 0 && secim != 1)
            throw MethodError(QStringLiteral("Seçim 0 ya da 1 olmalı, %1 geldi").arg(secim));
        if (!c.storage().setBasketSelection(c.int32(0), secim == 1)) {
            throw MethodError(QStringLiteral("Sepette %1 numaralı satır yok").arg(c.int32(0)));
        }
    });

    d.add("TeslimVer", [](Call& c) { c.storage().deliveryModes(c.result()); });
    d.add("KargoVer", [](Call& c) { c.storage().cargoTypes(c.result()); });
    d.add("KargolarVer", [](Call& c) { c.storage().cargoCompanies(c.int32(0), c.result()); });

    d.add("SiparisKaydet", [](Call& c) {
        OrderInput o;
        o.carino = c.int32(1);
        o.teslimId = c.int32(2);
        o.kargoTurId = c.int32(3);
        o.aciklama = c.text(4);
        o.verenid = c.int32(5);
        o.kargoFirmaId = c.int32(6);
        c.result().Bool(c.storage().placeOrder(o) > 0);
    });
}

}  // namespace kv::server
