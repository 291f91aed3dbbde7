#include "app/settings/IniDosyasi.h"

namespace kv::app::settings {

namespace {

bool baslikSatiri(const QString& satir, QString* ad) {
    const QString t = satir.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *ad = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool tirnakli(const QString& s) {
    return s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"'));
}

}  // namespace

IniDosyasi::IniDosyasi(const QByteArray& data) {
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    satirlar_ = text.split(QLatin1Char('\n'));
    if (!satirlar_.isEmpty() && satirlar_.last().isEmpty())
        satirlar_.removeLast();  // the file's final line break
    for (QString& s : satirlar_) {
        if (s.endsWith(QLatin1Char('\r')))
            s.chop(1);
    }
}

IniDosyasi::Aralik IniDosyasi::bolumBul(const QString& bolum) const {
    Aralik a;
    QString ad;
    for (qsizetype i = 0; i < satirlar_.size(); ++i) {
        if (!baslikSatiri(satirlar_[i], &ad))
            continue;
        if (a.baslik >= 0) {
            a.son = i;
            return a;
        }
        if (ad.compare(bolum, Qt::CaseInsensitive) == 0)
            a.baslik = i;
    }
    if (a.baslik >= 0)
        a.son = satirlar_.size();
    return a;
}

bool IniDosyasi::anahtarSatiri(const QString& satir, const QString& anahtar, QString* deger) {
    const QString t = satir.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0 || t.left(eq).trimmed().compare(anahtar, Qt::CaseInsensitive) != 0)
        return false;
    if (deger) {
        QString v = t.mid(eq + 1).trimmed();
        if (tirnakli(v))
            v = v.mid(1, v.size() - 2);
        *deger = v;
    }
    return true;
}

std::optional<QString> IniDosyasi::oku(const QString& bolum, const QString& anahtar) const {
    const Aralik a = bolumBul(bolum);
    if (a.baslik < 0)
        return std::nullopt;
    QString deger;
    for (qsizetype i = a.baslik + 1; i < a.son; ++i) {
        if (anahtarSatiri(satirlar_[i], anahtar, &deger))
            return deger;
    }
    return std::nullopt;
}

void IniDosyasi::yaz(const QString& bolum, const QString& anahtar, const QString& deger) {
    QString v = deger;
    v.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    if (v != v.trimmed() || tirnakli(v))
        v = QLatin1Char('"') + v + QLatin1Char('"');
    const QString satir = anahtar + QLatin1Char('=') + v;

    Aralik a = bolumBul(bolum);
    if (a.baslik < 0) {
        if (!satirlar_.isEmpty() && !satirlar_.last().trimmed().isEmpty())
            satirlar_.append(QString());
        satirlar_.append(QLatin1Char('[') + bolum + QLatin1Char(']'));
        satirlar_.append(satir);
        return;
    }
    for (qsizetype i = a.baslik + 1; i < a.son; ++i) {
        if (anahtarSatiri(satirlar_[i], anahtar, nullptr)) {
            satirlar_[i] = satir;
            return;
        }
    }
    // After the section's last non-blank line.
    qsizetype at = a.son;
    while (at > a.baslik + 1 && satirlar_[at - 1].trimmed().isEmpty())
        --at;
    satirlar_.insert(at, satir);
}

QByteArray IniDosyasi::metin() const {
    QByteArray out;
    for (const QString& s : satirlar_) {
        out += s.toUtf8();
        out += '\n';
    }
    return out;
}

}  // namespace kv::app::settings
