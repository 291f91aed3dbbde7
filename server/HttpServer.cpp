#include "HttpServer.h"

#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <fstream>
#include <iterator>

#include "Dispatcher.h"

namespace kv::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr auto kIdleTimeout = std::chrono::minutes(5);
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

class Session : public std::enable_shared_from_this<Session> {
  public:
    Session(tcp::socket&& socket, Dispatcher& d, const WebHostConfig& web)
        : stream_(std::move(socket)), dispatcher_(d), web_(web) {
        beast::error_code ec;
        const auto ep = stream_.socket().remote_endpoint(ec);
        peer_ = ec ? std::string() : ep.address().to_string();
    }

    void run() {
        asio::dispatch(stream_.get_executor(),
                       beast::bind_front_handler(&Session::read, shared_from_this()));
    }

  private:
    void read() {
        parser_.emplace();
        parser_->body_limit(kBodyLimit);
        stream_.expires_after(kIdleTimeout);
        http::async_read(stream_, buffer_, *parser_,
                         beast::bind_front_handler(&Session::onRead, shared_from_this()));
    }

    void onRead(beast::error_code ec, std::size_t) {
        if (ec) {
            if (ec == http::error::body_limit)
                reply(simple(http::status::payload_too_large, "İstek çok büyük"));
            close();
            return;
        }
        auto req = parser_->release();
        reply(handle(req));
    }

    using Response = http::response<http::string_body>;

    Response simple(http::status status, const std::string& text,
                    const char* type = "text/plain; charset=utf-8") {
        Response res{status, 11};
        res.set(http::field::content_type, type);
        res.body() = text;
        return res;
    }

    Response handle(http::request<http::string_body>& req) {
        const std::string target(req.target());
        if (target.rfind("/datasnap/", 0) == 0) {
            if (req.method() != http::verb::post) {
                Response r = json(http::status::method_not_allowed,
                                  errorBody(QStringLiteral("Uzak metodlar POST ile çağrılır")));
                r.set(http::field::allow, "POST");
                return r;
            }
            if (target.rfind(kCallPrefix, 0) != 0) {
                return json(http::status::bad_request,
                            errorBody(QStringLiteral("Bilinmeyen adres: %1")
                                          .arg(QString::fromStdString(target))));
            }
            const std::string method = target.substr(kCallPrefix.size());
            DispatchResult r = dispatcher_.dispatch(method, std::move(req.body()), peer_);
            return json(http::status(r.status), std::move(r.body));
        }
        if (req.method() != http::verb::get && req.method() != http::verb::head) {
            return simple(http::status::method_not_allowed, "İzin verilmeyen istek");
        }
        const std::string path = target.substr(0, target.find('?'));
        if (path == "/ip.php")
            return simple(http::status::ok, peer_);
        if (path == "/" || path == "/index.html") {
            return simple(http::status::ok, kHomePage, "text/html; charset=utf-8");
        }
        if (path == "/resimgoster.ashx" && web_.picture) {
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
                if (auto pic = web_.picture(id)) {
                    return simple(http::status::ok, pic->first, pic->second.c_str());
                }
            }
            return simple(http::status::not_found, "Resim yok");
        }
        if (path == "/exe/KaveltrimDornep.exe" && !web_.updateFile.empty()) {
            std::ifstream f(web_.updateFile, std::ios::binary);
            if (f) {
                Response r =
                    simple(http::status::ok, std::string(std::istreambuf_iterator<char>(f), {}),
                           "application/octet-stream");
                return r;
            }
        }
        return simple(http::status::not_found, "Bulunamadı");
    }

    Response json(http::status status, std::string body) {
        Response res{status, 11};
        res.set(http::field::content_type, "application/json; charset=utf-8");
        res.body() = std::move(body);
        return res;
    }

    void reply(Response res) {
        const bool keep =
            parser_ && parser_->is_header_done() ? parser_->get().keep_alive() : false;
        res.keep_alive(keep);
        res.prepare_payload();
        auto sp = std::make_shared<Response>(std::move(res));
        stream_.expires_after(kIdleTimeout);
        http::async_write(stream_, *sp,
                          [self = shared_from_this(), sp](beast::error_code ec, std::size_t) {
                              if (ec || !sp->keep_alive()) {
                                  self->close();
                                  return;
                              }
                              self->read();
                          });
    }

    void close() {
        beast::error_code ec;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ec);
        stream_.close();
    }

    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    Dispatcher& dispatcher_;
    const WebHostConfig& web_;
    std::string peer_;
};

}  // namespace

HttpServer::HttpServer(Dispatcher& dispatcher, WebHostConfig web, const std::string& address,
                       unsigned short port)
    : dispatcher_(dispatcher), web_(std::move(web)), acceptor_(ioc_) {
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
        if (ec) {
            if (ec == asio::error::operation_aborted)
                return;
        } else {
            std::make_shared<Session>(std::move(s), dispatcher_, web_)->run();
        }
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
    asio::post(ioc_, [this] {
        beast::error_code ec;
        acceptor_.close(ec);
    });
    // Open keep-alive sessions would hold run() forever; stop after a short grace period
    // in which requests being answered can finish.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ioc_.stop();
    for (auto& t : threads_)
        t.join();
    threads_.clear();
}

}  // namespace kv::server
