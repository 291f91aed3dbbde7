// The server's remote method set, written down once as data. The client proxy checks its
// typed wrappers against this table at compile time and the server's dispatcher decodes and
// validates every call with it, so the two sides cannot drift apart.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kv::remote {

enum class ValueType : std::uint8_t {
    None,  // no result
    Text,  // UTF-8 string on the wire
    Int32,
    Int64,
    Double,  // dates travel as doubles too
    Boolean,
    Record,     // a transfer object {"type","id","fields"}, or null
    JsonArray,  // a bare JSON array
    Stream,     // base64 bytes, or null
    Callback,   // always null in this protocol version
    Table,      // {"columns": [...], "rows": [...]}
};

enum class Direction : std::uint8_t { In, Out };

struct ParamSpec {
    std::string_view name;
    ValueType type;
    Direction direction = Direction::In;
    // For records: the qualified class name ("baglantiu.TSonucBilgisi"); empty means any class.
    std::string_view recordType = {};
};

struct MethodSpec {
    int number;  // 1-based position in the catalogue
    std::string_view name;
    const ParamSpec* params;
    std::size_t paramCount;
    ValueType result;
    std::string_view resultRecordType = {};

    constexpr std::size_t inCount() const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < paramCount; ++i)
            n += params[i].direction == Direction::In;
        return n;
    }
    constexpr std::size_t outCount() const { return paramCount - inCount(); }
};

inline constexpr std::string_view kTSonucBilgisi = "baglantiu.TSonucBilgisi";
inline constexpr std::string_view kTSiparisDipAyrinti = "baglantiu.TSiparisDipAyrinti";
inline constexpr std::string_view kTTusSonuclari = "baglantiu.TTusSonuclari";
inline constexpr std::string_view kTMobilStok = "mobilstokunit.TMobilStok";
inline constexpr std::string_view kTMobilStoklar = "mobilstokunit.TMobilStoklar";
inline constexpr std::string_view kTMobilSepet = "mobilstokunit.TMobilSepet";
inline constexpr std::string_view kTMobilSepetler = "mobilstokunit.TMobilSepetler";
inline constexpr std::string_view kTMobilCariBilgisi = "mobilstokunit.TMobilCariBilgisi";
inline constexpr std::string_view kTAcilisEkran = "mobilstokunit.TAcilisEkran";
inline constexpr std::string_view kTAcilisEkranlar = "mobilstokunit.TAcilisEkranlar";
inline constexpr std::string_view kTAcilisEkranlariki = "mobilstokunit.TAcilisEkranlariki";

