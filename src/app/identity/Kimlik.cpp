#include "app/identity/Kimlik.h"

#include <QDir>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <optional>
#include <stdexcept>

#include "platform/SystemInfo.h"

namespace kv::app::identity {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

namespace {

QString envOr(const char* name, const QString& fallback) {
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? fallback : v;
}

QString withoutTrailingSeparator(QString p) {
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

// One GET of the page's body; throws on any failure.
QString fetchOnce(const QUrl& url) {
    asio::io_context ioc;
    beast::tcp_stream stream(ioc);
    const auto run = [&](auto start) {
        std::optional<beast::error_code> result;
        start([&result](beast::error_code ec, auto&&...) { result = ec; });
        ioc.restart();
        ioc.run();
        const beast::error_code ec = result.value_or(asio::error::operation_aborted);
        if (ec)
            throw std::runtime_error(ec.message());
    };
    asio::ip::tcp::resolver resolver(ioc);
    const auto endpoints = resolver.resolve(url.host().toStdString(), std::to_string(url.port(80)));
    stream.expires_after(std::chrono::milliseconds(15000));
    run([&](auto h) { stream.async_connect(endpoints, h); });
    QString target = url.path(QUrl::FullyEncoded);
    if (target.isEmpty())
        target = QStringLiteral("/");
    if (url.hasQuery())
        target += QLatin1Char('?') + url.query(QUrl::FullyEncoded);
    http::request<http::empty_body> req{http::verb::get, target.toStdString(), 11};
    const int port = url.port(80);
    req.set(http::field::host,
            (port == 80 ? url.host() : url.host() + QLatin1Char(':') + QString::number(port))
                .toStdString());
    req.keep_alive(false);
    stream.expires_after(std::chrono::milliseconds(1500));
    run([&](auto h) { http::async_write(stream, req, h); });
    beast::flat_buffer buf;
    http::response<http::string_body> res;
    stream.expires_after(std::chrono::milliseconds(1500));
    run([&](auto h) { http::async_read(stream, buf, res, h); });
    beast::error_code ec;
    stream.socket().shutdown(asio::ip::tcp::socket::shutdown_both, ec);
    if (res.result_int() != 200)
        throw std::runtime_error("HTTP " + std::to_string(res.result_int()));
    return QString::fromUtf8(res.body().data(), qsizetype(res.body().size()));
}

}  // namespace

QString DiskSeriNoAl(const QString& sysRoot, const QString& udevRoot) {
    return platform::firstDiskSerial(sysRoot, udevRoot).toUpper();
}

QString MacAdresiAl(const QString& sysRoot) {
    // Six two-digit groups; tunnels and other links with longer or shorter addresses are
    // not adapters with a hardware address, and an all-zero address identifies nothing.
    static const QRegularExpression kAdres(QStringLiteral("^[0-9A-F]{2}(:[0-9A-F]{2}){5}$"));
    for (const QString& a : platform::adapterAddresses(sysRoot)) {
        const QString u = a.trimmed().toUpper();
        if (!kAdres.match(u).hasMatch())
            continue;
        const QString adres = QString(u).replace(QLatin1Char(':'), QLatin1Char('-'));
        if (adres != QLatin1String("00-00-00-00-00-00"))
            return adres;
    }
    throw std::runtime_error("sıfırdan farklı adresli ağ bağdaştırıcısı bulunamadı");
}

QString BilgisayarIdAl(const QString& sysRoot, const QString& udevRoot) {
    QString id;
    try {
        id = DiskSeriNoAl(sysRoot, udevRoot).trimmed();
        id.remove(QRegularExpression(QStringLiteral("\\s")));
    } catch (const std::exception&) {
        id.clear();
    }
    if (id.trimmed().isEmpty()) {
        try {
            id = MacAdresiAl(sysRoot).trimmed();
        } catch (const std::exception&) {
            id.clear();
        }
    }
    return id;
}

QString BilgisayarIdAl() {
    const QString fixed = qEnvironmentVariable("KAVELTRIM_WORKSTATION_ID");
    if (!fixed.isEmpty())
        return fixed;
    return BilgisayarIdAl(QStringLiteral("/sys"), QStringLiteral("/run/udev/data"));
}

QString BilgisayarAdiAl() {
    return platform::hostName();
}
QString KullaniciAdiAl() {
    return platform::userName();
}
QString IcIpAl() {
    return platform::hostAddress();
}

QString DisIpAl(const QString& adres, int turlar) {
    const QUrl url(adres);
    for (int i = 0; i < turlar; ++i) {
        try {
            return fetchOnce(url).trimmed();
        } catch (const std::exception&) {
            if (i + 1 < turlar)
                QThread::msleep(1000);
        }
    }
    return QString();
}

QString VeriKlasoru() {
    const QString dir = withoutTrailingSeparator(
        envOr("KAVELTRIM_DATA_DIR", platform::configFolder() + QStringLiteral("/kaveltrimdornep")));
    QDir().mkpath(dir);
    return dir;
}

QString BelgelerKlasoru() {
    return withoutTrailingSeparator(envOr("KAVELTRIM_DOCUMENTS_DIR", platform::documentsFolder()));
}

QString MasaustuKlasoru() {
    return withoutTrailingSeparator(envOr("KAVELTRIM_DESKTOP_DIR", platform::desktopFolder()));
}

}  // namespace kv::app::identity
