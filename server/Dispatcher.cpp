#include "Dispatcher.h"

#include <cmath>
#include <limits>

#include "Sqlite.h"

namespace kv::server {

using remote::Direction;
using remote::ValueType;

namespace {

QString u(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::string jsonString(const QString& s) {
    rapidjson::StringBuffer sb;
    remote::JsonWriter w(sb);
    remote::detail::writeValue(w, s);
    return std::string(sb.GetString(), sb.GetSize());
}

bool isBase64(std::string_view s) {
    if (s.size() % 4 != 0)
        return false;
    std::size_t pad = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '=') {
            ++pad;
            continue;
        }
        const bool alnum =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (pad > 0 || !(alnum || c == '+' || c == '/'))
            return false;
    }
    return pad <= 2;
}

// Why a parameter value does not fit its declared type, or empty when it fits.
QString typeProblem(const remote::ParamSpec& p, const rapidjson::Value& v) {
    switch (p.type) {
        case ValueType::Text:
            return v.IsString() ? QString() : QStringLiteral("metin olmalı");
        case ValueType::Int32:
            return v.IsInt() ? QString() : QStringLiteral("32 bitlik tam sayı olmalı");
        case ValueType::Int64:
            return v.IsInt64() ? QString() : QStringLiteral("64 bitlik tam sayı olmalı");
        case ValueType::Double:
            return v.IsNumber() ? QString() : QStringLiteral("sayı olmalı");
        case ValueType::Boolean:
            return v.IsBool() ? QString() : QStringLiteral("true ya da false olmalı");
        case ValueType::Callback:
            return v.IsNull() ? QString() : QStringLiteral("null olmalı");
        case ValueType::JsonArray:
            return v.IsArray() ? QString() : QStringLiteral("dizi olmalı");
        case ValueType::Stream:
            if (v.IsNull())
                return QString();
            if (!v.IsString() || !isBase64(std::string_view(v.GetString(), v.GetStringLength())))
                return QStringLiteral("base64 metin ya da null olmalı");
            return QString();
        case ValueType::Record: {
            if (v.IsNull())
                return QString();
            if (!v.IsObject())
                return QStringLiteral("nesne ya da null olmalı");
            const auto t = v.FindMember("type");
            if (t == v.MemberEnd() || !t->value.IsString()) {
                return QStringLiteral("\"type\" üyesi olan bir nesne olmalı");
            }
            const std::string_view tn(t->value.GetString(), t->value.GetStringLength());
            if (!p.recordType.empty() && tn != p.recordType) {
                return QStringLiteral("%1 türünde olmalı, %2 geldi").arg(u(p.recordType), u(tn));
            }
            try {
                remote::readTransferObject(v);
            } catch (const remote::RecordFormatError& e) {
                return QString::fromUtf8(e.what());
            }
            return QString();
        }
        default:
            return QStringLiteral("bu yönde taşınamaz");
    }
}

}  // namespace

std::string errorBody(const QString& message) {
    return "{\"error\":{\"class\":\"EServerMethodError\",\"message\":" + jsonString(message) + "}}";
}

Call::Call(const remote::MethodSpec& spec, const rapidjson::Value& params, remote::JsonWriter& w,
           Storage& storage, std::string peer)
    : spec_(spec), params_(params), w_(w), storage_(storage), peer_(std::move(peer)) {
    int in = 0, out = 0;
    for (std::size_t i = 0; i < spec.paramCount; ++i) {
        const bool isIn = spec.params[i].direction == Direction::In;
        inIndex_.push_back(isIn ? in++ : -1);
        outIndex_.push_back(isIn ? -1 : out++);
    }
    outs_.assign(std::size_t(out), "null");
}

const rapidjson::Value& Call::value(std::size_t pos) const {
    if (pos >= inIndex_.size() || inIndex_[pos] < 0) {
        throw std::logic_error("not an in-parameter");
    }
    return params_[rapidjson::SizeType(inIndex_[pos])];
}

QString Call::text(std::size_t pos) const {
    const auto& v = value(pos);
    return QString::fromUtf8(v.GetString(), qsizetype(v.GetStringLength()));
}
std::string Call::utf8(std::size_t pos) const {
    const auto& v = value(pos);
    return std::string(v.GetString(), v.GetStringLength());
}
qint32 Call::int32(std::size_t pos) const {
    return value(pos).GetInt();
}
double Call::real(std::size_t pos) const {
    return value(pos).GetDouble();
}
bool Call::boolean(std::size_t pos) const {
    return value(pos).GetBool();
}
bool Call::isNull(std::size_t pos) const {
    return value(pos).IsNull();
}