namespace catalogue_detail {
using D = Direction;
using V = ValueType;

inline constexpr ParamSpec kNone[] = {{"", V::None}};
inline constexpr ParamSpec kSender[] = {{"Sender", V::Record}};
inline constexpr ParamSpec kValue[] = {{"Value", V::Text}};
inline constexpr ParamSpec kStokAra[] = {
    {"kod", V::Text}, {"carino", V::Text}, {"satici", V::Int32}};
inline constexpr ParamSpec kCarino[] = {{"carino", V::Int32}};
inline constexpr ParamSpec kCariEkstreVer2[] = {
    {"carino", V::Int32}, {"TARIH1", V::Double}, {"TARIH2", V::Double}};
inline constexpr ParamSpec kCariEkstreVer2Baslik[] = {{"carino", V::Int32}, {"tarih1", V::Double}};
inline constexpr ParamSpec kCarioSatici[] = {{"cario", V::Int32}, {"satici", V::Int32}};
inline constexpr ParamSpec kBuyukGetir[] = {{"idsi", V::Text}};
inline constexpr ParamSpec kStoknoBoy64[] = {{"stokno", V::Int32}, {"boy", V::Int64, D::Out}};
inline constexpr ParamSpec kKodBilgi[] = {{"kod", V::Text},
                                          {"bilgi", V::Record, D::In, kTSonucBilgisi}};
inline constexpr ParamSpec kGn[] = {{"gn", V::Int32}};
inline constexpr ParamSpec kSepetEkle[] = {{"bilgim", V::Record, D::In, kTSonucBilgisi},
                                           {"carino", V::Int32},
                                           {"stokno", V::Int32},
                                           {"barkod", V::Text},
                                           {"stokadi", V::Text},
                                           {"miktar", V::Double},
                                           {"kdv", V::Double},
                                           {"fiyat", V::Double},
                                           {"indirim", V::Double},
                                           {"verenid", V::Int32},
                                           {"k", V::Int32}};
inline constexpr ParamSpec kSepetGuncelle[] = {{"bilgim", V::Record, D::In, kTSonucBilgisi},
                                               {"carino", V::Int32},
                                               {"stokno", V::Int32},
                                               {"barkod", V::Text},
                                               {"stokadi", V::Text},
                                               {"miktar", V::Double},
                                               {"kdv", V::Double},
                                               {"fiyat", V::Double},
                                               {"indirim", V::Double},
                                               {"verenid", V::Int32},
                                               {"_sepetsirano", V::Int32}};
inline constexpr ParamSpec kBilgi[] = {{"bilgi", V::Record, D::In, kTSonucBilgisi}};
inline constexpr ParamSpec kSepetSatirSil[] = {
    {"bilgi", V::Record, D::In, kTSonucBilgisi}, {"satirno", V::Int32}, {"aciklamam", V::Text}};
inline constexpr ParamSpec kSiparisKaydet[] = {{"BB", V::Record, D::In, kTSonucBilgisi},
                                               {"_carino", V::Int32},
                                               {"_teslim", V::Int32},
                                               {"_kargo", V::Int32},
                                               {"_aciklama", V::Text},
                                               {"_verenid", V::Int32},
                                               {"_kargoyeni", V::Int32}};
inline constexpr ParamSpec kCarinoIdnosu[] = {{"carino", V::Int32}, {"idnosu", V::Int32}};
inline constexpr ParamSpec kIdnosu[] = {{"idnosu", V::Int32}};
inline constexpr ParamSpec kBakiye[] = {{"k", V::Record, D::In, kTSonucBilgisi},
                                        {"stokno", V::Int32},
                                        {"sepetsirano", V::Int32},
                                        {"siparissirano", V::Int32},
                                        {"Adet", V::Double},
                                        {"Bakiye", V::Double},
                                        {"barkod", V::Text}};
inline constexpr ParamSpec kBakiyeFiyat[] = {{"k", V::Record, D::In, kTSonucBilgisi},
                                             {"stokno", V::Int32},
                                             {"sepetsirano", V::Int32},
                                             {"siparissirano", V::Int32},
                                             {"Adet", V::Double},
                                             {"Bakiye", V::Double},
                                             {"barkod", V::Text},
                                             {"fiyat", V::Double},
                                             {"ind", V::Double}};
inline constexpr ParamSpec kCarinoSiranosu[] = {{"carino", V::Int32}, {"siranosu", V::Int32}};
inline constexpr ParamSpec kCariAra[] = {{"bil", V::Record, D::In, kTSonucBilgisi},
                                         {"aranan", V::Text}};
inline constexpr ParamSpec kBil[] = {{"bil", V::Record, D::In, kTSonucBilgisi}};
inline constexpr ParamSpec kCariSepetVer[] = {{"bil", V::Record, D::In, kTSonucBilgisi},
                                              {"n", V::Int32}};
inline constexpr ParamSpec kSize64[] = {{"size", V::Int64, D::Out}};
inline constexpr ParamSpec kBelgeIndir[] = {
    {"sirano", V::Int32}, {"size", V::Int64, D::Out}, {"adi", V::Text, D::Out}};
inline constexpr ParamSpec kBelgeIndir2[] = {{"sirano", V::Int32},
                                             {"size", V::Int64, D::Out},
                                             {"adi", V::Text, D::Out},
                                             {"bilgi", V::Record, D::In, kTSonucBilgisi}};
inline constexpr ParamSpec kRaporGetir[] = {{"raporno", V::Int32},  {"bolum", V::Int32},
                                            {"idno", V::Int32},     {"carino", V::Int32},
                                            {"saticiadi", V::Text}, {"tarih1", V::Double},
                                            {"tarih2", V::Double},  {"size", V::Int64, D::Out}};
inline constexpr ParamSpec kKurlariAl[] = {{"usd", V::Double, D::Out}, {"eur", V::Double, D::Out}};
inline constexpr ParamSpec kTumSiparislerVer[] = {{"carino", V::Int32}, {"stokno", V::Int32}};
inline constexpr ParamSpec kSepetSecimGuncelle[] = {{"sirano", V::Int32}, {"secim", V::Int32}};
inline constexpr ParamSpec kMobilStokara[] = {{"kod", V::Text},
                                              {"bilgi", V::Record, D::In, kTSonucBilgisi},
                                              {"neresi", V::Int32},
                                              {"nekadar", V::Int32}};
inline constexpr ParamSpec kMobilStokNoAra[] = {{"stokno", V::Int32},
                                                {"bilgi", V::Record, D::In, kTSonucBilgisi}};
inline constexpr ParamSpec kMail[] = {
    {"idsi", V::Text},         {"baslik", V::Text}, {"firmaadi", V::Text}, {"adres1", V::Text},
    {"adres2", V::Text},       {"ilce", V::Text},   {"sehir", V::Text},    {"telefon", V::Text},
    {"fax", V::Text},          {"vd", V::Text},     {"vn", V::Text},       {"yetkili", V::Text},
    {"kullaniciadi", V::Text}, {"sifre", V::Text},  {"mail", V::Text},     {"kargoambar", V::Text}};
inline constexpr ParamSpec kMailNormal[] = {
    {"idsi", V::Text},         {"baslik", V::Text}, {"firmaadi", V::Text}, {"adres1", V::Text},
    {"adres2", V::Text},       {"ilce", V::Text},   {"sehir", V::Text},    {"telefon", V::Text},
    {"fax", V::Text},          {"vd", V::Text},     {"vn", V::Text},       {"yetkili", V::Text},
    {"kullaniciadi", V::Text}, {"sifre", V::Text},  {"mail", V::Text},     {"kargoambar", V::Text},
    {"konu", V::Text}};
inline constexpr ParamSpec kMobilCariBilgisiGetir[] = {{"sirano", V::Int32}, {"_idsi", V::Text}};
inline constexpr ParamSpec kSira[] = {{"sira", V::Int32}};
inline constexpr ParamSpec kMobilStokaraGeri[] = {{"kod", V::Text},
                                                  {"bilgi", V::Record, D::In, kTSonucBilgisi},
                                                  {"neresi", V::Int32},
                                                  {"nekadar", V::Int32},
                                                  {"geri", V::Callback}};
inline constexpr ParamSpec kMobilStokaraAdimli[] = {{"kod", V::Text},
                                                    {"bilgi", V::Record, D::In, kTSonucBilgisi},
                                                    {"neresi", V::Int32},
                                                    {"nekadar", V::Int32},
                                                    {"ilk", V::Int32},
                                                    {"Adet", V::Int32},
                                                    {"kalan", V::Boolean, D::Out},
                                                    {"toplam", V::Int32, D::Out}};
inline constexpr ParamSpec kS[] = {{"s", V::Text}};
inline constexpr ParamSpec kStoknoBoy32[] = {{"stokno", V::Int32}, {"boy", V::Int32, D::Out}};
inline constexpr ParamSpec kStokno[] = {{"stokno", V::Int32}};
inline constexpr ParamSpec kSifremiUnuttum[] = {{"idsi", V::Text}, {"mailvarmi", V::Int32, D::Out}};
inline constexpr ParamSpec kBalonGetir2[] = {
    {"carino", V::Int32},           {"sepet", V::Int32, D::Out},
    {"yenistok", V::Int32, D::Out}, {"kampnayali", V::Int32, D::Out},
    {"duyuru", V::Int32, D::Out},   {"Bakiye", V::Int32, D::Out},
    {"dosya", V::Int32, D::Out}};
inline constexpr ParamSpec kRaporTarih[] = {
    {"bilgi", V::Record, D::In, kTSonucBilgisi}, {"tarih1", V::Double}, {"tarih2", V::Double}};

template <std::size_t N>
constexpr MethodSpec m(int number, std::string_view name, const ParamSpec (&p)[N], ValueType result,
                       std::string_view resultRecord = {}) {
    return MethodSpec{number, name, p, N, result, resultRecord};
}
constexpr MethodSpec m0(int number, std::string_view name, ValueType result,
                        std::string_view resultRecord = {}) {
    return MethodSpec{number, name, kNone, 0, result, resultRecord};
}
}  // namespace catalogue_detail

