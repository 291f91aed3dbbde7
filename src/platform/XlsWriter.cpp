#include "platform/XlsWriter.h"

#include <QSaveFile>
#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/CompoundFile.h"

namespace kv::platform {

namespace {

// Record types.
enum : std::uint16_t {
    kBof = 0x0809,
    kEof = 0x000A,
    kInterfaceHdr = 0x00E1,
    kMms = 0x00C1,
    kInterfaceEnd = 0x00E2,
    kWriteAccess = 0x005C,
    kCodePage = 0x0042,
    kDsf = 0x0161,
    kTabId = 0x013D,
    kWindowProtect = 0x0019,
    kProtect = 0x0012,
    kPassword = 0x0013,
    kProt4Rev = 0x01AF,
    kProt4RevPass = 0x01BC,
    kWindow1 = 0x003D,
    kBackup = 0x0040,
    kHideObj = 0x008D,
    kDateMode = 0x0022,
    kPrecision = 0x000E,
    kRefreshAll = 0x01B7,
    kBookBool = 0x00DA,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kUsesElfs = 0x0160,
    kBoundSheet = 0x0085,
    kCountry = 0x008C,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kExtSst = 0x00FF,
    kIndex = 0x020B,
    kCalcMode = 0x000D,
    kCalcCount = 0x000C,
    kRefMode = 0x000F,
    kIteration = 0x0011,
    kDelta = 0x0010,
    kSaveRecalc = 0x005F,
    kPrintHeaders = 0x002A,
    kPrintGridlines = 0x002B,
    kGridSet = 0x0082,
    kGuts = 0x0080,
    kDefaultRowHeight = 0x0225,
    kWsBool = 0x0081,
    kHeader = 0x0014,
    kFooter = 0x0015,
    kHCenter = 0x0083,
    kVCenter = 0x0084,
    kSetup = 0x00A1,
    kDefColWidth = 0x0055,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kRow = 0x0208,
    kNumber = 0x0203,
    kLabelSst = 0x00FD,
    kBoolErr = 0x0205,
    kDbCell = 0x00D7,
    kWindow2 = 0x023E,
};

constexpr int kMaxRecordData = 8224;
constexpr int kFirstOwnFormat = 164;
constexpr int kStyleXfs = 15;           // XF 0 is the Normal style, 1..14 the other built-in styles
constexpr std::uint16_t kBoldFont = 5;  // font index 4 does not exist; the fifth record is 5
constexpr std::uint16_t kUnicodeCodePage = 1200;
constexpr int kRowsPerBlock = 32;
constexpr int kRowRecordBytes = 4 + 16;

// Little-endian byte building.
struct Bytes {
    QByteArray& b;
    void u8(unsigned v) { b.append(char(v & 0xFF)); }
    void u16(unsigned v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void f64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        u32(std::uint32_t(bits));
        u32(std::uint32_t(bits >> 32));
    }
};

void patch32(QByteArray& b, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void record(QByteArray& out, std::uint16_t type, const QByteArray& data) {
    Q_ASSERT(data.size() <= kMaxRecordData);
    Bytes w{out};
    w.u16(type);
    w.u16(unsigned(data.size()));
    out.append(data);
}

QByteArray le16s(std::initializer_list<unsigned> values) {
    QByteArray d;
    Bytes w{d};
    for (unsigned v : values)
        w.u16(v);
    return d;
}

bool isWide(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() > 0xFF; });
}

// Characters one byte each (all of them Latin-1) or two.
void appendChars(QByteArray& out, QStringView s, bool wide) {
    Bytes w{out};
    for (QChar c : s) {
        if (wide)
            w.u16(c.unicode());
        else
            w.u8(c.unicode());
    }
}

// A string with a 16-bit (XLUnicodeString) or 8-bit (ShortXLUnicodeString) length.
void appendString(QByteArray& out, QStringView s, bool shortLength) {
    const bool wide = isWide(s);
    Bytes w{out};
    if (shortLength)
        w.u8(unsigned(s.size()));
    else
        w.u16(unsigned(s.size()));
    w.u8(wide ? 1 : 0);
    appendChars(out, s, wide);
}

QByteArray bof(unsigned kind) {
    QByteArray d;
    Bytes w{d};
    w.u16(0x0600);  // BIFF8
    w.u16(kind);
    w.u16(0x0DBB);  // build
    w.u16(0x07CC);  // year
    w.u32(0);       // file history
    w.u32(0x06);    // lowest version that reads every record
    return d;
}

QByteArray font(bool bold) {
    QByteArray d;
    Bytes w{d};
    w.u16(200);           // 10 points, in twentieths
    w.u16(bold ? 1 : 0);  // the old bold flag, for readers that still look at it
    w.u16(0x7FFF);        // automatic colour
    w.u16(bold ? 700 : 400);
    w.u16(0);  // no super- or subscript
    w.u8(0);   // no underline
    w.u8(2);   // family: Swiss
    w.u8(0);   // character set
    w.u8(0);
    appendString(d, u"Arial", true);
    return d;
}

// XF: font, number format, and for a cell XF its parent style XF 0. `usedAttributes` are the
// attribute groups an XF sets itself (cell XF) or leaves alone (style XF).
QByteArray xf(std::uint16_t fontIndex, std::uint16_t format, bool style, unsigned usedAttributes) {
    QByteArray d;
    Bytes w{d};
    w.u16(fontIndex);
    w.u16(format);
    w.u16(style ? 0xFFF5 : 0x0001);  // locked; a style has parent 0xFFF, a cell XF parent 0
    w.u8(0x20);                      // general horizontal, bottom vertical alignment
    w.u8(0);                         // no rotation
    w.u8(0);                         // no indent
    w.u8(usedAttributes << 2);
    w.u32(0);       // no borders
    w.u32(0);       // no diagonal, no fill pattern
    w.u16(0x20C0);  // pattern colours: system foreground and background
    return d;
}

// The shared string table as an SST record and its CONTINUE records. A string's length and
// flags never split; characters may, and the CONTINUE that carries the rest starts with the
// flags byte again. `starts` receives, for every `perBucket`-th string, its record and offset.
struct SstRecords {
    std::vector<QByteArray> records;
    std::vector<std::pair<std::size_t, int>> starts;
};

SstRecords sharedStrings(const QStringList& strings, std::uint32_t refs, int perBucket) {
    SstRecords out;
    QByteArray cur;
    Bytes w{cur};
    w.u32(refs);
    w.u32(std::uint32_t(strings.size()));
    auto flush = [&] {
        out.records.push_back(cur);
        cur.clear();
    };
    for (int i = 0; i < strings.size(); ++i) {
        const QString& s = strings[i];
        const bool wide = isWide(s);
        const int unit = wide ? 2 : 1;
        if (cur.size() + 3 + unit > kMaxRecordData)
            flush();
        if (i % perBucket == 0)
            out.starts.emplace_back(out.records.size(), int(cur.size()));
        w.u16(unsigned(s.size()));
        w.u8(wide ? 1 : 0);
        qsizetype done = 0;
        while (done < s.size()) {
            const qsizetype room = (kMaxRecordData - cur.size()) / unit;
            if (room == 0) {
                flush();
                w.u8(wide ? 1 : 0);
                continue;
            }
            const qsizetype n = std::min(room, s.size() - done);
            appendChars(cur, QStringView(s).mid(done, n), wide);
            done += n;
        }
    }
    flush();
    return out;
}

}  // namespace