std::size_t Call::outSlot(std::size_t pos) const {
    if (pos >= outIndex_.size() || outIndex_[pos] < 0)
        throw std::logic_error("not an out-parameter");
    return std::size_t(outIndex_[pos]);
}
void Call::setOut(std::size_t pos, qint64 v) {
    const std::size_t slot = outSlot(pos);
    if (spec_.params[pos].type == ValueType::Int32 &&
        (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())) {
        throw MethodError(QStringLiteral("%1 metodunun \"%2\" çıkış değeri 32 bite sığmıyor")
                              .arg(u(spec_.name), u(spec_.params[pos].name)));
    }
    outs_[slot] = std::to_string(v);
}
void Call::setOut(std::size_t pos, double v) {
    const std::size_t slot = outSlot(pos);
    // The wire has no NaN or infinity; such a value is a fault of the method, not a 0.
    if (!std::isfinite(v))
        throw MethodError(QStringLiteral("%1 metodunun \"%2\" çıkış değeri geçerli bir sayı değil")
                              .arg(u(spec_.name), u(spec_.params[pos].name)));
    rapidjson::StringBuffer sb;
    remote::JsonWriter w(sb);
    w.Double(v);
    outs_[slot] = sb.GetString();
}
void Call::setOut(std::size_t pos, const QString& v) {
    outs_[outSlot(pos)] = jsonString(v);
}
void Call::setOut(std::size_t pos, bool v) {
    outs_[outSlot(pos)] = v ? "true" : "false";
}

Dispatcher::Dispatcher(Storage& storage) : storage_(storage) {}

void Dispatcher::add(std::string_view method, Handler h) {
    if (!remote::findMethod(method))
        throw std::logic_error("method not in the catalogue");
    handlers_.emplace(std::string(method), std::move(h));
}

bool Dispatcher::has(std::string_view method) const {
    return handlers_.count(method) > 0;
}

DispatchResult Dispatcher::dispatch(std::string_view method, std::string body,
                                    const std::string& peer) {
    const remote::MethodSpec* spec = remote::findMethod(method);
    if (!spec)
        return {400, errorBody(QStringLiteral("Bilinmeyen metod: %1").arg(u(method)))};

    // Strings must be valid UTF-8: they end up in the database and in other answers.
    rapidjson::Document d;
    d.ParseInsitu<rapidjson::kParseFullPrecisionFlag | rapidjson::kParseValidateEncodingFlag>(
        body.data());
    const rapidjson::Value* paramsValue = nullptr;
    if (!d.HasParseError() && d.IsObject()) {
        const auto it = d.FindMember("params");
        if (it != d.MemberEnd() && it->value.IsArray())
            paramsValue = &it->value;
    }
    if (!paramsValue) {
        return {
            400,
            errorBody(QStringLiteral("İstek gövdesi {\"params\": [...]} biçiminde JSON olmalı (%1)")
                          .arg(u(method)))};
    }
    const auto& args = *paramsValue;
    if (args.Size() != spec->inCount()) {
        return {400, errorBody(QStringLiteral("%1 metodu %2 parametre bekliyor, %3 geldi")
                                   .arg(u(method))
                                   .arg(spec->inCount())
                                   .arg(args.Size()))};
    }
    rapidjson::SizeType i = 0;
    for (std::size_t p = 0; p < spec->paramCount; ++p) {
        const remote::ParamSpec& ps = spec->params[p];
        if (ps.direction != Direction::In)
            continue;
        const QString problem = typeProblem(ps, args[i++]);
        if (!problem.isEmpty()) {
            return {400, errorBody(QStringLiteral("%1 metodunun \"%2\" parametresi %3")
                                       .arg(u(method), u(ps.name), problem))};
        }
    }

    const auto h = handlers_.find(method);
    if (h == handlers_.end()) {
        return {500, errorBody(QStringLiteral("Bu metod henüz hizmette değil"))};
    }

    rapidjson::StringBuffer sb;
    remote::JsonWriter w(sb);
    w.StartObject();
    w.Key("result");
    Call call(*spec, args, w, storage_, peer);
    try {
        h->second(call);
    } catch (const MethodError& e) {
        return {500, errorBody(QString::fromUtf8(e.what()))};
    } catch (const DbError& e) {
        return {500, errorBody(
                         QStringLiteral("Veritabanı hatası: %1").arg(QString::fromUtf8(e.what())))};
    } catch (const std::exception& e) {
        return {500, errorBody(QString::fromUtf8(e.what()))};
    }
    if (!call.resultWritten())
        w.Null();
    // The out values are already JSON; they are spliced in after the result.
    w.Key("out");
    w.StartArray();
    w.EndArray();
    w.EndObject();
    std::string out(sb.GetString(), sb.GetSize());
    if (!call.outs().empty()) {
        std::string list;
        for (const auto& o : call.outs())
            list += (list.empty() ? "" : ",") + o;
        out.insert(out.size() - 2, list);  // before the closing "]}"
    }
    return {200, std::move(out)};
}

}  // namespace kv::server