inline constexpr std::array<MethodSpec, 83> kMethodCatalogue = [] {
    using namespace catalogue_detail;
    return std::array<MethodSpec, 83>{
        m(1, "DSServerModuleCreate", kSender, V::None),
        m(2, "EchoString", kValue, V::Text),
        m(3, "ReverseString", kValue, V::Text),
        m(4, "StokAra", kStokAra, V::Table),
        m(5, "SepetVer", kCarino, V::Table),
        m(6, "OncekiSiparisler", kCarino, V::Table),
        m(7, "OncekiSiparisler2", kCarino, V::Table),
        m(8, "CariEkstreVer", kCarino, V::Table),
        m(9, "CariEkstreVer2", kCariEkstreVer2, V::Table),
        m(10, "CariEkstreVer2Baslik", kCariEkstreVer2Baslik, V::Table),
        m(11, "YenilerVer", kCarino, V::Table),
        m(12, "QuovYenilerVer", kCarino, V::Table),
        m(13, "YenilerVerMobile", kCarino, V::Table),
        m(14, "KampanyaliVer", kCarioSatici, V::Table),
        m(15, "QuovKampanyaliVer", kCarioSatici, V::Table),
        m(16, "KampanyaliVermMobil", kCarioSatici, V::Table),
        m0(17, "DuyuruVer", V::Table),
        m0(18, "DuyuruVer2", V::Table),
        m(19, "BakiyelerVer", kCarino, V::Table),
        m(20, "BuyukGetir", kBuyukGetir, V::Record, kTSonucBilgisi),
        m(21, "ResimVer5", kStoknoBoy64, V::Stream),
        m(22, "ResimVer6", kStoknoBoy64, V::JsonArray),
        m(23, "StokAraTilso", kKodBilgi, V::Table),
        m(24, "Kaveltrim", kKodBilgi, V::Table),
        m(25, "StokAraQuov", kKodBilgi, V::Table),
        m0(26, "TeslimVer", V::Table),
        m0(27, "KargoVer", V::Table),
        m(28, "KargolarVer", kGn, V::Table),
        m(29, "SepetEkle", kSepetEkle, V::Int32),
        m(30, "SepetGuncelle", kSepetGuncelle, V::Int32),
        m(31, "SepetHepsiniSil", kBilgi, V::Int32),
        m(32, "CikisGonder", kBilgi, V::None),
        m(33, "SepetSatirSil", kSepetSatirSil, V::Int32),
        m(34, "SiparisKaydet", kSiparisKaydet, V::Boolean),
        m(35, "Oncekiler", kCarino, V::Table),
        m(36, "SiparisAyrintisi", kCarinoIdnosu, V::Table),
        m(37, "FaturaGetir", kCarinoIdnosu, V::Table),
        m(38, "FaturaAltGetir", kIdnosu, V::Table),
        m(39, "Tahsilat", kIdnosu, V::Table),
        m(40, "BakiyeDuzenle", kBakiye, V::Int32),
        m(41, "BakiyeDegistir", kBakiye, V::Int32),
        m(42, "BakiyeFiyatDegistir", kBakiyeFiyat, V::Int32),
        m(43, "SiparisAytintisiDip", kCarinoSiranosu, V::Record, kTSiparisDipAyrinti),
        m(44, "CariAra", kCariAra, V::Table),
        m(45, "SepetSayisi", kBil, V::Int32),
        m(46, "TusSonuclariVer", kBil, V::Record, kTTusSonuclari),
        m(47, "CariSepetVer", kCariSepetVer, V::Table),
        m(48, "DosyaIndir", kSize64, V::Stream),
        m(49, "BelgeIndir", kBelgeIndir, V::Stream),
        m(50, "BelgeIndir2", kBelgeIndir2, V::Stream),
        m0(51, "KayanYaziGetir", V::Text),
        m(52, "BannerResimVer", kSize64, V::Stream),
        m(53, "RaporGetir", kRaporGetir, V::Stream),
        m(54, "KurlariAl", kKurlariAl, V::Int32),
        m(55, "BalonGetir", kBil, V::Table),
        m(56, "TumSiparislerVer", kTumSiparislerVer, V::Table),
        m(57, "SepetSecimGuncelle", kSepetSecimGuncelle, V::None),
        m(58, "MobilStokara", kMobilStokara, V::Record, kTMobilStoklar),
        m(59, "MobilStokNoAra", kMobilStokNoAra, V::Record, kTMobilStok),
        m(60, "SepetMobilVer", kCarino, V::Record, kTMobilSepetler),
        m(61, "MailGonserCari", kMail, V::Int32),
        m(62, "MailGonserCariNormal", kMailNormal, V::Int32),
        m(63, "MobilCariBilgisiGetir", kMobilCariBilgisiGetir, V::Record, kTMobilCariBilgisi),
        m0(64, "AcilisReklamAdet", V::Int32),
        m(65, "AcilisREklamVer", kSira, V::Record, kTAcilisEkran),
        m0(66, "AcilisEkranlarVer", V::Record, kTAcilisEkranlar),
        m0(67, "AcilisEkranlarVer2", V::Record, kTAcilisEkranlariki),
        m(68, "MobilStokaraGeri", kMobilStokaraGeri, V::Int32),
        m(69, "MobilStokaraAdimli", kMobilStokaraAdimli, V::Record, kTMobilStoklar),
        m0(70, "DepartmanlariGetir", V::Table),
        m(71, "QuovdeAra", kS, V::Table),
        m0(72, "DosyaListesi", V::Table),
        m0(73, "DosyaListesi2", V::Table),
        m0(74, "AcilisEkranlariVerData", V::Table),
        m(75, "BuyukResimVer", kStoknoBoy32, V::Text),
        m(76, "HttpResimVer", kStokno, V::Stream),
        m(77, "KucukResimVer", kStokno, V::Text),
        m(78, "SifremiUnuttum", kSifremiUnuttum, V::Boolean),
        m(79, "BalonGetir2", kBalonGetir2, V::Int32),
        m(80, "MobilSiparisKaydet", kIdnosu, V::Int32),
        m(81, "RaporAlinanSiparisler", kRaporTarih, V::Table),
        m(82, "RaporEnCokSatilanStoklar", kRaporTarih, V::Table),
        m0(83, "GrelvintosakVer", V::Stream),
    };
}();

// Compile-time lookup by name, used by the proxy wrappers.
constexpr const MethodSpec& methodSpec(std::string_view name) {
    for (const auto& s : kMethodCatalogue) {
        if (s.name == name)
            return s;
    }
    throw "unknown remote method";  // only reachable in constant evaluation: a compile error
}

// Run-time lookup by name; nullptr when the name is not in the catalogue.
const MethodSpec* findMethod(std::string_view name);

const char* valueTypeName(ValueType t);

}  // namespace kv::remote
