#include "remote/TServerMethods1Client.h"

#include <rapidjson/document.h>
#include <QJsonDocument>
#include <cmath>
#include <type_traits>
#include <utility>

#include "platform/MemTable.h"
#include "remote/ServerConnection.h"
#include "remote/TableJson.h"

namespace kv::remote {

ServerMethodCommand::ServerMethodCommand(const MethodSpec& spec)
    : spec_(spec),
      text_("TServerMethods1." + std::string(spec.name)),
      table_(std::make_unique<platform::MemTable>()) {}

ServerMethodCommand::~ServerMethodCommand() = default;

TServerMethods1Client::TServerMethods1Client(ServerConnection* ADBXConnection)
    : TServerMethods1Client(ADBXConnection, true) {}

TServerMethods1Client::TServerMethods1Client(ServerConnection* ADBXConnection, bool AInstanceOwner)
    : connection_(ADBXConnection), instanceOwner_(AInstanceOwner) {
    if (!connection_) {
        throw RemoteError(
            QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
    }
}

TServerMethods1Client::~TServerMethods1Client() = default;

const ServerMethodCommand* TServerMethods1Client::command(std::string_view method) const {
    const MethodSpec* spec = findMethod(method);
    return spec ? commands_[static_cast<std::size_t>(spec->number - 1)].get() : nullptr;
}

int TServerMethods1Client::preparedCommandCount() const {
    int n = 0;
    for (const auto& c : commands_)
        n += c != nullptr;
    return n;
}

ServerMethodCommand& TServerMethods1Client::prepare(std::size_t index) {
    auto& slot = commands_[index];
    if (!slot)
        slot = std::make_unique<ServerMethodCommand>(kMethodCatalogue[index]);
    return *slot;
}

namespace {

template <class T>
struct UniquePtrTraits : std::false_type {};
template <class R>
struct UniquePtrTraits<std::unique_ptr<R>> : std::true_type {
    using element = R;
};

// Whether the C++ argument type A may stand for parameter I of method M.
template <std::size_t M, std::size_t I, class A>
constexpr bool argMatches() {
    constexpr ParamSpec p = kMethodCatalogue[M].params[I];
    using T = std::remove_cvref_t<A>;
    if constexpr (std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>> &&
                  !UniquePtrTraits<T>::value) {
        if (p.direction != Direction::Out) {
            // An lvalue of a plain value type is fine for an in-parameter as well.
        } else {
            switch (p.type) {
                case ValueType::Int64:
                    return std::is_same_v<T, qint64>;
                case ValueType::Int32:
                    return std::is_same_v<T, qint32>;
                case ValueType::Double:
                    return std::is_same_v<T, double>;
                case ValueType::Text:
                    return std::is_same_v<T, QString>;
                case ValueType::Boolean:
                    return std::is_same_v<T, bool>;
                default:
                    return false;
            }
        }
    }
    if (p.direction == Direction::Out)
        return false;
    switch (p.type) {
        case ValueType::Text:
            return std::is_same_v<T, QString>;
        case ValueType::Int32:
            return std::is_same_v<T, qint32>;
        case ValueType::Double:
            return std::is_same_v<T, double>;
        case ValueType::Boolean:
            return std::is_same_v<T, bool>;
        case ValueType::Callback:
            return std::is_same_v<T, ServerCallback*>;
        case ValueType::Record:
            if constexpr (UniquePtrTraits<T>::value) {
                using R = typename UniquePtrTraits<T>::element;
                if constexpr (std::is_same_v<R, TransferObject>) {
                    return p.recordType.empty();
                } else {
                    return R::kTypeName == p.recordType;
                }
            } else {
                return false;
            }
        default:
            return false;
    }
}

template <std::size_t M, class Ret>
constexpr bool resultMatches() {
    constexpr MethodSpec s = kMethodCatalogue[M];
    switch (s.result) {
        case ValueType::None:
            return std::is_void_v<Ret>;
        case ValueType::Text:
            return std::is_same_v<Ret, QString>;
        case ValueType::Int32:
            return std::is_same_v<Ret, qint32>;
        case ValueType::Boolean:
            return std::is_same_v<Ret, bool>;
        case ValueType::Table:
            return std::is_same_v<Ret, const platform::MemTable&>;
        case ValueType::Stream:
            return std::is_same_v<Ret, const QByteArray*>;
        case ValueType::JsonArray:
            return std::is_same_v<Ret, const QJsonArray&>;
        case ValueType::Record:
            if constexpr (std::is_pointer_v<Ret>) {
                using R = std::remove_cv_t<std::remove_pointer_t<Ret>>;
                if constexpr (std::is_base_of_v<TransferObject, R> &&
                              !std::is_same_v<R, TransferObject>) {
                    return R::kTypeName == s.resultRecordType;
                }
            }
            return false;
        default:
            return false;
    }
}

void encode(JsonWriter& w, const QString& v) {
    detail::writeValue(w, v);
}
void encode(JsonWriter& w, qint32 v) {
    w.Int(v);
}
[[maybe_unused]] void encode(JsonWriter& w, bool v) {
    w.Bool(v);
}
void encode(JsonWriter& w, double v) {
    if (!std::isfinite(v))
        throw RemoteError(QStringLiteral("Geçersiz sayı gönderilemez."));
    w.Double(v);
}
void encode(JsonWriter& w, ServerCallback* cb) {
    if (cb)
        throw RemoteError(QStringLiteral("Geri çağrı nesnesi gönderilemez."));
    w.Null();
}
template <class R>
void encode(JsonWriter& w, std::unique_ptr<R>& record) {
    // The proxy consumes the record it is given, whether the call succeeds or not.
    std::unique_ptr<R> consumed = std::move(record);
    if (!consumed) {
        w.Null();
        return;
    }
    int id = 1;
    consumed->writeJson(w, id);
}

RemoteError outError(std::string_view method, std::size_t index) {
    return RemoteError(QStringLiteral("Sunucunun cevabı okunamadı: %1 çıkış parametresi %2")
                           .arg(QString::fromUtf8(method.data(), qsizetype(method.size())))
                           .arg(index + 1));
}

void decodeOut(const rapidjson::Value& v, qint64& target) {
    if (!v.IsNull() && !v.IsInt64())
        throw std::invalid_argument("int64");
    target = v.IsNull() ? 0 : v.GetInt64();
}
void decodeOut(const rapidjson::Value& v, qint32& target) {
    if (!v.IsNull() && !v.IsInt())
        throw std::invalid_argument("int32");
    target = v.IsNull() ? 0 : v.GetInt();
}
void decodeOut(const rapidjson::Value& v, double& target) {
    if (!v.IsNull() && !v.IsNumber())
        throw std::invalid_argument("double");
    target = v.IsNull() ? 0.0 : v.GetDouble();
}
void decodeOut(const rapidjson::Value& v, bool& target) {
    if (!v.IsNull() && !v.IsBool())
        throw std::invalid_argument("bool");
    target = v.IsNull() ? false : v.GetBool();
}
void decodeOut(const rapidjson::Value& v, QString& target) {
    if (!v.IsNull() && !v.IsString())
        throw std::invalid_argument("text");
    target =
        v.IsNull() ? QString() : QString::fromUtf8(v.GetString(), qsizetype(v.GetStringLength()));
}

// The text of a failed call: the server's message from its error body, or the status.
RemoteError serverError(const ServerConnection::Reply& reply) {
    rapidjson::Document d;
    d.Parse(reply.body.data(), reply.body.size());
    if (!d.HasParseError() && d.IsObject()) {
        const auto err = d.FindMember("error");
        if (err != d.MemberEnd() && err->value.IsObject()) {
            const auto msg = err->value.FindMember("message");
            if (msg != err->value.MemberEnd() && msg->value.IsString()) {
                return RemoteError(QString::fromUtf8(msg->value.GetString(),
                                                     qsizetype(msg->value.GetStringLength())),
                                   reply.status);
            }
        }
    }
    return RemoteError(QStringLiteral("Sunucu hatası (HTTP %1)").arg(reply.status), reply.status);
}

RemoteError resultError(std::string_view method) {
    return RemoteError(QStringLiteral("Sunucunun cevabı okunamadı: %1 sonucu beklenen türde değil")
                           .arg(QString::fromUtf8(method.data(), qsizetype(method.size()))));
}

}  // namespace

template <std::size_t M, class Ret, class... Args>
Ret TServerMethods1Client::call(Args&&... args) {
    constexpr MethodSpec spec = kMethodCatalogue[M];
    static_assert(sizeof...(Args) == spec.paramCount, "argument count differs from the catalogue");
    static_assert(resultMatches<M, Ret>(), "result type differs from the catalogue");
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        static_assert((argMatches<M, I, Args>() && ...),
                      "an argument type differs from the catalogue");
    }
    (std::index_sequence_for<Args...>{});

    ServerMethodCommand& cmd = prepare(M);

    rapidjson::StringBuffer sb;
    JsonWriter w(sb);
    w.StartObject();
    w.Key("params");
    w.StartArray();
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (
            [&] {
                if constexpr (spec.params[I].direction == Direction::In)
                    encode(w, args);
            }(),
            ...);
    }
    (std::index_sequence_for<Args...>{});
    w.EndArray();
    w.EndObject();

