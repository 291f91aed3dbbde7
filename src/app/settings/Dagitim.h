// Deployment constants: where the distributor's servers are. Built in, and replaceable
// through the environment (KAVELTRIM_SERVER_HOST, KAVELTRIM_SERVER_PORT, KAVELTRIM_WEB_URL,
// KAVELTRIM_IP_URL) so a test or a local demo can point the client elsewhere.
#pragma once

#include <QString>

#include "remote/ServerConnection.h"

namespace kv::app::settings {

QString sunucuHost();
QString sunucuPort();
// The web host's base address, ending in "/".
QString webAdresi();
QString ipAdresi();
// The dealer web site's host name, the caption of its menu entry.
QString webSitesiAdi();

// Sets the connection's host name and port to the server's.
void sunucuAdresiniAyarla(remote::ServerConnection& baglanti);

// The picture base address (the stock number is appended to it); set by the login.
QString ResimAdresi();
void setResimAdresi(const QString& adres);

}  // namespace kv::app::settings
