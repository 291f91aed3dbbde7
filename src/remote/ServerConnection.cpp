#include "remote/ServerConnection.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <optional>

#include "remote/RemoteError.h"

namespace kv::remote {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

// Blocking use of an asynchronous stream: every operation is started, then the private
// io_context is run until it completes or its deadline expires (which closes the socket).
struct ServerConnection::Socket {
    asio::io_context ioc;
    beast::tcp_stream stream{ioc};
    beast::flat_buffer buffer;

    template <class Op>
    beast::error_code run(Op&& start) {
        std::optional<beast::error_code> result;
        start([&result](beast::error_code ec, auto&&...) { result = ec; });
        ioc.restart();
        ioc.run();
        return result.value_or(asio::error::operation_aborted);
    }
};

ServerConnection::ServerConnection() = default;
ServerConnection::ServerConnection(ConnectionParams params) : params_(std::move(params)) {}
ServerConnection::~ServerConnection() {
    close();
}

std::unique_ptr<ServerConnection> ServerConnection::clone() const {
    return std::make_unique<ServerConnection>(params_);
}

bool ServerConnection::isOpen() const {
    return socket_ != nullptr;
}

static QString connectFailure(const ConnectionParams& p, const QString& reason) {
    return QStringLiteral("Sunucuya bağlanılamadı (%1:%2): %3").arg(p.hostName, p.port, reason);
}

void ServerConnection::open() {
    if (socket_)
        return;
    bool portOk = false;
    const uint port = params_.port.toUInt(&portOk);
    if (!portOk || port == 0 || port > 65535) {
        throw RemoteError(connectFailure(params_, QStringLiteral("geçersiz port")));
    }
    auto s = std::make_unique<Socket>();
    beast::error_code ec;
    tcp::resolver resolver(s->ioc);
    const auto endpoints =
        resolver.resolve(params_.hostName.toStdString(), std::to_string(port), ec);
    if (ec)
        throw RemoteError(connectFailure(params_, QString::fromStdString(ec.message())));

    s->stream.expires_after(std::chrono::milliseconds(params_.connectTimeoutMs));
    ec = s->run([&](auto handler) { s->stream.async_connect(endpoints, handler); });
    if (ec) {
        const QString reason = ec == beast::error::timeout ? QStringLiteral("zaman aşımı")
                                                           : QString::fromStdString(ec.message());
        throw RemoteError(connectFailure(params_, reason));
    }
    s->stream.socket().set_option(tcp::no_delay(true), ec);
    socket_ = std::move(s);
    ++connectCount_;
}

void ServerConnection::close() {
    if (!socket_)
        return;
    beast::error_code ec;
    socket_->stream.socket().shutdown(tcp::socket::shutdown_both, ec);
    socket_->stream.close();
    socket_.reset();
}

ServerConnection::Reply ServerConnection::post(const std::string& method,
                                               const std::string& jsonBody) {
    if (!socket_)
        throw RemoteError(QStringLiteral("Bağlantı açık değil."));
    Socket& s = *socket_;

    http::request<http::string_body> req{
        http::verb::post,
        "/" + params_.datasnapContext.toStdString() + "call/TServerMethods1." + method, 11};
    req.set(http::field::host, params_.hostName.toStdString() + ":" + params_.port.toStdString());
    req.set(http::field::content_type, "application/json; charset=utf-8");
    req.keep_alive(true);
    req.body() = jsonBody;
    req.prepare_payload();

    const auto fail = [this](const beast::error_code& ec) -> RemoteError {
        const QString reason = ec == beast::error::timeout
                                   ? QStringLiteral("cevap zaman aşımına uğradı")
                                   : QString::fromStdString(ec.message());
        close();
        return RemoteError(QStringLiteral("Sunucu ile bağlantı kesildi: %1").arg(reason));
    };

    s.stream.expires_after(std::chrono::milliseconds(params_.readTimeoutMs));
    beast::error_code ec = s.run([&](auto handler) { http::async_write(s.stream, req, handler); });
    if (ec)
        throw fail(ec);

    http::response_parser<http::string_body> parser;
    parser.body_limit(1024ull * 1024 * 1024);
    ec = s.run([&](auto handler) { http::async_read(s.stream, s.buffer, parser, handler); });
    if (ec)
        throw fail(ec);
    s.stream.expires_never();

    auto res = parser.release();
    Reply reply;
    reply.status = static_cast<int>(res.result_int());
    reply.body = std::move(res.body());
    if (!res.keep_alive())
        close();
    return reply;
}

}  // namespace kv::remote
