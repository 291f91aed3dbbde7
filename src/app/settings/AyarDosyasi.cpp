#include "app/settings/AyarDosyasi.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <map>

#include "app/identity/Kimlik.h"

namespace kv::app::settings {

namespace {

const QString kBolum = QStringLiteral("kullanici");
const QString kIsim = QStringLiteral("isim");
const QString kSifre = QStringLiteral("sifre");
const QString kHatirla = QStringLiteral("hatırla");

// A small INI reader: sections in brackets, key=value lines, UTF-8 text. Keys keep their
// letters as written (the remember-me key has a Turkish dotless i).
std::map<QString, QString> bolumOku(const QByteArray& data, const QString& bolum) {
    std::map<QString, QString> out;
    QString current;
    for (QString line : QString::fromUtf8(data).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || current.compare(bolum, Qt::CaseInsensitive) != 0)
            continue;
        out[line.left(eq).trimmed()] = line.mid(eq + 1);
    }
    return out;
}

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
        return k;
    const auto values = bolumOku(f.readAll(), kBolum);
    const auto get = [&](const QString& key) -> const QString* {
        const auto it = values.find(key);
        return it == values.end() ? nullptr : &it->second;
    };
    if (const QString* v = get(kHatirla)) {
        const QString t = v->trimmed();
        if (t == QLatin1String("0"))
            k.hatirla = false;
        else if (t == QLatin1String("1"))
            k.hatirla = true;
    }
    if (const QString* v = get(kIsim))
        k.isim = *v;
    if (const QString* v = get(kSifre))
        k.sifre = *v;
    return k;
}

bool hatirlananKullaniciYaz(const QString& isim, const QString& sifre, bool hatirla) {
    // Line breaks cannot be kept in one INI line; they are dropped.
    const auto tekSatir = [](QString s) {
        return s.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    };
    QString text = QLatin1Char('[') + kBolum + QStringLiteral("]\n");
    text += kIsim + QLatin1Char('=') + tekSatir(isim) + QLatin1Char('\n');
    text += kSifre + QLatin1Char('=') + tekSatir(sifre) + QLatin1Char('\n');
    text += kHatirla + QLatin1Char('=') + (hatirla ? QLatin1Char('1') : QLatin1Char('0')) +
            QLatin1Char('\n');
    QSaveFile f(ayarDosyasiYolu());
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = text.toUtf8();
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

}  // namespace kv::app::settings
