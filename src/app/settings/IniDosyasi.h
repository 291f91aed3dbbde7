// A small INI text file of our own: sections in square brackets, key=value lines, UTF-8.
// Keys keep their letters exactly as written (QSettings would percent-encode the dotless i of
// "hatırla"). Changing a value keeps every other line of the file as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kv::app::settings {

class IniDosyasi {
  public:
    IniDosyasi() = default;
    // Reads the text of a file; a byte-order mark at the start is skipped.
    explicit IniDosyasi(const QByteArray& data);

    // The value of the key in the section (both matched without regard to case), trimmed, with
    // one pair of enclosing double quotes removed; nothing when the key is absent.
    std::optional<QString> oku(const QString& bolum, const QString& anahtar) const;
    // Sets the key's value, adding the section and the key when they are missing. A value
    // with blanks at either end, or enclosed in quotes, is written in quotes so that it reads
    // back unchanged; line breaks cannot be kept in one line and are dropped.
    void yaz(const QString& bolum, const QString& anahtar, const QString& deger);

    QByteArray metin() const;

  private:
    // A section's header line and the line just past its body; baslik == -1 when missing.
    struct Aralik {
        qsizetype baslik = -1;
        qsizetype son = -1;
    };
    Aralik bolumBul(const QString& bolum) const;
    static bool anahtarSatiri(const QString& satir, const QString& anahtar, QString* deger);

    QStringList satirlar_;
};

}  // namespace kv::app::settings
