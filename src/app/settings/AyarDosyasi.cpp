#include "app/settings/AyarDosyasi.h"

#include <QFile>
#include <QSaveFile>

#include "app/identity/Kimlik.h"
#include "app/settings/IniDosyasi.h"

namespace kv::app::settings {

namespace {

const QString kBolum = QStringLiteral("kullanici");
const QString kIsim = QStringLiteral("isim");
const QString kSifre = QStringLiteral("sifre");
const QString kHatirla = QStringLiteral("hatırla");

}  // namespace

QString ayarDosyasiYolu() {
    return identity::VeriKlasoru() + QStringLiteral("/ayar.ini");
}

HatirlananKullanici hatirlananKullaniciOku() {
    HatirlananKullanici k;
    QFile f(ayarDosyasiYolu());
    if (!f.exists())
        return k;
    k.dosyaVar = true;
    if (!f.open(QIODevice::ReadOnly))
        return k;  // unreadable: every key takes its default
    const IniDosyasi ini(f.readAll());
    if (const auto v = ini.oku(kBolum, kHatirla)) {
        // A boolean is a whole number, 0 for false; anything else that is not a number
        // cannot be read and leaves the default.
        bool ok = false;
        const qlonglong n = v->toLongLong(&ok);
        if (ok)
            k.hatirla = n != 0;
    }
    k.isim = ini.oku(kBolum, kIsim).value_or(QString());
    k.sifre = ini.oku(kBolum, kSifre).value_or(QString());
    return k;
}

bool hatirlananKullaniciYaz(const QString& isim, const QString& sifre, bool hatirla) {
    const QString yol = ayarDosyasiYolu();
    // Other sections and keys someone put into the file stay as they are.
    IniDosyasi ini;
    {
        QFile eski(yol);
        if (eski.open(QIODevice::ReadOnly))
            ini = IniDosyasi(eski.readAll());
    }
    ini.yaz(kBolum, kIsim, isim);
    ini.yaz(kBolum, kSifre, sifre);
    ini.yaz(kBolum, kHatirla, hatirla ? QStringLiteral("1") : QStringLiteral("0"));

    QSaveFile f(yol);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = ini.metin();
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

}  // namespace kv::app::settings