bool excelDateSerial(double days, double& serial) {
    // From 1 March 1900 on, Excel's serials and the program's day numbers agree; the year
    // 10000 starts at 2958466.
    if (!(days >= 61.0 && days < 2958466.0))
        return false;
    serial = days;
    return true;
}

XlsWriter::XlsWriter(const QString& sheetName) : sheetName_(sheetName) {
    static const QString kForbidden = QStringLiteral(":\\/?*[]");
    const bool bad = sheetName.isEmpty() || sheetName.size() > 31 ||
                     std::any_of(sheetName.begin(), sheetName.end(),
                                 [](QChar c) { return kForbidden.contains(c); }) ||
                     sheetName.startsWith(u'\'') || sheetName.endsWith(u'\'');
    if (bad) {
        throw XlsError(
            QStringLiteral("Geçersiz sayfa adı \"%1\": 1 ile 31 karakter arası olmalı ve "
                           ": \\ / ? * [ ] karakterlerini içermemelidir.")
                .arg(sheetName));
    }
    styles_.push_back(Style{});
    styleIndex_.insert(QStringLiteral("0|"), 0);
}

int XlsWriter::addStyle(const QString& numberFormat, bool bold) {
    const QString key = QString::number(int(bold)) + u'|' + numberFormat;
    const auto it = styleIndex_.constFind(key);
    if (it != styleIndex_.constEnd())
        return *it;
    Style s;
    s.bold = bold;
    if (!numberFormat.isEmpty() && numberFormat.compare(u"General", Qt::CaseInsensitive) != 0) {
        qsizetype f = formats_.indexOf(numberFormat);
        if (f < 0) {
            if (numberFormat.size() > 255)
                throw XlsError(QStringLiteral("Excel sayı biçimi en fazla 255 karakter olabilir."));
            formats_ << numberFormat;
            f = formats_.size() - 1;
        }
        s.format = kFirstOwnFormat + int(f);
    }
    // The cell XFs follow the 15 style XFs; their count is capped well below that of Excel.
    if (styles_.size() >= 4000)
        throw XlsError(QStringLiteral("Excel dosyası için çok fazla hücre biçimi kullanıldı."));
    styles_.push_back(s);
    const int index = int(styles_.size()) - 1;
    styleIndex_.insert(key, index);
    return index;
}

