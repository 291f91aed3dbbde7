// Client proxy of the application server's method set: one typed method per remote method,
// each checked at compile time against the method catalogue.
//
// Ownership, as the types say:
//  - a record argument is consumed: the caller hands over a copy (std::unique_ptr) and never
//    sees it again;
//  - a returned table, stream, JSON array or record belongs to the proxy and stays valid until
//    the same method is called again on this proxy or the proxy is destroyed; callers copy
//    what they need before that.
// Every transport failure and every server error is thrown as RemoteError with the text to
// show. A proxy and its connection are used by one thread at a time.
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "remote/MethodCatalogue.h"
#include "remote/RemoteError.h"
#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"

namespace kv::platform {
class MemTable;
}

namespace kv::remote {

class ServerConnection;

// A client-side callback object; this protocol version never calls back, so only null travels.
struct ServerCallback;

// The prepared form of one remote method on one proxy, made on the method's first call and
// kept for the proxy's life. It owns what the method's last call returned.
class ServerMethodCommand {
  public:
    explicit ServerMethodCommand(const MethodSpec& spec);
    ~ServerMethodCommand();

    const MethodSpec& spec() const { return spec_; }
    // "TServerMethods1.<name>"
    const std::string& text() const { return text_; }
    int executeCount() const { return executeCount_; }

  private:
    friend class TServerMethods1Client;
    const MethodSpec& spec_;
    std::string text_;
    int executeCount_ = 0;
    std::unique_ptr<platform::MemTable> table_;
    QByteArray stream_;
    bool streamNull_ = true;
    QJsonArray jsonArray_;
    std::unique_ptr<TransferObject> record_;
};

class TServerMethods1Client {
  public:
    // Refuses a missing connection with the platform's text. The connection is opened on the
    // first call if it is not open yet.
    explicit TServerMethods1Client(ServerConnection* ADBXConnection);
    TServerMethods1Client(ServerConnection* ADBXConnection, bool AInstanceOwner);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client&) = delete;
    TServerMethods1Client& operator=(const TServerMethods1Client&) = delete;

    bool InstanceOwner() const { return instanceOwner_; }
    // The cached command of a method, or nullptr while the method has not been called.
    const ServerMethodCommand* command(std::string_view method) const;
    int preparedCommandCount() const;

