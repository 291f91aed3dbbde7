#include "remote/TransferObject.h"

#include <cmath>
#include <functional>
#include <limits>

#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"

namespace kv::remote {

void TransferObject::writeJson(JsonWriter& w, int& nextId) const {
    w.StartObject();
    w.Key("type");
    const auto tn = typeName();
    w.String(tn.data(), static_cast<rapidjson::SizeType>(tn.size()));
    w.Key("id");
    w.Int(nextId++);
    w.Key("fields");
    w.StartObject();
    writeFieldMembers(w, nextId);
    w.EndObject();
    w.EndObject();
}

void TransferObject::readFields(const rapidjson::Value& fields) {
    if (!fields.IsObject())
        throw RecordFormatError("\"fields\" bir nesne olmalı");
    for (const auto& m : fields.GetObject()) {
        readFieldMember(std::string_view(m.name.GetString(), m.name.GetStringLength()), m.value);
    }
}

namespace {
template <class T>
std::unique_ptr<TransferObject> make() {
    return std::make_unique<T>();
}
}  // namespace

std::unique_ptr<TransferObject> createTransferObject(std::string_view typeName) {
    struct Entry {
        std::string_view name;
        std::unique_ptr<TransferObject> (*make)();
    };
    static const Entry kClasses[] = {
        {TSonucBilgisi::kTypeName, &make<TSonucBilgisi>},
        {TSiparisDipAyrinti::kTypeName, &make<TSiparisDipAyrinti>},
        {TTusSonuclari::kTypeName, &make<TTusSonuclari>},
        {TMobilStok::kTypeName, &make<TMobilStok>},
        {TMobilSepet::kTypeName, &make<TMobilSepet>},
        {TMobilCariBilgisi::kTypeName, &make<TMobilCariBilgisi>},
        {TAcilisEkran::kTypeName, &make<TAcilisEkran>},
        {TAcilisEkranlariki::kTypeName, &make<TAcilisEkranlariki>},
        {TMobilStoklar::kTypeName, &make<TMobilStoklar>},
        {TMobilSepetler::kTypeName, &make<TMobilSepetler>},
        {TAcilisEkranlar::kTypeName, &make<TAcilisEkranlar>},
    };
    for (const auto& c : kClasses) {
        if (c.name == typeName)
            return c.make();
    }
    return nullptr;
}

std::unique_ptr<TransferObject> readTransferObject(const rapidjson::Value& v) {
    if (v.IsNull())
        return nullptr;
    if (!v.IsObject())
        throw RecordFormatError("nesne bekleniyordu");
    const auto type = v.FindMember("type");
    if (type == v.MemberEnd() || !type->value.IsString()) {
        throw RecordFormatError("nesnenin \"type\" üyesi yok");
    }
    const std::string_view tn(type->value.GetString(), type->value.GetStringLength());
    auto obj = createTransferObject(tn);
    if (!obj)
        throw RecordFormatError("bilinmeyen nesne türü: " + std::string(tn));
    const auto fields = v.FindMember("fields");
    if (fields != v.MemberEnd())
        obj->readFields(fields->value);
    return obj;
}

std::string toJson(const TransferObject& obj) {
    rapidjson::StringBuffer sb;
    JsonWriter w(sb);
    int id = 1;
    obj.writeJson(w, id);
    return std::string(sb.GetString(), sb.GetSize());
}

std::unique_ptr<TransferObject> fromJson(std::string_view json) {
    rapidjson::Document d;
    d.Parse<rapidjson::kParseFullPrecisionFlag>(json.data(), json.size());
    if (d.HasParseError())
        throw RecordFormatError("geçersiz JSON");
    return readTransferObject(d);
}

namespace detail {

void writeValue(JsonWriter& w, const QString& v) {
    const QByteArray u = v.toUtf8();
    w.String(u.constData(), static_cast<rapidjson::SizeType>(u.size()));
}
void writeValue(JsonWriter& w, qint32 v) {
    w.Int(v);
}
void writeValue(JsonWriter& w, double v) {
    // The wire has no NaN or infinity; such a value is a fault upstream and travels as 0.
    w.Double(std::isfinite(v) ? v : 0.0);
}
void writeValue(JsonWriter& w, bool v) {
    w.Bool(v);
}

static RecordFormatError typeError(std::string_view name, const char* expected) {
    return RecordFormatError("\"" + std::string(name) + "\" alanı " + expected + " olmalı");
}

void readValue(const rapidjson::Value& j, QString& v, std::string_view name) {
    if (j.IsNull()) {
        v.clear();
        return;
    }
    if (!j.IsString())
        throw typeError(name, "metin");
    v = QString::fromUtf8(j.GetString(), static_cast<qsizetype>(j.GetStringLength()));
}
void readValue(const rapidjson::Value& j, qint32& v, std::string_view name) {
    if (j.IsInt()) {
        v = j.GetInt();
    } else if (j.IsDouble() && std::trunc(j.GetDouble()) == j.GetDouble() &&
               std::abs(j.GetDouble()) <= std::numeric_limits<qint32>::max()) {
        v = static_cast<qint32>(j.GetDouble());
    } else {
        throw typeError(name, "tam sayı");
    }
}
void readValue(const rapidjson::Value& j, double& v, std::string_view name) {
    if (!j.IsNumber())
        throw typeError(name, "sayı");
    v = j.GetDouble();
}
void readValue(const rapidjson::Value& j, bool& v, std::string_view name) {
    if (!j.IsBool())
        throw typeError(name, "true/false");
    v = j.GetBool();
}

}  // namespace detail
}  // namespace kv::remote
