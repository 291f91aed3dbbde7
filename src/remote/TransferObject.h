// Base of every object that crosses the remote interface, and its JSON object form:
//   {"type": "unit.Class", "id": N, "fields": {"FName": value, ...}}
// Fields are described once per class by an X-macro list (name and type), which gives the
// members, the property getters and setters, and the reflection table used by the codec.
#pragma once

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <variant>
#include <vector>

namespace kv::remote {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

// A message whose JSON does not have the shape the reader expects.
class RecordFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TransferObject {
  public:
    virtual ~TransferObject() = default;

    // Qualified class name as it travels in "type".
    virtual std::string_view typeName() const = 0;

    // Writes the whole object; nextId is the id this object takes and is advanced past every
    // nested object, so the outermost object of a message is written with nextId == 1.
    void writeJson(JsonWriter& w, int& nextId) const;
    // Stores the members of "fields" into this object; members not named keep their value.
    void readFields(const rapidjson::Value& fields);

  protected:
    virtual void writeFieldMembers(JsonWriter& w, int& nextId) const = 0;
    virtual void readFieldMember(std::string_view name, const rapidjson::Value& v) = 0;
};

// Creates an empty object of the named class (its creation defaults applied), or nullptr
// when the name is not a class of this program.
std::unique_ptr<TransferObject> createTransferObject(std::string_view typeName);

// Reads one object of any known class from its JSON form. A JSON null gives nullptr.
// Throws RecordFormatError on a malformed object or an unknown type.
std::unique_ptr<TransferObject> readTransferObject(const rapidjson::Value& v);

// Reads an object that must be of class T (or null).
template <class T>
std::unique_ptr<T> readRecord(const rapidjson::Value& v) {
    auto obj = readTransferObject(v);
    if (!obj)
        return nullptr;
    if (obj->typeName() != T::kTypeName) {
        throw RecordFormatError("beklenmeyen nesne türü: " + std::string(obj->typeName()));
    }
    return std::unique_ptr<T>(static_cast<T*>(obj.release()));
}

// Whole-message helpers (the object is the outermost, id 1).
std::string toJson(const TransferObject& obj);
std::unique_ptr<TransferObject> fromJson(std::string_view json);

namespace detail {
// Scalar field codec used by the generated member code.
void writeValue(JsonWriter& w, const QString& v);
void writeValue(JsonWriter& w, qint32 v);
void writeValue(JsonWriter& w, double v);
void writeValue(JsonWriter& w, bool v);
void readValue(const rapidjson::Value& j, QString& v, std::string_view name);
void readValue(const rapidjson::Value& j, qint32& v, std::string_view name);
void readValue(const rapidjson::Value& j, double& v, std::string_view name);
void readValue(const rapidjson::Value& j, bool& v, std::string_view name);

// A list of transfer objects of one class, written as a JSON array of their object forms.
template <class E>
void writeList(JsonWriter& w, const std::vector<E>& list, int& nextId) {
    w.StartArray();
    for (const auto& e : list)
        e.writeJson(w, nextId);
    w.EndArray();
}
template <class E>
void readList(const rapidjson::Value& j, std::vector<E>& list, std::string_view name) {
    if (!j.IsArray()) {
        throw RecordFormatError("\"" + std::string(name) + "\" bir dizi olmalı");
    }
    list.clear();
    list.reserve(j.Size());
    for (const auto& item : j.GetArray()) {
        auto e = readRecord<E>(item);
        if (!e)
            throw RecordFormatError("\"" + std::string(name) + "\" içinde boş öğe");
        list.push_back(std::move(*e));
    }
}
}  // namespace detail

}  // namespace kv::remote

// Declares the field F<Name>, the getter Name() and the setter setName() of one field.
#define KV_RECORD_MEMBER(Type, Name) \
  public:                            \
    const Type& Name() const {       \
        return F##Name;              \
    }                                \
    void set##Name(const Type& v) {  \
        F##Name = v;                 \
    }                                \
                                     \
  private:                           \
    Type F##Name{};

#define KV_RECORD_WRITE(Type, Name) \
    w.Key("F" #Name);               \
    ::kv::remote::detail::writeValue(w, F##Name);

#define KV_RECORD_READ(Type, Name)                              \
    if (name == "F" #Name) {                                    \
        ::kv::remote::detail::readValue(v, F##Name, "F" #Name); \
        return;                                                 \
    }

#define KV_RECORD_EQ(Type, Name) &&F##Name == o.F##Name

// The body shared by every generated transfer class: members, codec, equality.
#define KV_RECORD_BODY(Class, TypeNameLiteral, FIELDS)                         \
  public:                                                                      \
    static constexpr std::string_view kTypeName = TypeNameLiteral;             \
    std::string_view typeName() const override {                               \
        return kTypeName;                                                      \
    }                                                                          \
    bool operator==(const Class& o) const {                                    \
        return true FIELDS(KV_RECORD_EQ);                                      \
    }                                                                          \
                                                                               \
  protected:                                                                   \
    void writeFieldMembers(::kv::remote::JsonWriter& w, int&) const override { \
        FIELDS(KV_RECORD_WRITE)                                                \
    }                                                                          \
    void readFieldMember(std::string_view name, const rapidjson::Value& v)     \
        override{FIELDS(KV_RECORD_READ)} FIELDS(KV_RECORD_MEMBER)
