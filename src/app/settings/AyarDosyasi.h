// "ayar.ini" in the per-user data folder: the user name and password last typed at the login
// and the state of the remember-me box, in the section "kullanici".
#pragma once

#include <QString>

namespace kv::app::settings {

// The file's values as stored; the login fills its fields from them only when `hatirla` is
// set. A missing or unreadable key has its default (empty texts, `hatirla` true).
struct HatirlananKullanici {
    bool dosyaVar = false;  // false: no settings file yet (the login keeps its design state)
    QString isim;
    QString sifre;
    bool hatirla = true;
};

QString ayarDosyasiYolu();
HatirlananKullanici hatirlananKullaniciOku();
// Writes all three keys at once, straight to disk: the new file replaces the old one
// atomically, keeping any other lines of it. Returns false when the file cannot be written.
bool hatirlananKullaniciYaz(const QString& isim, const QString& sifre, bool hatirla);

}  // namespace kv::app::settings
