// The workstation's identity and values reported with every call, and the user's folders.
#pragma once

#include <QString>

namespace kv::app::identity {

// The first physical disk's serial number without any blank, upper-cased; else the first
// non-zero network adapter address as six upper-case hex groups joined by "-"; else empty.
// KAVELTRIM_WORKSTATION_ID, when set, stands in for it. Never throws.
QString BilgisayarIdAl();
QString BilgisayarIdAl(const QString& sysRoot, const QString& udevRoot);

// Raise their errors; only BilgisayarIdAl swallows them. MacAdresiAl gives the first
// adapter (by name, without the loopback) whose hardware address is not all zero, or raises.
QString DiskSeriNoAl(const QString& sysRoot = QStringLiteral("/sys"),
                     const QString& udevRoot = QStringLiteral("/run/udev/data"));
QString MacAdresiAl(const QString& sysRoot = QStringLiteral("/sys"));

QString BilgisayarAdiAl();
QString KullaniciAdiAl();
QString IcIpAl();

// The public address as the address-echo page sees it: GET with a 15 s connect and a 1.5 s
// read timeout, one second's pause after a failed round, at most `turlar` rounds; empty text
// when it gives up. Blocks: call it off the UI thread.
QString DisIpAl(const QString& adres, int turlar = 10);

// "kaveltrimdornep" under the user's configuration folder, created on first use
// (KAVELTRIM_DATA_DIR replaces it).
QString VeriKlasoru();
// The documents folder (KAVELTRIM_DOCUMENTS_DIR replaces it).
QString BelgelerKlasoru();
// The desktop folder (KAVELTRIM_DESKTOP_DIR replaces it).
QString MasaustuKlasoru();

}  // namespace kv::app::identity
