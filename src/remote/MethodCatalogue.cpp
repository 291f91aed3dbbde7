#include "remote/MethodCatalogue.h"

namespace kv::remote {

namespace {
constexpr bool numberedInOrder() {
    for (std::size_t i = 0; i < kMethodCatalogue.size(); ++i) {
        if (kMethodCatalogue[i].number != static_cast<int>(i) + 1)
            return false;
    }
    return true;
}
constexpr bool namesUnique() {
    for (std::size_t i = 0; i < kMethodCatalogue.size(); ++i) {
        for (std::size_t j = i + 1; j < kMethodCatalogue.size(); ++j) {
            if (kMethodCatalogue[i].name == kMethodCatalogue[j].name)
                return false;
        }
    }
    return true;
}
static_assert(numberedInOrder(), "catalogue numbers must follow the array order");
static_assert(namesUnique(), "catalogue names must be unique");
}  // namespace

const MethodSpec* findMethod(std::string_view name) {
    for (const auto& s : kMethodCatalogue) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

const char* valueTypeName(ValueType t) {
    switch (t) {
        case ValueType::None:
            return "none";
        case ValueType::Text:
            return "text";
        case ValueType::Int32:
            return "int32";
        case ValueType::Int64:
            return "int64";
        case ValueType::Double:
            return "double";
        case ValueType::Boolean:
            return "boolean";
        case ValueType::Record:
            return "record";
        case ValueType::JsonArray:
            return "JSON array";
        case ValueType::Stream:
            return "stream";
        case ValueType::Callback:
            return "callback";
        case ValueType::Table:
            return "table";
    }
    return "?";
}

}  // namespace kv::remote