    if (!connection_->isOpen())
        connection_->open();
    ++cmd.executeCount_;
    // The previous call's results are released as this one starts.
    cmd.record_.reset();
    cmd.stream_.clear();
    cmd.streamNull_ = true;
    cmd.jsonArray_ = QJsonArray();

    ServerConnection::Reply reply =
        connection_->post(std::string(spec.name), std::string(sb.GetString(), sb.GetSize()));
    if (reply.status != 200)
        throw serverError(reply);

    rapidjson::Document result;
    rapidjson::Document out;
    decodeReply(reply.body, spec.result, *cmd.table_, result, out);

    if (spec.outCount() > 0) {
        if (!out.IsArray() || out.Size() != spec.outCount()) {
            throw RemoteError(
                QStringLiteral("Sunucunun cevabı okunamadı: %1 çıkış sayısı yanlış")
                    .arg(QString::fromUtf8(spec.name.data(), qsizetype(spec.name.size()))));
        }
        std::size_t outIndex = 0;
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            (
                [&] {
                    if constexpr (spec.params[I].direction == Direction::Out) {
                        try {
                            decodeOut(out[rapidjson::SizeType(outIndex)], args);
                        } catch (const std::invalid_argument&) {
                            throw outError(spec.name, outIndex);
                        }
                        ++outIndex;
                    }
                }(),
                ...);
        }
        (std::index_sequence_for<Args...>{});
    }

    if constexpr (spec.result == ValueType::None) {
        return;
    } else if constexpr (spec.result == ValueType::Text) {
        if (result.IsNull())
            return QString();
        if (!result.IsString())
            throw resultError(spec.name);
        return QString::fromUtf8(result.GetString(), qsizetype(result.GetStringLength()));
    } else if constexpr (spec.result == ValueType::Int32) {
        if (!result.IsInt())
            throw resultError(spec.name);
        return result.GetInt();
    } else if constexpr (spec.result == ValueType::Boolean) {
        if (!result.IsBool())
            throw resultError(spec.name);
        return result.GetBool();
    } else if constexpr (spec.result == ValueType::Table) {
        return *cmd.table_;
    } else if constexpr (spec.result == ValueType::Stream) {
        if (result.IsNull())
            return nullptr;
        if (!result.IsString())
            throw resultError(spec.name);
        auto decoded = QByteArray::fromBase64Encoding(
            QByteArray::fromRawData(result.GetString(), qsizetype(result.GetStringLength())),
            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            throw resultError(spec.name);
        cmd.stream_ = std::move(*decoded);
        cmd.streamNull_ = false;
        return &cmd.stream_;
    } else if constexpr (spec.result == ValueType::JsonArray) {
        if (!result.IsArray())
            throw resultError(spec.name);
        rapidjson::StringBuffer ab;
        JsonWriter aw(ab);
        result.Accept(aw);
        cmd.jsonArray_ =
            QJsonDocument::fromJson(QByteArray(ab.GetString(), qsizetype(ab.GetSize()))).array();
        return cmd.jsonArray_;
    } else {
        using R = std::remove_cv_t<std::remove_pointer_t<Ret>>;
        try {
            auto record = readRecord<R>(result);
            cmd.record_ = std::move(record);
        } catch (const RecordFormatError& e) {
            throw RemoteError(
                QStringLiteral("Sunucunun cevabı okunamadı: %1").arg(QString::fromUtf8(e.what())));
        }
        return static_cast<const R*>(cmd.record_.get());
    }
}

