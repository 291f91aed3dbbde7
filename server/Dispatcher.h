// Remote calls on the server side: every request is checked against the method catalogue
// (name, number and types of the in-parameters) before a handler sees it, and the answer is
// written in the wire form {"result": R, "out": [...]}.
#pragma once

#include <rapidjson/document.h>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "remote/MethodCatalogue.h"
#include "remote/TransferObject.h"

namespace kv::server {

class Storage;

// An error a handler raises to answer 500 with its message.
class MethodError : public std::runtime_error {
  public:
    explicit MethodError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class Call {
  public:
    Call(const remote::MethodSpec& spec, const rapidjson::Value& params, remote::JsonWriter& w,
         Storage& storage, std::string peer);

    const remote::MethodSpec& spec() const { return spec_; }
    Storage& storage() { return storage_; }
    const std::string& peer() const { return peer_; }

    // In-parameters by their declared position in the catalogue.
    QString text(std::size_t pos) const;
    std::string utf8(std::size_t pos) const;
    qint32 int32(std::size_t pos) const;
    double real(std::size_t pos) const;
    bool boolean(std::size_t pos) const;
    bool isNull(std::size_t pos) const;
    template <class R>
    std::unique_ptr<R> record(std::size_t pos) const {
        return remote::readRecord<R>(value(pos));
    }

    // The result: a handler writes exactly one JSON value through this writer (methods
    // without a result write nothing).
    remote::JsonWriter& result() {
        resultWritten_ = true;
        return w_;
    }
    bool resultWritten() const { return resultWritten_; }

    // Out-parameters by their declared position.
    void setOut(std::size_t pos, qint64 v);
    void setOut(std::size_t pos, double v);
    void setOut(std::size_t pos, const QString& v);
    void setOut(std::size_t pos, bool v);
    const std::vector<std::string>& outs() const { return outs_; }

  private:
    const rapidjson::Value& value(std::size_t pos) const;
    std::size_t outSlot(std::size_t pos) const;

    const remote::MethodSpec& spec_;
    const rapidjson::Value& params_;
    remote::JsonWriter& w_;
    Storage& storage_;
    std::string peer_;
    std::vector<int> inIndex_;   // declared position -> index in params, -1 for out
    std::vector<int> outIndex_;  // declared position -> index in out, -1 for in
    std::vector<std::string> outs_;
    bool resultWritten_ = false;
};

using Handler = std::function<void(Call&)>;

struct DispatchResult {
    int status = 200;
    std::string body;
};

class Dispatcher {
  public:
    explicit Dispatcher(Storage& storage);
    void add(std::string_view method, Handler h);
    bool has(std::string_view method) const;
    // The answer to POST .../TServerMethods1.<method> with the given body.
    DispatchResult dispatch(std::string_view method, std::string body, const std::string& peer);

  private:
    Storage& storage_;
    std::map<std::string, Handler, std::less<>> handlers_;
};

// The error body of the wire: {"error": {"class": "EServerMethodError", "message": ...}}.
std::string errorBody(const QString& message);

}  // namespace kv::server
