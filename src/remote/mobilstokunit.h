// The mobile transfer objects: stock item, basket line, customer card, opening screens and
// the lists of them.
#pragma once

#include "remote/TransferObject.h"

namespace kv::remote {

// clang-format off
#define KV_TMOBILSTOK_FIELDS(X) \
    X(qint32, StokNo) X(qint32, ResimVar) X(QString, Resim) X(qint32, Yeni)                    \
    X(QString, Departman) X(double, VerilenSiparis) X(QString, AltGrup) X(qint32, Durum)       \
    X(QString, Renk) X(QString, Birim) X(double, KDV) X(double, AlinanSiparis) X(double, Isk2) \
    X(QString, AnaGrup) X(QString, Kod) X(double, Isk3) X(double, ListeFiyati)                 \
    X(QString, Beden) X(double, NetFiyat) X(double, Isk1) X(double, KDVliFiyat)                \
    X(double, Isk4) X(QString, OzelKod) X(qint32, Kampnayali) X(QString, Barkod)               \
    X(double, IndirimOran) X(double, Kalan) X(QString, UreticiKod) X(double, KampanyaliFiyat)  \
    X(QString, OemNo) X(qint32, BarkodNo) X(QString, PKod) X(QString, DpKod) X(QString, Adi)   \
    X(double, Fiyat)

#define KV_TMOBILSEPET_FIELDS(X) \
    X(qint32, KARGOID) X(qint32, StokNo) X(double, TARIH)                                      \
    X(qint32, SIRANO) X(QString, CARIADI) X(double, VERILISTARIHI)                             \
    X(qint32, Durum) X(double, MIKTAR) X(qint32, VERENIDNO)                                    \
    X(double, NETTUTAR) X(double, KDVLITUTAR) X(double, KDV)                                   \
    X(qint32, AKTAR) X(QString, SAAT) X(double, VERGITUTARI)                                   \
    X(QString, PKod) X(QString, MODEL) X(double, INDIRIMTUTAR)                                 \
    X(qint32, STOK_STOKNO) X(double, BIRIMFIYAT) X(qint32, SEC)                                \
    X(QString, OEM2) X(QString, OEM3) X(QString, AnaGrup)                                      \
    X(QString, MARKA) X(QString, VEREN) X(QString, STOKADI)                                    \
    X(QString, OEM1) X(qint32, CARINO) X(qint32, VERENSIRANO)                                  \
    X(qint32, ACIKLAMA) X(double, INDIRIMORANI2) X(QString, OEM4)                              \
    X(QString, KUR) X(double, INDIRIMORANI3) X(qint32, SIPARISNO)                              \
    X(double, IDNO) X(QString, OzelKod) X(QString, DpKod)                                      \
    X(double, KURTL) X(double, INDIRIMORANI1) X(QString, DIGERADI)                             \
    X(QString, Barkod) X(double, TUTAR) X(QString, URETICIKODU)                                \
    X(double, Kalan) X(QString, FINISHKOD) X(QString, CARIKOD)                                 \
    X(double, NETBIRIMFIYAT) X(QString, OemNo) X(qint32, TESLIMID)                             \
    X(qint32, ResimVar) X(QString, Resim)

#define KV_TMOBILCARIBILGISI_FIELDS(X) \
    X(QString, BILGISAYARID) X(QString, SEHIR) X(QString, FAX1) X(QString, SATICIMAIL)          \
    X(QString, SATICIADI) X(QString, CARIADI) X(QString, EMAIL) X(QString, VERGIDAIRESI)        \
    X(QString, YETKILI) X(QString, AltGrup) X(QString, TEL2) X(QString, SIFRE) X(QString, GSM)  \
    X(QString, TEL1) X(QString, ADRES2) X(double, TLBORC) X(double, TLALACAK)                   \
    X(QString, ADRES1) X(QString, ULKE) X(QString, AnaGrup) X(qint32, CARINO)                   \
    X(double, TLBAKIYE) X(QString, VERGINO) X(QString, MAIL) X(QString, OzelKod)                \
    X(QString, KULLANICIADI) X(QString, SATICITELEFON) X(QString, CARIKOD) X(QString, FAX2)     \
    X(QString, ILCE)

#define KV_TACILISEKRAN_FIELDS(X) \
    X(qint32, SiraNo) X(QString, Resim) X(QString, Baslik) X(QString, Arama)

#define KV_NO_FIELDS(X)
// clang-format on

class TMobilStok : public TransferObject {
    KV_RECORD_BODY(TMobilStok, "mobilstokunit.TMobilStok", KV_TMOBILSTOK_FIELDS)
  public:
    TMobilStok() {
        FBirim = QStringLiteral("ADET");
        FKDV = 18;
    }
    void Kopyala(const TMobilStok& src) { *this = src; }
};

class TMobilSepet : public TransferObject {
    KV_RECORD_BODY(TMobilSepet, "mobilstokunit.TMobilSepet", KV_TMOBILSEPET_FIELDS)
  public:
    void Kopyala(const TMobilSepet& src) { *this = src; }
};

class TMobilCariBilgisi : public TransferObject {
    KV_RECORD_BODY(TMobilCariBilgisi, "mobilstokunit.TMobilCariBilgisi",
                   KV_TMOBILCARIBILGISI_FIELDS)
  public:
    void Kopyala(const TMobilCariBilgisi& src) { *this = src; }
};

class TAcilisEkran : public TransferObject {
    KV_RECORD_BODY(TAcilisEkran, "mobilstokunit.TAcilisEkran", KV_TACILISEKRAN_FIELDS)
};

// An object holding an ordered list of elements under one field; the elements are written
// inside a JSON array, each in its own object form with its own id.
template <class Derived, class Element, const char* FieldName>
class TransferList : public TransferObject {
  public:
    std::vector<Element>& items() { return FItems; }
    const std::vector<Element>& items() const { return FItems; }
    std::string_view typeName() const override { return Derived::kTypeName; }
    bool operator==(const TransferList& o) const { return FItems == o.FItems; }

  protected:
    void writeFieldMembers(JsonWriter& w, int& nextId) const override {
        w.Key(FieldName);
        detail::writeList(w, FItems, nextId);
    }
    void readFieldMember(std::string_view name, const rapidjson::Value& v) override {
        if (name == FieldName)
            detail::readList(v, FItems, name);
    }
    std::vector<Element> FItems;
};

inline constexpr char kEkranlarField[] = "FEkranlar";
inline constexpr char kListeField[] = "FListe";

// The announcement container returned with every screen at once.
class TAcilisEkranlariki : public TransferList<TAcilisEkranlariki, TAcilisEkran, kEkranlarField> {
  public:
    static constexpr std::string_view kTypeName = "mobilstokunit.TAcilisEkranlariki";
    std::vector<TAcilisEkran>& Ekranlar() { return FItems; }
    const std::vector<TAcilisEkran>& Ekranlar() const { return FItems; }
};

class TMobilStoklar : public TransferList<TMobilStoklar, TMobilStok, kListeField> {
  public:
    static constexpr std::string_view kTypeName = "mobilstokunit.TMobilStoklar";
};

class TMobilSepetler : public TransferList<TMobilSepetler, TMobilSepet, kListeField> {
  public:
    static constexpr std::string_view kTypeName = "mobilstokunit.TMobilSepetler";
};

class TAcilisEkranlar : public TransferList<TAcilisEkranlar, TAcilisEkran, kListeField> {
  public:
    static constexpr std::string_view kTypeName = "mobilstokunit.TAcilisEkranlar";
};

}  // namespace kv::remote
