#include "platform/SystemInfo.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <stdexcept>

namespace kv::platform {

namespace {

QString readTrimmed(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll()).trimmed();
}

bool physicalDisk(const QString& name) {
    static const char* const kSkip[] = {"loop", "ram", "zram", "dm-", "md", "sr", "fd", "nbd"};
    for (const char* p : kSkip) {
        if (name.startsWith(QLatin1String(p)))
            return false;
    }
    return true;
}

// ID_SERIAL_SHORT (else ID_SERIAL) of a block device from udev's database.
QString udevSerial(const QString& udevRoot, const QString& devNumbers) {
    if (devNumbers.isEmpty())
        return QString();
    QFile f(udevRoot + QStringLiteral("/b") + devNumbers);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QString shortSerial, serial;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1String("E:ID_SERIAL_SHORT=")))
            shortSerial = line.mid(18);
        else if (line.startsWith(QLatin1String("E:ID_SERIAL=")))
            serial = line.mid(12);
    }
    return shortSerial.isEmpty() ? serial : shortSerial;
}

}  // namespace

QString firstDiskSerial(const QString& sysRoot, const QString& udevRoot) {
    const QDir block(sysRoot + QStringLiteral("/block"));
    QStringList disks = block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    disks.sort();
    for (const QString& d : disks) {
        if (!physicalDisk(d))
            continue;
        const QString base = block.filePath(d);
        for (const QString& p :
             {base + QStringLiteral("/device/serial"), base + QStringLiteral("/serial")}) {
            const QString s = readTrimmed(p);
            if (!s.isEmpty())
                return s;
        }
        const QString s = udevSerial(udevRoot, readTrimmed(base + QStringLiteral("/dev")));
        if (!s.isEmpty())
            return s;
        throw std::runtime_error("ilk diskin seri numarası okunamadı");
    }
    throw std::runtime_error("fiziksel disk bulunamadı");
}

QStringList adapterAddresses(const QString& sysRoot) {
    const QDir net(sysRoot + QStringLiteral("/class/net"));
    QStringList names = net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    names.sort();
    QStringList out;
    for (const QString& n : names) {
        if (n == QLatin1String("lo"))
            continue;
        const QString a = readTrimmed(net.filePath(n) + QStringLiteral("/address"));
        if (!a.isEmpty())
            out << a;
    }
    return out;
}

QString hostName() {
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0)
        return QString();
    return QString::fromLocal8Bit(buf);
}

QString userName() {
    if (const passwd* pw = getpwuid(geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    // A user id without a password entry (containers): the login's name, if any.
    return qEnvironmentVariable("USER");
}

namespace {

QString dotted(const in_addr& a) {
    char buf[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, buf, sizeof buf);
    return QString::fromLatin1(buf);
}

bool loopback(const in_addr& a) {
    return (ntohl(a.s_addr) >> 24) == 127;
}

// The first IPv4 address of an interface that is up and not the loopback.
QString interfaceAddress() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return QString();
    QString found;
    for (const ifaddrs* i = list; i && found.isEmpty(); i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP) ||
            (i->ifa_flags & IFF_LOOPBACK))
            continue;
        const in_addr& a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr;
        if (!loopback(a))
            found = dotted(a);
    }
    freeifaddrs(list);
    return found;
}

}  // namespace

QString hostAddress() {
    // The host's own name first. Debian maps it to 127.0.1.1, which says nothing about the
    // machine, so a loopback answer gives way to the first address of an interface that is up.
    QString first;
    const QByteArray name = hostName().toLocal8Bit();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* res = nullptr;
    if (!name.isEmpty() && getaddrinfo(name.constData(), nullptr, &hints, &res) == 0) {
        for (const addrinfo* r = res; r; r = r->ai_next) {
            const in_addr& a = reinterpret_cast<const sockaddr_in*>(r->ai_addr)->sin_addr;
            if (!loopback(a)) {
                const QString s = dotted(a);
                freeaddrinfo(res);
                return s;
            }
            if (first.isEmpty())
                first = dotted(a);
        }
        freeaddrinfo(res);
    }
    const QString viaInterface = interfaceAddress();
    if (!viaInterface.isEmpty())
        return viaInterface;
    return first.isEmpty() ? QStringLiteral("127.0.0.1") : first;
}

static QString folder(QStandardPaths::StandardLocation loc) {
    QString p = QStandardPaths::writableLocation(loc);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

QString configFolder() {
    return folder(QStandardPaths::GenericConfigLocation);
}
QString documentsFolder() {
    return folder(QStandardPaths::DocumentsLocation);
}
QString desktopFolder() {
    return folder(QStandardPaths::DesktopLocation);
}

void beep() {
    QApplication::beep();
}

}  // namespace kv::platform
