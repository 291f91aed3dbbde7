#include "app/settings/Dagitim.h"

#include <QUrl>
#include <mutex>

namespace kv::app::settings {

namespace {
QString env(const char* name, const char* fallback) {
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}
std::mutex resimMutex;
QString& resimAdresi() {
    static QString s;
    return s;
}
}  // namespace

QString sunucuHost() {
    return env("KAVELTRIM_SERVER_HOST", "localhost");
}
QString sunucuPort() {
    return env("KAVELTRIM_SERVER_PORT", "9090");
}

QString webAdresi() {
    QString s = env("KAVELTRIM_WEB_URL", "http://localhost:9090/");
    if (!s.endsWith(QLatin1Char('/')))
        s += QLatin1Char('/');
    return s;
}

QString ipAdresi() {
    return env("KAVELTRIM_IP_URL", "http://localhost:9090/ip.php");
}

QString webSitesiAdi() {
    return QUrl(webAdresi()).host();
}

void sunucuAdresiniAyarla(remote::ServerConnection& baglanti) {
    baglanti.setHostName(sunucuHost());
    baglanti.setPort(sunucuPort());
}

QString ResimAdresi() {
    std::lock_guard lock(resimMutex);
    return resimAdresi();
}

void setResimAdresi(const QString& adres) {
    std::lock_guard lock(resimMutex);
    resimAdresi() = adres;
}

}  // namespace kv::app::settings
