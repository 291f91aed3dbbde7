#include "HttpServer.h"

#include <atomic>
#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <fstream>
#include <iterator>
#include <list>
#include <mutex>

#include "Dispatcher.h"

namespace kv::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr auto kIdleTimeout = std::chrono::minutes(5);
// How long an answer still being written may take once the server stops.
constexpr auto kStopGrace = std::chrono::seconds(30);
constexpr std::size_t kBodyLimit = 64 * 1024 * 1024;
const std::string kCallPrefix = "/datasnap/call/TServerMethods1.";

const char* const kHomePage = R"html(<!DOCTYPE html>
<html lang="tr"><head><meta charset="utf-8"><title>Kaveltrim Otomotiv - Bayi Sipariş</title>
<style>
body{margin:0;font-family:"Liberation Sans",Arial,sans-serif;background:#f4f1ea;color:#1f2630}
header{background:#2c3440;border-bottom:4px solid #c9a23c;padding:24px 40px;color:#f3d57a}
header h1{margin:0;font-size:32px;letter-spacing:2px}header p{margin:4px 0 0;color:#e8e8e8}
main{max-width:880px;margin:32px auto;padding:0 24px;line-height:1.6}
.kutu{background:#fff;border:1px solid #d6ccb1;border-radius:8px;padding:20px 28px;margin-bottom:20px}
h2{color:#8a6a1f;margin-top:0}footer{text-align:center;color:#5a6470;font-size:13px;padding:24px}
</style></head><body>
<header><h1>KAVELTRIM OTOMOTİV</h1><p>Yedek Parça Dağıtım A.Ş. · Bayi Sipariş Hizmetleri</p></header>
<main>
<div class="kutu"><h2>Bayilerimize</h2>
<p>Stok, fiyat ve kampanya bilgilerine, sepetinize ve siparişlerinize Dornep sipariş programı
üzerinden ulaşabilirsiniz. Programın güncel sürümü girişte kendiliğinden yüklenir.</p></div>
<div class="kutu"><h2>İletişim</h2>
<p>Ostim OSB 1203. Cad. No: 27, Yenimahalle / ANKARA<br>Tel: 0 (312) 385 47 00<br>
E-posta: siparis@kaveltrim.com.tr</p></div>
</main><footer>© Kaveltrim Otomotiv Yedek Parça Dağıtım A.Ş.</footer></body></html>
)html";

}  // namespace

class HttpSession;

struct HttpServer::Shared {
    Shared(Dispatcher& d, WebHostConfig w) : dispatcher(d), web(std::move(w)) {}
    Dispatcher& dispatcher;
    const WebHostConfig web;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::list<std::weak_ptr<HttpSession>> sessions;  // guarded by mutex
};

namespace {

using Shared = HttpServer::Shared;

// The address as the caller would write it: an IPv4 peer on an IPv6 socket without ::ffff:.
std::string peerAddress(const tcp::endpoint& ep) {
    const auto a = ep.address();
    if (a.is_v6() && a.to_v6().is_v4_mapped())
        return asio::ip::make_address_v4(asio::ip::v4_mapped, a.to_v6()).to_string();
    return a.to_string();
}

}  // namespace

// One client connection: requests are read and answered one after the other (keep-alive).
// Everything of a session runs on its own strand.
class HttpSession : public std::enable_shared_from_this<HttpSession> {
  public:
    HttpSession(tcp::socket&& socket, std::shared_ptr<Shared> shared)
        : stream_(std::move(socket)), shared_(std::move(shared)) {
        beast::error_code ec;
        const auto ep = stream_.socket().remote_endpoint(ec);
        peer_ = ec ? std::string() : peerAddress(ep);
    }

    void run() {
        {
            std::lock_guard lock(shared_->mutex);
            auto& list = shared_->sessions;
            list.remove_if([](const std::weak_ptr<HttpSession>& w) { return w.expired(); });
            list.push_back(weak_from_this());
        }
        asio::dispatch(stream_.get_executor(),
                       beast::bind_front_handler(&HttpSession::read, shared_from_this()));
    }

    // On stop: a connection waiting for its next request is closed; one whose request is
    // being answered finishes the answer and closes afterwards.
    void shutdown() {
        asio::dispatch(stream_.get_executor(), [self = shared_from_this()] {
            if (self->busy_)
                self->stream_.expires_after(kStopGrace);
            else
                self->close();
        });
    }

  private:
    using Response = http::response<http::string_body>;

    void read() {
        if (shared_->stopping) {
            close();
            return;
        }
        busy_ = false;
        parser_.emplace();
        parser_->body_limit(kBodyLimit);
        stream_.expires_after(kIdleTimeout);
        http::async_read(stream_, buffer_, *parser_,
                         beast::bind_front_handler(&HttpSession::onRead, shared_from_this()));
    }

    void onRead(beast::error_code ec, std::size_t) {
        if (ec == http::error::end_of_stream || ec == asio::error::operation_aborted ||
            ec == beast::error::timeout || ec == asio::error::connection_reset ||
            !stream_.socket().is_open()) {
            close();
            return;
        }
        busy_ = true;
        if (ec == http::error::body_limit) {
            reply(simple(http::status::payload_too_large, "İstek çok büyük"), false);
            return;
        }
        if (ec) {
            reply(simple(http::status::bad_request, "Geçersiz HTTP isteği"), false);
            return;
        }
        auto req = parser_->release();
        if (req.chunked()) {
            reply(simple(http::status::length_required,
                         "İstek gövdesi Content-Length ile gönderilmeli"),
                  false);
            return;
        }
        const bool head = req.method() == http::verb::head;
        Response res;
        try {
            res = handle(req);
        } catch (const std::exception& e) {
            res = json(
                http::status::internal_server_error,
                errorBody(QStringLiteral("Sunucu hatası: %1").arg(QString::fromUtf8(e.what()))));
        }
        reply(std::move(res), req.keep_alive(), head);
    }

    static Response simple(http::status status, const std::string& text,
                           const char* type = "text/plain; charset=utf-8") {
        Response res{status, 11};
        res.set(http::field::content_type, type);
        res.body() = text;
        return res;
    }

    static Response json(http::status status, std::string body) {
        Response res{status, 11};
        res.set(http::field::content_type, "application/json; charset=utf-8");
        res.body() = std::move(body);
        return res;
    }

    Response handle(http::request<http::string_body>& req) {
        const std::string target(req.target());
        const std::string path = target.substr(0, target.find('?'));
        if (path.rfind("/datasnap/", 0) == 0) {
            if (path.rfind(kCallPrefix, 0) != 0 || path.size() == kCallPrefix.size()) {
                return json(
                    http::status::not_found,
                    errorBody(
                        QStringLiteral("Bilinmeyen adres: %1").arg(QString::fromStdString(path))));
            }
            if (req.method() != http::verb::post) {
                Response r = json(http::status::method_not_allowed,
                                  errorBody(QStringLiteral("Uzak metodlar POST ile çağrılır")));
                r.set(http::field::allow, "POST");
                return r;
            }
            const std::string method = target.substr(kCallPrefix.size());
            DispatchResult r = shared_->dispatcher.dispatch(method, std::move(req.body()), peer_);
            return json(http::status(r.status), std::move(r.body));
        }
        if (req.method() != http::verb::get && req.method() != http::verb::head) {
            Response r = simple(http::status::method_not_allowed, "İzin verilmeyen istek");
            r.set(http::field::allow, "GET, HEAD");
            return r;
        }
        const WebHostConfig& web = shared_->web;
        if (path == "/ip.php")
            return simple(http::status::ok, peer_, "text/plain");
        if (path == "/" || path == "/index.html")
            return simple(http::status::ok, kHomePage, "text/html; charset=utf-8");
        if (path == "/resimgoster.ashx" && web.picture) {
            const auto q = target.find("?id=");
            long long id = -1;
            if (q != std::string::npos) {
                try {
                    std::size_t used = 0;
                    const std::string v = target.substr(q + 4);
                    id = std::stoll(v, &used);
                    if (used != v.size())
                        id = -1;
                } catch (...) {
                    id = -1;
                }
            }
            if (id >= 0) {
                if (auto pic = web.picture(id))
                    return simple(http::status::ok, pic->first, pic->second.c_str());
            }
            return simple(http::status::not_found, "Resim yok");
        }
        if (path == "/exe/KaveltrimDornep.exe" && !web.updateFile.empty()) {
            std::ifstream f(web.updateFile, std::ios::binary);
            if (f) {
                return simple(http::status::ok, std::string(std::istreambuf_iterator<char>(f), {}),
                              "application/octet-stream");
            }
        }
        return simple(http::status::not_found, "Bulunamadı");
    }

    // Writes the answer; the connection stays open for the next request only when both
    // sides want it and the server is not stopping.
    void reply(Response res, bool keepAlive, bool headOnly = false) {
        res.keep_alive(keepAlive && !shared_->stopping);
        res.prepare_payload();
        stream_.expires_after(shared_->stopping ? kStopGrace : kIdleTimeout);
        if (headOnly) {
            // The headers of the GET answer, Content-Length included, without the body.
            auto sp = std::make_shared<http::response<http::empty_body>>(std::move(res.base()));
            http::async_write(stream_, *sp,
                              [self = shared_from_this(), sp](beast::error_code ec, std::size_t) {
                                  self->afterWrite(ec, sp->keep_alive());
                              });
            return;
        }
        auto sp = std::make_shared<Response>(std::move(res));
        http::async_write(stream_, *sp,
                          [self = shared_from_this(), sp](beast::error_code ec, std::size_t) {
                              self->afterWrite(ec, sp->keep_alive());
                          });
    }

    void afterWrite(beast::error_code ec, bool keepAlive) {
        if (ec || !keepAlive) {
            close();
            return;
        }
        read();
    }

    void close() {
        busy_ = false;
        beast::error_code ec;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ec);
        stream_.close();
    }

    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    std::shared_ptr<Shared> shared_;
    std::string peer_;
    bool busy_ = false;  // a request is being answered
};

HttpServer::HttpServer(Dispatcher& dispatcher, WebHostConfig web, const std::string& address,
                       unsigned short port)
    : acceptor_(asio::make_strand(ioc_)),
      shared_(std::make_shared<Shared>(dispatcher, std::move(web))) {
    const tcp::endpoint ep(asio::ip::make_address(address), port);
    acceptor_.open(ep.protocol());
    acceptor_.set_option(asio::socket_base::reuse_address(true));
    acceptor_.bind(ep);
    acceptor_.listen(asio::socket_base::max_listen_connections);
}

HttpServer::~HttpServer() {
    stop();
}

unsigned short HttpServer::port() const {
    return acceptor_.local_endpoint().port();
}

void HttpServer::accept() {
    acceptor_.async_accept(asio::make_strand(ioc_), [this](beast::error_code ec, tcp::socket s) {
        if (ec == asio::error::operation_aborted || !acceptor_.is_open())
            return;
        if (!ec)
            std::make_shared<HttpSession>(std::move(s), shared_)->run();
        accept();
    });
}

void HttpServer::start(int threads) {
    accept();
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { ioc_.run(); });
}

void HttpServer::stop() {
    if (threads_.empty())
        return;
    shared_->stopping = true;
    asio::post(acceptor_.get_executor(), [this] {
        beast::error_code ec;
        acceptor_.close(ec);
    });
    std::vector<std::shared_ptr<HttpSession>> live;
    {
        std::lock_guard lock(shared_->mutex);
        for (const auto& w : shared_->sessions) {
            if (auto s = w.lock())
                live.push_back(std::move(s));
        }
    }
    for (const auto& s : live)
        s->shutdown();
    live.clear();
    // run() returns once the last session has closed.
    for (auto& t : threads_)
        t.join();
    threads_.clear();
}

}  // namespace kv::server