    void DSServerModuleCreate(std::unique_ptr<TransferObject> Sender);
    QString EchoString(const QString& Value);
    QString ReverseString(const QString& Value);
    const platform::MemTable& StokAra(const QString& kod, const QString& carino, qint32 satici);
    const platform::MemTable& SepetVer(qint32 carino);
    const platform::MemTable& OncekiSiparisler(qint32 carino);
    const platform::MemTable& OncekiSiparisler2(qint32 carino);
    const platform::MemTable& CariEkstreVer(qint32 carino);
    const platform::MemTable& CariEkstreVer2(qint32 carino, double TARIH1, double TARIH2);
    const platform::MemTable& CariEkstreVer2Baslik(qint32 carino, double tarih1);
    const platform::MemTable& YenilerVer(qint32 carino);
    const platform::MemTable& QuovYenilerVer(qint32 carino);
    const platform::MemTable& YenilerVerMobile(qint32 carino);
    const platform::MemTable& KampanyaliVer(qint32 cario, qint32 satici);
    const platform::MemTable& QuovKampanyaliVer(qint32 cario, qint32 satici);
    const platform::MemTable& KampanyaliVermMobil(qint32 cario, qint32 satici);
    const platform::MemTable& DuyuruVer();
    const platform::MemTable& DuyuruVer2();
    const platform::MemTable& BakiyelerVer(qint32 carino);
    const TSonucBilgisi* BuyukGetir(const QString& idsi);
    const QByteArray* ResimVer5(qint32 stokno, qint64& boy);
    const QJsonArray& ResimVer6(qint32 stokno, qint64& boy);
    const platform::MemTable& StokAraTilso(const QString& kod,
                                           std::unique_ptr<TSonucBilgisi> bilgi);
    const platform::MemTable& Kaveltrim(const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi);
    const platform::MemTable& StokAraQuov(const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi);
    const platform::MemTable& TeslimVer();
    const platform::MemTable& KargoVer();
    const platform::MemTable& KargolarVer(qint32 gn);
    qint32 SepetEkle(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                     const QString& barkod, const QString& stokadi, double miktar, double kdv,
                     double fiyat, double indirim, qint32 verenid, qint32 k);
    qint32 SepetGuncelle(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                         const QString& barkod, const QString& stokadi, double miktar, double kdv,
                         double fiyat, double indirim, qint32 verenid, qint32 _sepetsirano);
    qint32 SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi);
    void CikisGonder(std::unique_ptr<TSonucBilgisi> bilgi);
    qint32 SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, qint32 satirno,
                         const QString& aciklamam);
    bool SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, qint32 _carino, qint32 _teslim,
                       qint32 _kargo, const QString& _aciklama, qint32 _verenid, qint32 _kargoyeni);
    const platform::MemTable& Oncekiler(qint32 carino);
    const platform::MemTable& SiparisAyrintisi(qint32 carino, qint32 idnosu);
    const platform::MemTable& FaturaGetir(qint32 carino, qint32 idnosu);
    const platform::MemTable& FaturaAltGetir(qint32 idnosu);
    const platform::MemTable& Tahsilat(qint32 idnosu);
    qint32 BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                         qint32 siparissirano, double Adet, double Bakiye, const QString& barkod);
    qint32 BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                          qint32 siparissirano, double Adet, double Bakiye, const QString& barkod);
    qint32 BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                               qint32 siparissirano, double Adet, double Bakiye,
                               const QString& barkod, double fiyat, double ind);
    const TSiparisDipAyrinti* SiparisAytintisiDip(qint32 carino, qint32 siranosu);
    const platform::MemTable& CariAra(std::unique_ptr<TSonucBilgisi> bil, const QString& aranan);
    qint32 SepetSayisi(std::unique_ptr<TSonucBilgisi> bil);
    const TTusSonuclari* TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil);
    const platform::MemTable& CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, qint32 n);
    const QByteArray* DosyaIndir(qint64& size);
    const QByteArray* BelgeIndir(qint32 sirano, qint64& size, QString& adi);
    const QByteArray* BelgeIndir2(qint32 sirano, qint64& size, QString& adi,
                                  std::unique_ptr<TSonucBilgisi> bilgi);
    QString KayanYaziGetir();
    const QByteArray* BannerResimVer(qint64& size);
    const QByteArray* RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                 const QString& saticiadi, double tarih1, double tarih2,
                                 qint64& size);
    qint32 KurlariAl(double& usd, double& eur);
    const platform::MemTable& BalonGetir(std::unique_ptr<TSonucBilgisi> bil);
    const platform::MemTable& TumSiparislerVer(qint32 carino, qint32 stokno);
    void SepetSecimGuncelle(qint32 sirano, qint32 secim);
    const TMobilStoklar* MobilStokara(const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi,
                                      qint32 neresi, qint32 nekadar);
    const TMobilStok* MobilStokNoAra(qint32 stokno, std::unique_ptr<TSonucBilgisi> bilgi);
    const TMobilSepetler* SepetMobilVer(qint32 carino);
    qint32 MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                          const QString& adres1, const QString& adres2, const QString& ilce,
                          const QString& sehir, const QString& telefon, const QString& fax,
                          const QString& vd, const QString& vn, const QString& yetkili,
                          const QString& kullaniciadi, const QString& sifre, const QString& mail,
                          const QString& kargoambar);
    qint32 MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi,
                                const QString& adres1, const QString& adres2, const QString& ilce,
                                const QString& sehir, const QString& telefon, const QString& fax,
                                const QString& vd, const QString& vn, const QString& yetkili,
                                const QString& kullaniciadi, const QString& sifre,
                                const QString& mail, const QString& kargoambar,
                                const QString& konu);
    const TMobilCariBilgisi* MobilCariBilgisiGetir(qint32 sirano, const QString& _idsi);
    qint32 AcilisReklamAdet();
    const TAcilisEkran* AcilisREklamVer(qint32 sira);
    const TAcilisEkranlar* AcilisEkranlarVer();
    const TAcilisEkranlariki* AcilisEkranlarVer2();
    qint32 MobilStokaraGeri(const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi, qint32 neresi,
                            qint32 nekadar, ServerCallback* geri);
    const TMobilStoklar* MobilStokaraAdimli(const QString& kod,
                                            std::unique_ptr<TSonucBilgisi> bilgi, qint32 neresi,
                                            qint32 nekadar, qint32 ilk, qint32 Adet, bool& kalan,
                                            qint32& toplam);
    const platform::MemTable& DepartmanlariGetir();
    const platform::MemTable& QuovdeAra(const QString& s);
    const platform::MemTable& DosyaListesi();
    const platform::MemTable& DosyaListesi2();
    const platform::MemTable& AcilisEkranlariVerData();
    QString BuyukResimVer(qint32 stokno, qint32& boy);
    const QByteArray* HttpResimVer(qint32 stokno);
    QString KucukResimVer(qint32 stokno);
    bool SifremiUnuttum(const QString& idsi, qint32& mailvarmi);
    qint32 BalonGetir2(qint32 carino, qint32& sepet, qint32& yenistok, qint32& kampnayali,
                       qint32& duyuru, qint32& Bakiye, qint32& dosya);
    qint32 MobilSiparisKaydet(qint32 idnosu);
    const platform::MemTable& RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi,
                                                    double tarih1, double tarih2);
    const platform::MemTable& RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi,
                                                       double tarih1, double tarih2);
    const QByteArray* GrelvintosakVer();

  private:
    static constexpr std::size_t methodIndex(std::string_view name) {
        return static_cast<std::size_t>(methodSpec(name).number - 1);
    }
    template <std::size_t M, class Ret, class... Args>
    Ret call(Args&&... args);
    ServerMethodCommand& prepare(std::size_t index);

    ServerConnection* connection_;
    bool instanceOwner_;
    std::array<std::unique_ptr<ServerMethodCommand>, kMethodCatalogue.size()> commands_;
};

}  // namespace kv::remote
