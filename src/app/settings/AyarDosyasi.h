// "ayar.ini" in the per-user data folder: the user name and password last typed at the login
// and the state of the remember-me box, in the section "kullanici".
#pragma once

#include <QString>

namespace kv::app::settings {

struct HatirlananKullanici {
    bool dosyaVar = false;  // false: no settings file yet (the login keeps its design state)
    QString isim;
    QString sifre;
    bool hatirla = true;
};

QString ayarDosyasiYolu();
HatirlananKullanici hatirlananKullaniciOku();
// Writes all three keys at once (atomically replacing the file). Returns false when the file
// cannot be written.
bool hatirlananKullaniciYaz(const QString& isim, const QString& sifre, bool hatirla);

}  // namespace kv::app::settings