void XlsWriter::setColumnWidth(int column, double characters) {
    if (column < 0 || column >= kMaxColumns)
        return;
    const auto units = std::uint16_t(std::lround(std::clamp(characters, 0.0, 255.0) * 256.0));
    const auto it = std::find_if(widths_.begin(), widths_.end(),
                                 [&](const auto& p) { return p.first == column; });
    if (it != widths_.end())
        it->second = units;
    else
        widths_.emplace_back(column, units);
}

void XlsWriter::newRow() {
    if (int(rows_.size()) >= kMaxRows) {
        throw XlsError(QStringLiteral("Excel dosyası en fazla %1 satır alabilir.").arg(kMaxRows));
    }
    Row r;
    r.begin = r.end = std::size_t(cells_.size());
    rows_.push_back(r);
    nextColumn_ = 0;
}

std::uint16_t XlsWriter::takeColumn() {
    if (rows_.empty())
        newRow();
    if (nextColumn_ >= kMaxColumns) {
        throw XlsError(
            QStringLiteral("Excel dosyası en fazla %1 sütun alabilir.").arg(kMaxColumns));
    }
    return std::uint16_t(nextColumn_++);
}

void XlsWriter::appendCell(std::uint16_t type, std::uint16_t col, int style, const char* data,
                           int size) {
    if (style < 0 || std::size_t(style) >= styles_.size())
        style = 0;
    Row& r = rows_.back();
    Bytes w{cells_};
    w.u16(type);
    w.u16(unsigned(6 + size));
    w.u16(unsigned(rows_.size() - 1));
    w.u16(col);
    w.u16(unsigned(kStyleXfs + style));
    cells_.append(data, size);
    if (r.begin == r.end)
        r.firstColumn = col;
    r.endColumn = std::uint16_t(col + 1);
    r.end = std::size_t(cells_.size());
}

