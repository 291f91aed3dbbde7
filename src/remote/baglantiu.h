// Login record and the two status records returned with order details and desk counters.
#pragma once

#include "remote/TransferObject.h"

namespace kv::remote {

// clang-format off
#define KV_TSONUCBILGISI_FIELDS(X) \
    X(QString, BILGISAYARID) X(QString, SaticiMail) X(qint32, Sirano) X(QString, CariAdi)   \
    X(QString, SIFRE) X(qint32, SaticiNo) X(qint32, CARINO) X(qint32, AKTIF)                 \
    X(QString, Kullanicimail) X(QString, ADI) X(QString, SaticiTelefon) X(QString, carikod) \
    X(bool, Varmi) X(QString, SaticiAdi) X(QString, BilgiSayarAdi) X(QString, Disip)        \
    X(QString, Icip) X(QString, BilgisayarKullanici) X(qint32, MusteriTipi) X(qint32, Version)

#define KV_TSIPARISDIPAYRINTI_FIELDS(X) \
    X(QString, SizinMesaj) X(QString, Durumu) X(QString, Veren) X(QString, Kargo) \
    X(QString, BizimMesaj) X(QString, TeslimCinsi) X(QString, KargoCinsi) X(QString, SaticiNotu)

#define KV_TTUSSONUCLARI_FIELDS(X) \
    X(qint32, Alindi) X(qint32, Onaylandi) X(qint32, ParcaliHazirlandi) X(qint32, SevkEdildi) \
    X(qint32, Hazirlandi) X(qint32, Goruldu)
// clang-format on

// The login record: filled by the server's answer to the login, then carried (as a fresh
// copy) by almost every call.
class TSonucBilgisi : public TransferObject {
    KV_RECORD_BODY(TSonucBilgisi, "baglantiu.TSonucBilgisi", KV_TSONUCBILGISI_FIELDS)
  public:
    TSonucBilgisi() {
        FMusteriTipi = 1;
        FVersion = 1;
    }
    void Kopyala(const TSonucBilgisi& src) { *this = src; }
    // A fresh copy to hand to a remote call, which consumes it.
    std::unique_ptr<TSonucBilgisi> kopya() const { return std::make_unique<TSonucBilgisi>(*this); }
};

class TSiparisDipAyrinti : public TransferObject {
    KV_RECORD_BODY(TSiparisDipAyrinti, "baglantiu.TSiparisDipAyrinti", KV_TSIPARISDIPAYRINTI_FIELDS)
  public:
    void Kopyala(const TSiparisDipAyrinti& src) { *this = src; }
};

class TTusSonuclari : public TransferObject {
    KV_RECORD_BODY(TTusSonuclari, "baglantiu.TTusSonuclari", KV_TTUSSONUCLARI_FIELDS)
  public:
    void Kopyala(const TTusSonuclari& src) { *this = src; }
};

}  // namespace kv::remote