// One line per remote method; the types are checked against the catalogue by call().
void TServerMethods1Client::DSServerModuleCreate(std::unique_ptr<TransferObject> Sender) {
    call<methodIndex("DSServerModuleCreate"), void>(std::move(Sender));
}
QString TServerMethods1Client::EchoString(const QString& Value) {
    return call<methodIndex("EchoString"), QString>(Value);
}
QString TServerMethods1Client::ReverseString(const QString& Value) {
    return call<methodIndex("ReverseString"), QString>(Value);
}
const platform::MemTable& TServerMethods1Client::StokAra(const QString& kod, const QString& carino,
                                                         qint32 satici) {
    return call<methodIndex("StokAra"), const platform::MemTable&>(kod, carino, satici);
}
const platform::MemTable& TServerMethods1Client::SepetVer(qint32 carino) {
    return call<methodIndex("SepetVer"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::OncekiSiparisler(qint32 carino) {
    return call<methodIndex("OncekiSiparisler"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::OncekiSiparisler2(qint32 carino) {
    return call<methodIndex("OncekiSiparisler2"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::CariEkstreVer(qint32 carino) {
    return call<methodIndex("CariEkstreVer"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::CariEkstreVer2(qint32 carino, double TARIH1,
                                                                double TARIH2) {
    return call<methodIndex("CariEkstreVer2"), const platform::MemTable&>(carino, TARIH1, TARIH2);
}
const platform::MemTable& TServerMethods1Client::CariEkstreVer2Baslik(qint32 carino,
                                                                      double tarih1) {
    return call<methodIndex("CariEkstreVer2Baslik"), const platform::MemTable&>(carino, tarih1);
}
const platform::MemTable& TServerMethods1Client::YenilerVer(qint32 carino) {
    return call<methodIndex("YenilerVer"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::QuovYenilerVer(qint32 carino) {
    return call<methodIndex("QuovYenilerVer"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::YenilerVerMobile(qint32 carino) {
    return call<methodIndex("YenilerVerMobile"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::KampanyaliVer(qint32 cario, qint32 satici) {
    return call<methodIndex("KampanyaliVer"), const platform::MemTable&>(cario, satici);
}
const platform::MemTable& TServerMethods1Client::QuovKampanyaliVer(qint32 cario, qint32 satici) {
    return call<methodIndex("QuovKampanyaliVer"), const platform::MemTable&>(cario, satici);
}
const platform::MemTable& TServerMethods1Client::KampanyaliVermMobil(qint32 cario, qint32 satici) {
    return call<methodIndex("KampanyaliVermMobil"), const platform::MemTable&>(cario, satici);
}
const platform::MemTable& TServerMethods1Client::DuyuruVer() {
    return call<methodIndex("DuyuruVer"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::DuyuruVer2() {
    return call<methodIndex("DuyuruVer2"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::BakiyelerVer(qint32 carino) {
    return call<methodIndex("BakiyelerVer"), const platform::MemTable&>(carino);
}
const TSonucBilgisi* TServerMethods1Client::BuyukGetir(const QString& idsi) {
    return call<methodIndex("BuyukGetir"), const TSonucBilgisi*>(idsi);
}
const QByteArray* TServerMethods1Client::ResimVer5(qint32 stokno, qint64& boy) {
    return call<methodIndex("ResimVer5"), const QByteArray*>(stokno, boy);
}
const QJsonArray& TServerMethods1Client::ResimVer6(qint32 stokno, qint64& boy) {
    return call<methodIndex("ResimVer6"), const QJsonArray&>(stokno, boy);
}
const platform::MemTable& TServerMethods1Client::StokAraTilso(
    const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi) {
    return call<methodIndex("StokAraTilso"), const platform::MemTable&>(kod, std::move(bilgi));
}
const platform::MemTable& TServerMethods1Client::Kaveltrim(const QString& kod,
                                                           std::unique_ptr<TSonucBilgisi> bilgi) {
    return call<methodIndex("Kaveltrim"), const platform::MemTable&>(kod, std::move(bilgi));
}
const platform::MemTable& TServerMethods1Client::StokAraQuov(const QString& kod,
                                                             std::unique_ptr<TSonucBilgisi> bilgi) {
    return call<methodIndex("StokAraQuov"), const platform::MemTable&>(kod, std::move(bilgi));
}
const platform::MemTable& TServerMethods1Client::TeslimVer() {
    return call<methodIndex("TeslimVer"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::KargoVer() {
    return call<methodIndex("KargoVer"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::KargolarVer(qint32 gn) {
    return call<methodIndex("KargolarVer"), const platform::MemTable&>(gn);
}
qint32 TServerMethods1Client::SepetEkle(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino,
                                        qint32 stokno, const QString& barkod,
                                        const QString& stokadi, double miktar, double kdv,
                                        double fiyat, double indirim, qint32 verenid, qint32 k) {
    return call<methodIndex("SepetEkle"), qint32>(std::move(bilgim), carino, stokno, barkod,
                                                  stokadi, miktar, kdv, fiyat, indirim, verenid, k);
}
qint32 TServerMethods1Client::SepetGuncelle(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino,
                                            qint32 stokno, const QString& barkod,
                                            const QString& stokadi, double miktar, double kdv,
                                            double fiyat, double indirim, qint32 verenid,
                                            qint32 _sepetsirano) {
    return call<methodIndex("SepetGuncelle"), qint32>(std::move(bilgim), carino, stokno, barkod,
                                                      stokadi, miktar, kdv, fiyat, indirim, verenid,
                                                      _sepetsirano);
}
qint32 TServerMethods1Client::SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi) {
    return call<methodIndex("SepetHepsiniSil"), qint32>(std::move(bilgi));
}
void TServerMethods1Client::CikisGonder(std::unique_ptr<TSonucBilgisi> bilgi) {
    call<methodIndex("CikisGonder"), void>(std::move(bilgi));
}
qint32 TServerMethods1Client::SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, qint32 satirno,
                                            const QString& aciklamam) {
    return call<methodIndex("SepetSatirSil"), qint32>(std::move(bilgi), satirno, aciklamam);
}
bool TServerMethods1Client::SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, qint32 _carino,
                                          qint32 _teslim, qint32 _kargo, const QString& _aciklama,
                                          qint32 _verenid, qint32 _kargoyeni) {
    return call<methodIndex("SiparisKaydet"), bool>(std::move(BB), _carino, _teslim, _kargo,
                                                    _aciklama, _verenid, _kargoyeni);
}
const platform::MemTable& TServerMethods1Client::Oncekiler(qint32 carino) {
    return call<methodIndex("Oncekiler"), const platform::MemTable&>(carino);
}
const platform::MemTable& TServerMethods1Client::SiparisAyrintisi(qint32 carino, qint32 idnosu) {
    return call<methodIndex("SiparisAyrintisi"), const platform::MemTable&>(carino, idnosu);
}
const platform::MemTable& TServerMethods1Client::FaturaGetir(qint32 carino, qint32 idnosu) {
    return call<methodIndex("FaturaGetir"), const platform::MemTable&>(carino, idnosu);
}
const platform::MemTable& TServerMethods1Client::FaturaAltGetir(qint32 idnosu) {
    return call<methodIndex("FaturaAltGetir"), const platform::MemTable&>(idnosu);
}
const platform::MemTable& TServerMethods1Client::Tahsilat(qint32 idnosu) {
    return call<methodIndex("Tahsilat"), const platform::MemTable&>(idnosu);
}
qint32 TServerMethods1Client::BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                            qint32 sepetsirano, qint32 siparissirano, double Adet,
                                            double Bakiye, const QString& barkod) {
    return call<methodIndex("BakiyeDuzenle"), qint32>(std::move(k), stokno, sepetsirano,
                                                      siparissirano, Adet, Bakiye, barkod);
}
qint32 TServerMethods1Client::BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                             qint32 sepetsirano, qint32 siparissirano, double Adet,
                                             double Bakiye, const QString& barkod) {
    return call<methodIndex("BakiyeDegistir"), qint32>(std::move(k), stokno, sepetsirano,
                                                       siparissirano, Adet, Bakiye, barkod);
}
qint32 TServerMethods1Client::BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                                  qint32 sepetsirano, qint32 siparissirano,
                                                  double Adet, double Bakiye, const QString& barkod,
                                                  double fiyat, double ind) {
    return call<methodIndex("BakiyeFiyatDegistir"), qint32>(
        std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod, fiyat, ind);
}
const TSiparisDipAyrinti* TServerMethods1Client::SiparisAytintisiDip(qint32 carino,
                                                                     qint32 siranosu) {
    return call<methodIndex("SiparisAytintisiDip"), const TSiparisDipAyrinti*>(carino, siranosu);
}
const platform::MemTable& TServerMethods1Client::CariAra(std::unique_ptr<TSonucBilgisi> bil,
                                                         const QString& aranan) {
    return call<methodIndex("CariAra"), const platform::MemTable&>(std::move(bil), aranan);
}
qint32 TServerMethods1Client::SepetSayisi(std::unique_ptr<TSonucBilgisi> bil) {
    return call<methodIndex("SepetSayisi"), qint32>(std::move(bil));
}
const TTusSonuclari* TServerMethods1Client::TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil) {
    return call<methodIndex("TusSonuclariVer"), const TTusSonuclari*>(std::move(bil));
}
const platform::MemTable& TServerMethods1Client::CariSepetVer(std::unique_ptr<TSonucBilgisi> bil,
                                                              qint32 n) {
    return call<methodIndex("CariSepetVer"), const platform::MemTable&>(std::move(bil), n);
}
const QByteArray* TServerMethods1Client::DosyaIndir(qint64& size) {
    return call<methodIndex("DosyaIndir"), const QByteArray*>(size);
}
const QByteArray* TServerMethods1Client::BelgeIndir(qint32 sirano, qint64& size, QString& adi) {
    return call<methodIndex("BelgeIndir"), const QByteArray*>(sirano, size, adi);
}
const QByteArray* TServerMethods1Client::BelgeIndir2(qint32 sirano, qint64& size, QString& adi,
                                                     std::unique_ptr<TSonucBilgisi> bilgi) {
    return call<methodIndex("BelgeIndir2"), const QByteArray*>(sirano, size, adi, std::move(bilgi));
}
QString TServerMethods1Client::KayanYaziGetir() {
    return call<methodIndex("KayanYaziGetir"), QString>();
}
const QByteArray* TServerMethods1Client::BannerResimVer(qint64& size) {
    return call<methodIndex("BannerResimVer"), const QByteArray*>(size);
}
const QByteArray* TServerMethods1Client::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno,
                                                    qint32 carino, const QString& saticiadi,
                                                    double tarih1, double tarih2, qint64& size) {
    return call<methodIndex("RaporGetir"), const QByteArray*>(raporno, bolum, idno, carino,
                                                              saticiadi, tarih1, tarih2, size);
}
qint32 TServerMethods1Client::KurlariAl(double& usd, double& eur) {
    return call<methodIndex("KurlariAl"), qint32>(usd, eur);
}
const platform::MemTable& TServerMethods1Client::BalonGetir(std::unique_ptr<TSonucBilgisi> bil) {
    return call<methodIndex("BalonGetir"), const platform::MemTable&>(std::move(bil));
}
const platform::MemTable& TServerMethods1Client::TumSiparislerVer(qint32 carino, qint32 stokno) {
    return call<methodIndex("TumSiparislerVer"), const platform::MemTable&>(carino, stokno);
}
void TServerMethods1Client::SepetSecimGuncelle(qint32 sirano, qint32 secim) {
    call<methodIndex("SepetSecimGuncelle"), void>(sirano, secim);
}
const TMobilStoklar* TServerMethods1Client::MobilStokara(const QString& kod,
                                                         std::unique_ptr<TSonucBilgisi> bilgi,
                                                         qint32 neresi, qint32 nekadar) {
    return call<methodIndex("MobilStokara"), const TMobilStoklar*>(kod, std::move(bilgi), neresi,
                                                                   nekadar);
}
const TMobilStok* TServerMethods1Client::MobilStokNoAra(qint32 stokno,
                                                        std::unique_ptr<TSonucBilgisi> bilgi) {
    return call<methodIndex("MobilStokNoAra"), const TMobilStok*>(stokno, std::move(bilgi));
}
const TMobilSepetler* TServerMethods1Client::SepetMobilVer(qint32 carino) {
    return call<methodIndex("SepetMobilVer"), const TMobilSepetler*>(carino);
}
qint32 TServerMethods1Client::MailGonserCari(const QString& idsi, const QString& baslik,
                                             const QString& firmaadi, const QString& adres1,
                                             const QString& adres2, const QString& ilce,
                                             const QString& sehir, const QString& telefon,
                                             const QString& fax, const QString& vd,
                                             const QString& vn, const QString& yetkili,
                                             const QString& kullaniciadi, const QString& sifre,
                                             const QString& mail, const QString& kargoambar) {
    return call<methodIndex("MailGonserCari"), qint32>(idsi, baslik, firmaadi, adres1, adres2, ilce,
                                                       sehir, telefon, fax, vd, vn, yetkili,
                                                       kullaniciadi, sifre, mail, kargoambar);
}
qint32 TServerMethods1Client::MailGonserCariNormal(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail,
    const QString& kargoambar, const QString& konu) {
    return call<methodIndex("MailGonserCariNormal"), qint32>(
        idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn, yetkili,
        kullaniciadi, sifre, mail, kargoambar, konu);
}
const TMobilCariBilgisi* TServerMethods1Client::MobilCariBilgisiGetir(qint32 sirano,
                                                                      const QString& _idsi) {
    return call<methodIndex("MobilCariBilgisiGetir"), const TMobilCariBilgisi*>(sirano, _idsi);
}
qint32 TServerMethods1Client::AcilisReklamAdet() {
    return call<methodIndex("AcilisReklamAdet"), qint32>();
}
const TAcilisEkran* TServerMethods1Client::AcilisREklamVer(qint32 sira) {
    return call<methodIndex("AcilisREklamVer"), const TAcilisEkran*>(sira);
}
const TAcilisEkranlar* TServerMethods1Client::AcilisEkranlarVer() {
    return call<methodIndex("AcilisEkranlarVer"), const TAcilisEkranlar*>();
}
const TAcilisEkranlariki* TServerMethods1Client::AcilisEkranlarVer2() {
    return call<methodIndex("AcilisEkranlarVer2"), const TAcilisEkranlariki*>();
}
qint32 TServerMethods1Client::MobilStokaraGeri(const QString& kod,
                                               std::unique_ptr<TSonucBilgisi> bilgi, qint32 neresi,
                                               qint32 nekadar, ServerCallback* geri) {
    return call<methodIndex("MobilStokaraGeri"), qint32>(kod, std::move(bilgi), neresi, nekadar,
                                                         geri);
}
const TMobilStoklar* TServerMethods1Client::MobilStokaraAdimli(const QString& kod,
                                                               std::unique_ptr<TSonucBilgisi> bilgi,
                                                               qint32 neresi, qint32 nekadar,
                                                               qint32 ilk, qint32 Adet, bool& kalan,
                                                               qint32& toplam) {
    return call<methodIndex("MobilStokaraAdimli"), const TMobilStoklar*>(
        kod, std::move(bilgi), neresi, nekadar, ilk, Adet, kalan, toplam);
}
const platform::MemTable& TServerMethods1Client::DepartmanlariGetir() {
    return call<methodIndex("DepartmanlariGetir"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::QuovdeAra(const QString& s) {
    return call<methodIndex("QuovdeAra"), const platform::MemTable&>(s);
}
const platform::MemTable& TServerMethods1Client::DosyaListesi() {
    return call<methodIndex("DosyaListesi"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::DosyaListesi2() {
    return call<methodIndex("DosyaListesi2"), const platform::MemTable&>();
}
const platform::MemTable& TServerMethods1Client::AcilisEkranlariVerData() {
    return call<methodIndex("AcilisEkranlariVerData"), const platform::MemTable&>();
}
QString TServerMethods1Client::BuyukResimVer(qint32 stokno, qint32& boy) {
    return call<methodIndex("BuyukResimVer"), QString>(stokno, boy);
}
const QByteArray* TServerMethods1Client::HttpResimVer(qint32 stokno) {
    return call<methodIndex("HttpResimVer"), const QByteArray*>(stokno);
}
QString TServerMethods1Client::KucukResimVer(qint32 stokno) {
    return call<methodIndex("KucukResimVer"), QString>(stokno);
}
bool TServerMethods1Client::SifremiUnuttum(const QString& idsi, qint32& mailvarmi) {
    return call<methodIndex("SifremiUnuttum"), bool>(idsi, mailvarmi);
}
qint32 TServerMethods1Client::BalonGetir2(qint32 carino, qint32& sepet, qint32& yenistok,
                                          qint32& kampnayali, qint32& duyuru, qint32& Bakiye,
                                          qint32& dosya) {
    return call<methodIndex("BalonGetir2"), qint32>(carino, sepet, yenistok, kampnayali, duyuru,
                                                    Bakiye, dosya);
}
qint32 TServerMethods1Client::MobilSiparisKaydet(qint32 idnosu) {
    return call<methodIndex("MobilSiparisKaydet"), qint32>(idnosu);
}
const platform::MemTable& TServerMethods1Client::RaporAlinanSiparisler(
    std::unique_ptr<TSonucBilgisi> bilgi, double tarih1, double tarih2) {
    return call<methodIndex("RaporAlinanSiparisler"), const platform::MemTable&>(std::move(bilgi),
                                                                                 tarih1, tarih2);
}
const platform::MemTable& TServerMethods1Client::RaporEnCokSatilanStoklar(
    std::unique_ptr<TSonucBilgisi> bilgi, double tarih1, double tarih2) {
    return call<methodIndex("RaporEnCokSatilanStoklar"), const platform::MemTable&>(
        std::move(bilgi), tarih1, tarih2);
}
const QByteArray* TServerMethods1Client::GrelvintosakVer() {
    return call<methodIndex("GrelvintosakVer"), const QByteArray*>();
}
}  // namespace kv::remote