void XlsWriter::addText(const QString& text, int style) {
    const std::uint16_t col = takeColumn();
    if (text.isEmpty())
        return;
    if (text.size() > kMaxTextLength) {
        throw XlsError(
            QStringLiteral("Excel hücresine en fazla %1 karakter yazılabilir (satır %2, sütun %3).")
                .arg(kMaxTextLength)
                .arg(rows_.size())
                .arg(col + 1));
    }
    auto it = stringIndex_.constFind(text);
    if (it == stringIndex_.constEnd()) {
        it = stringIndex_.insert(text, std::uint32_t(strings_.size()));
        strings_ << text;
    }
    ++stringRefs_;
    char d[4];
    for (int i = 0; i < 4; ++i)
        d[i] = char((*it >> (8 * i)) & 0xFF);
    appendCell(kLabelSst, col, style, d, 4);
}

void XlsWriter::addNumber(double value, int style) {
    const std::uint16_t col = takeColumn();
    const auto bits = std::bit_cast<std::uint64_t>(value);
    char d[8];
    for (int i = 0; i < 8; ++i)
        d[i] = char((bits >> (8 * i)) & 0xFF);
    appendCell(kNumber, col, style, d, 8);
}

void XlsWriter::addBool(bool value, int style) {
    const std::uint16_t col = takeColumn();
    const char d[2] = {char(value ? 1 : 0), 0};  // a boolean, not an error code
    appendCell(kBoolErr, col, style, d, 2);
}

void XlsWriter::addEmpty(int count) {
    for (int i = 0; i < count; ++i)
        takeColumn();
}

QByteArray XlsWriter::globals(int* sheetPosField) const {
    QByteArray g;
    record(g, kBof, bof(0x0005));
    record(g, kInterfaceHdr, le16s({kUnicodeCodePage}));
    record(g, kMms, le16s({0}));
    record(g, kInterfaceEnd, {});
    {
        QByteArray d;
        appendString(d, u" ", false);  // the user name: kept neutral
        d.append(QByteArray(112 - d.size(), ' '));
        record(g, kWriteAccess, d);
    }
    record(g, kCodePage, le16s({kUnicodeCodePage}));
    record(g, kDsf, le16s({0}));
    record(g, kTabId, le16s({1}));
    record(g, kWindowProtect, le16s({0}));
    record(g, kProtect, le16s({0}));
    record(g, kPassword, le16s({0}));
    record(g, kProt4Rev, le16s({0}));
    record(g, kProt4RevPass, le16s({0}));
    // Window position and size in twips, tabs shown, first sheet active and selected.
    record(g, kWindow1, le16s({0x0168, 0x001E, 0x3A5C, 0x23BE, 0x0038, 0, 0, 1, 0x0258}));
    record(g, kBackup, le16s({0}));
    record(g, kHideObj, le16s({0}));
    record(g, kDateMode, le16s({0}));  // 1900 date system
    record(g, kPrecision, le16s({1}));
    record(g, kRefreshAll, le16s({0}));
    record(g, kBookBool, le16s({0}));
    for (int i = 0; i < 4; ++i)
        record(g, kFont, font(false));
    record(g, kFont, font(true));
    for (int i = 0; i < formats_.size(); ++i) {
        QByteArray d;
        Bytes{d}.u16(unsigned(kFirstOwnFormat + i));
        appendString(d, formats_[i], false);
        record(g, kFormat, d);
    }
    record(g, kXf, xf(0, 0, true, 0));
    for (int i = 1; i < kStyleXfs; ++i)
        record(g, kXf, xf(0, 0, true, 0x3D));
    for (const Style& s : styles_)
        record(g, kXf, xf(s.bold ? kBoldFont : 0, std::uint16_t(s.format), false, 0x03));
    {
        QByteArray d;
        Bytes w{d};
        w.u16(0x8000);  // built-in style on XF 0
        w.u8(0);        // Normal
        w.u8(0xFF);
        record(g, kStyle, d);
    }
    record(g, kUsesElfs, le16s({0}));
    {
        QByteArray d;
        Bytes w{d};
        w.u32(0);  // the sheet's position, filled in by the caller
        w.u8(0);   // visible
        w.u8(0);   // worksheet
        appendString(d, sheetName_, true);
        *sheetPosField = int(g.size()) + 4;
        record(g, kBoundSheet, d);
    }
    record(g, kCountry, le16s({90, 90}));

    // Shared strings, then the index Excel uses to find every bucket of them.
    const int perBucket = std::max(8, int((strings_.size() + 127) / 128));
    const SstRecords sst = sharedStrings(strings_, stringRefs_, perBucket);
    std::vector<qsizetype> recordAt;
    for (std::size_t i = 0; i < sst.records.size(); ++i) {
        recordAt.push_back(g.size());
        record(g, i == 0 ? kSst : kContinue, sst.records[i]);
    }
    QByteArray ext;
    Bytes w{ext};
    w.u16(unsigned(perBucket));
    for (const auto& [rec, offset] : sst.starts) {
        w.u32(std::uint32_t(recordAt[rec] + 4 + offset));
        w.u16(unsigned(4 + offset));
        w.u16(0);
    }
    record(g, kExtSst, ext);
    record(g, kEof, {});
    return g;
}

