#include "app/SepetIslemleri.h"

#include <cmath>

#include "basket/Sepet.h"
#include "catalogue/Tstokayarinti.h"
#include "common/CagriKaliplari.h"
#include "common/MesajKutusu.h"
#include "common/Tablolar.h"
#include "remote/TServerMethods1Client.h"

namespace kv::app {

using catalogue::Tstokayarinti;
using common::AlanSayi;
using common::AlanYazi;
using common::MesajKutusu;
using common::MesajTuru;

namespace {

const QString kMiktarHatasi = QStringLiteral("Adet okunamadı, lütfen geçerli bir sayı giriniz !");

}  // namespace

SepetIslemleri::SepetIslemleri(Baglam baglam, QObject* parent)
    : QObject(parent), b_(std::move(baglam)) {}

void SepetIslemleri::Ac(Kaynak kaynak, platform::MemTable& tablo, int row) {
    if (!tablo.isActive() || row < 0 || row >= tablo.rowCount())
        return;
    tablo.setRecNo(row);
    const int stokno = int(AlanSayi(tablo, row, u"STOK_STOKNO"));
    if (!b_.sepet->sepet.isActive())
        b_.sepet->SepetYenile();
    const int satir = b_.sepet->stokSatiri(stokno);
    if (satir >= 0)
        SatirDuzenle(satir);
    else
        SatirAc(kaynak, tablo, row);
}

void SepetIslemleri::hazirla(Tstokayarinti& p) const {
    const int tip = b_.sbilgi->MusteriTipi();
    p.fiyatDegistirilebilir(tip == 1 || tip == 2);
}

void SepetIslemleri::SatirAc(Kaynak kaynak, const platform::MemTable& tablo, int row) {
    Tstokayarinti p(b_.anaPencere);
    hazirla(p);
    switch (kaynak) {
        case Kaynak::StokListesi:
            p.stokListesindenDoldur(tablo, row);
            break;
        case Kaynak::Yeniler:
            p.yenilerdenDoldur(tablo, row);
            break;
        case Kaynak::Kampanyali:
            try {
                p.kampanyalidanDoldur(tablo, row,
                                      b_.sbilgi->carikod().contains(QStringLiteral("BDM")),
                                      b_.usdKur ? b_.usdKur() : 1.0, b_.eurKur ? b_.eurKur() : 1.0);
            } catch (const std::exception& e) {
                MesajKutusu(QString::fromUtf8(e.what()), MesajTuru::Hata, QMessageBox::Ok, 2);
                return;
            }
            break;
    }
    emit pencereAcildi(&p);
    if (p.exec() != QDialog::Accepted)
        return;
    SepeteEkle(p, tablo, row);
}

void SepetIslemleri::SatirDuzenle(int sepetRow) {
    platform::MemTable& sepet = b_.sepet->sepet;
    if (!sepet.isActive() || sepetRow < 0 || sepetRow >= sepet.rowCount())
        return;
    Tstokayarinti p(b_.anaPencere);
    hazirla(p);
    p.sepettenDoldur(sepet, sepetRow);
    emit pencereAcildi(&p);
    if (p.exec() != QDialog::Accepted)
        return;
    SatirGuncelle(p, sepetRow);
    b_.sepet->SepetYenile();
}

void SepetIslemleri::SepeteEkle(const Tstokayarinti& p, const platform::MemTable& t, int row) {
    const std::optional<double> miktar = p.miktar();
    if (!miktar) {
        MesajKutusu(kMiktarHatasi, MesajTuru::Hata, QMessageBox::Ok, 2);
        return;
    }
    qint32 sonuc = 0;
    common::anaBaglantidaCagir(*b_.bagc, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        sonuc = proxy.SepetEkle(b_.sbilgi->kopya(), b_.sbilgi->CARINO(),
                                int(AlanSayi(t, row, u"STOK_STOKNO")), AlanYazi(t, row, u"BARKOD"),
                                AlanYazi(t, row, u"ADI"), *miktar,
                                std::round(AlanSayi(t, row, u"KDV")), p.fiyat(), p.indirim(),
                                b_.sbilgi->Sirano(), int(AlanSayi(t, row, u"K")));
    });
    if (sonuc == 1)
        b_.sepet->SepetYenile();
}

void SepetIslemleri::SatirGuncelle(const Tstokayarinti& p, int row) {
    const platform::MemTable& s = b_.sepet->sepet;
    const std::optional<double> miktar = p.miktar();
    if (!miktar) {
        MesajKutusu(kMiktarHatasi, MesajTuru::Hata, QMessageBox::Ok, 2);
        return;
    }
    common::anaBaglantidaCagir(*b_.bagc, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        proxy.SepetGuncelle(b_.sbilgi->kopya(), b_.sbilgi->CARINO(), 0, AlanYazi(s, row, u"BARKOD"),
                            AlanYazi(s, row, u"STOKADI"), *miktar,
                            std::round(AlanSayi(s, row, u"KDV")), p.fiyat(), p.indirim(),
                            b_.sbilgi->Sirano(), int(AlanSayi(s, row, u"SIRANO")));
    });
}

}  // namespace kv::app