QByteArray XlsWriter::sheet(std::uint32_t start) const {
    // Rows holding cells, and the blocks of 32 row numbers they fall in.
    std::vector<int> used;
    for (int r = 0; r < int(rows_.size()); ++r) {
        if (rows_[std::size_t(r)].begin != rows_[std::size_t(r)].end)
            used.push_back(r);
    }
    int blocks = 0;
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (i == 0 || used[i] / kRowsPerBlock != used[i - 1] / kRowsPerBlock)
            ++blocks;
    }
    int firstCol = kMaxColumns, endCol = 0;
    for (int r : used) {
        firstCol = std::min<int>(firstCol, rows_[std::size_t(r)].firstColumn);
        endCol = std::max<int>(endCol, rows_[std::size_t(r)].endColumn);
    }
    const std::uint32_t rowMic = used.empty() ? 0 : std::uint32_t(used.front());
    const std::uint32_t rowMac = used.empty() ? 0 : std::uint32_t(used.back() + 1);
    if (used.empty())
        firstCol = 0;

    QByteArray s;
    record(s, kBof, bof(0x0010));
    const qsizetype indexAt = s.size() + 4;
    record(s, kIndex, QByteArray(16 + 4 * blocks, '\0'));
    record(s, kCalcMode, le16s({1}));
    record(s, kCalcCount, le16s({100}));
    record(s, kRefMode, le16s({1}));
    record(s, kIteration, le16s({0}));
    {
        QByteArray d;
        Bytes{d}.f64(0.001);
        record(s, kDelta, d);
    }
    record(s, kSaveRecalc, le16s({1}));
    record(s, kPrintHeaders, le16s({0}));
    record(s, kPrintGridlines, le16s({0}));
    record(s, kGridSet, le16s({1}));
    record(s, kGuts, le16s({0, 0, 0, 0}));
    record(s, kDefaultRowHeight, le16s({0, 255}));
    record(s, kWsBool, le16s({0x04C1}));
    record(s, kHeader, {});
    record(s, kFooter, {});
    record(s, kHCenter, le16s({0}));
    record(s, kVCenter, le16s({0}));
    {
        // A4 portrait at 100 %, 600 dpi, half-inch header and footer margins, one copy.
        QByteArray d = le16s({9, 100, 1, 1, 1, 0x0002, 600, 600});
        Bytes w{d};
        w.f64(0.5);
        w.f64(0.5);
        w.u16(1);
        record(s, kSetup, d);
    }
    const std::uint32_t defColWidthAt = start + std::uint32_t(s.size());
    record(s, kDefColWidth, le16s({8}));
    auto widths = widths_;
    std::sort(widths.begin(), widths.end());
    for (const auto& [col, units] : widths) {
        record(s, kColInfo,
               le16s({unsigned(col), unsigned(col), units, unsigned(kStyleXfs), 0, 0}));
    }
    {
        QByteArray d;
        Bytes w{d};
        w.u32(rowMic);
        w.u32(rowMac);
        w.u16(unsigned(firstCol));
        w.u16(unsigned(endCol));
        w.u16(0);
        record(s, kDimensions, d);
    }

    // The cell table: per block, its ROW records, its rows' cells and a DBCELL that points back.
    std::vector<std::uint32_t> dbCells;
    for (std::size_t i = 0; i < used.size();) {
        std::size_t j = i;
        while (j < used.size() && used[j] / kRowsPerBlock == used[i] / kRowsPerBlock)
            ++j;
        const qsizetype firstRowAt = s.size();
        for (std::size_t k = i; k < j; ++k) {
            const Row& r = rows_[std::size_t(used[k])];
            QByteArray d;
            Bytes w{d};
            w.u16(unsigned(used[k]));
            w.u16(r.firstColumn);
            w.u16(r.endColumn);
            w.u16(255);         // default height, 12.75 points
            w.u16(0);           // reserved
            w.u16(0);           // unused
            w.u32(0x000F0100);  // XF 15, the flag that must be set
            record(s, kRow, d);
        }
        std::vector<qsizetype> cellsAt;
        for (std::size_t k = i; k < j; ++k) {
            const Row& r = rows_[std::size_t(used[k])];
            cellsAt.push_back(s.size());
            s.append(cells_.constData() + r.begin, qsizetype(r.end - r.begin));
        }
        const qsizetype dbCellAt = s.size();
        QByteArray d;
        Bytes w{d};
        w.u32(std::uint32_t(dbCellAt - firstRowAt));
        for (std::size_t k = 0; k < cellsAt.size(); ++k) {
            const qsizetype from = k == 0 ? firstRowAt + kRowRecordBytes : cellsAt[k - 1];
            w.u16(unsigned(cellsAt[k] - from));
        }
        record(s, kDbCell, d);
        dbCells.push_back(start + std::uint32_t(dbCellAt));
        i = j;
    }

    // Grid lines, headings and zeros shown, automatic grid colour, outline symbols, selected.
    record(s, kWindow2, le16s({0x06B6, 0, 0, 0x40, 0, 0, 0, 0, 0}));
    record(s, kEof, {});

    patch32(s, indexAt + 4, rowMic);
    patch32(s, indexAt + 8, rowMac);
    patch32(s, indexAt + 12, defColWidthAt);
    for (std::size_t b = 0; b < dbCells.size(); ++b)
        patch32(s, indexAt + 16 + 4 * qsizetype(b), dbCells[b]);
    return s;
}

QByteArray XlsWriter::workbookStream() const {
    int sheetPosField = 0;
    QByteArray stream = globals(&sheetPosField);
    const auto start = std::uint32_t(stream.size());
    patch32(stream, sheetPosField, start);
    stream += sheet(start);
    return stream;
}

void XlsWriter::save(const QString& path) const {
    const QByteArray stream = workbookStream();
    // The class id of an Excel 97-2003 workbook, as Excel writes it on the root.
    static const QByteArray kWorkbookClsid =
        QByteArray::fromHex("2008020000000000C000000000000046");
    QSaveFile file(path);
    const auto fail = [&](const QString& why) {
        return XlsError(QStringLiteral("\"%1\" dosyası kaydedilemedi: %2").arg(path, why));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw fail(file.errorString());
    if (!writeCompoundFile(file, QStringLiteral("Workbook"), stream, kWorkbookClsid)) {
        const QString why = file.error() != QFileDevice::NoError
                                ? file.errorString()
                                : QStringLiteral("dosya Excel biçimi için çok büyük");
        file.cancelWriting();
        throw fail(why);
    }
    if (!file.commit())
        throw fail(file.errorString());
}

}  // namespace kv::platform
