#include "platform/CompoundFile.h"

#include <algorithm>
#include <vector>

namespace kv::platform {

namespace {

using namespace cfb;

constexpr std::uint32_t kEntriesPerFatSector = kSectorSize / 4;             // 128
constexpr std::uint32_t kEntriesPerDifatSector = kEntriesPerFatSector - 1;  // the last links on
constexpr std::uint32_t kNoStream = 0xFFFFFFFFu;
constexpr std::uint64_t kMaxFileBytes = 0x7FFFFFFFu;  // version 3 files stay below 2 GB

void put16(char* p, std::uint16_t v) {
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void put32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

// One 128-byte directory entry; an empty name makes an unused entry.
void putEntry(char* e, const QString& name, std::uint8_t type, std::uint32_t child,
              std::uint32_t start, std::uint32_t size, const QByteArray& clsid) {
    std::fill(e, e + 128, 0);
    const int chars = std::min<int>(int(name.size()), 31);
    for (int i = 0; i < chars; ++i)
        put16(e + 2 * i, name[i].unicode());
    put16(e + 64, std::uint16_t(name.isEmpty() ? 0 : (chars + 1) * 2));
    e[66] = char(type);
    e[67] = char(name.isEmpty() ? 0 : 1);  // black: a one-node tree is trivially balanced
    put32(e + 68, kNoStream);              // left sibling
    put32(e + 72, kNoStream);              // right sibling
    put32(e + 76, child);
    if (clsid.size() == 16)
        std::copy(clsid.begin(), clsid.end(), e + 80);
    put32(e + 116, start);
    put32(e + 120, size);  // the upper half of the 64-bit size stays zero in version 3
}

}  // namespace

CompoundLayout compoundLayout(std::uint64_t streamBytes) {
    CompoundLayout l;
    const std::uint64_t padded = std::max<std::uint64_t>(streamBytes, kMiniStreamCutoff);
    l.streamBytes = std::uint32_t(std::min<std::uint64_t>(padded, 0xFFFFFFFFu));
    l.streamSectors = std::uint32_t((padded + kSectorSize - 1) / kSectorSize);
    l.directorySector = l.streamSectors;
    // The FAT covers every sector, its own and the DIFAT's included.
    l.fatSectors = 1;
    for (;;) {
        l.difatSectors = l.fatSectors > std::uint32_t(kHeaderDifatEntries)
                             ? (l.fatSectors - kHeaderDifatEntries + kEntriesPerDifatSector - 1) /
                                   kEntriesPerDifatSector
                             : 0;
        if (std::uint64_t(l.fatSectors) * kEntriesPerFatSector >= l.totalSectors())
            break;
        ++l.fatSectors;
    }
    return l;
}

bool writeCompoundFile(QIODevice& out, const QString& streamName, const QByteArray& stream,
                       const QByteArray& clsid) {
    const CompoundLayout l = compoundLayout(std::uint64_t(stream.size()));
    if (l.fileBytes() > kMaxFileBytes)
        return false;
    const std::uint32_t firstFat = l.directorySector + 1;
    const std::uint32_t firstDifat = firstFat + l.fatSectors;

    // Header.
    QByteArray header(kSectorSize, '\0');
    char* h = header.data();
    static const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(kSignature, kSignature + 8, reinterpret_cast<unsigned char*>(h));
    put16(h + 24, 0x003E);  // minor version
    put16(h + 26, 0x0003);  // major version
    put16(h + 28, 0xFFFE);  // little-endian
    put16(h + 30, 9);       // 512-byte sectors
    put16(h + 32, 6);       // 64-byte mini sectors
    put32(h + 44, l.fatSectors);
    put32(h + 48, l.directorySector);
    put32(h + 56, kMiniStreamCutoff);
    put32(h + 60, kEndOfChain);  // no mini FAT
    put32(h + 68, l.difatSectors ? firstDifat : kEndOfChain);
    put32(h + 72, l.difatSectors);
    for (int i = 0; i < kHeaderDifatEntries; ++i)
        put32(h + 76 + 4 * i, std::uint32_t(i) < l.fatSectors ? firstFat + i : kFreeSector);

    // Directory: the root, the one stream below it and two unused entries.
    QByteArray dir(kSectorSize, '\0');
    putEntry(dir.data(), QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0, clsid);
    putEntry(dir.data() + 128, streamName, 2, kNoStream, 0, l.streamBytes, {});
    putEntry(dir.data() + 256, QString(), 0, kNoStream, 0, 0, {});
    putEntry(dir.data() + 384, QString(), 0, kNoStream, 0, 0, {});

    // FAT: the stream's chain, the directory, then the FAT and DIFAT sectors themselves.
    std::vector<std::uint32_t> fat(std::size_t(l.fatSectors) * kEntriesPerFatSector, kFreeSector);
    for (std::uint32_t s = 0; s + 1 < l.streamSectors; ++s)
        fat[s] = s + 1;
    fat[l.streamSectors - 1] = kEndOfChain;
    fat[l.directorySector] = kEndOfChain;
    for (std::uint32_t i = 0; i < l.fatSectors; ++i)
        fat[firstFat + i] = kFatSector;
    for (std::uint32_t i = 0; i < l.difatSectors; ++i)
        fat[firstDifat + i] = kDifatSector;
    QByteArray fatBytes(qsizetype(fat.size() * 4), '\0');
    for (std::size_t i = 0; i < fat.size(); ++i)
        put32(fatBytes.data() + 4 * i, fat[i]);

    // DIFAT sectors: the FAT sectors after the header's 109, 127 per sector, each sector ending
    // with the next one's number.
    QByteArray difat(qsizetype(l.difatSectors) * kSectorSize, '\0');
    for (std::uint32_t d = 0; d < l.difatSectors; ++d) {
        char* p = difat.data() + qsizetype(d) * kSectorSize;
        for (std::uint32_t i = 0; i < kEntriesPerDifatSector; ++i) {
            const std::uint64_t fatIndex =
                kHeaderDifatEntries + std::uint64_t(d) * kEntriesPerDifatSector + i;
            put32(p + 4 * i,
                  fatIndex < l.fatSectors ? firstFat + std::uint32_t(fatIndex) : kFreeSector);
        }
        put32(p + 4 * kEntriesPerDifatSector,
              d + 1 < l.difatSectors ? firstDifat + d + 1 : kEndOfChain);
    }

    const qint64 padding = qint64(l.streamSectors) * kSectorSize - stream.size();
    return out.write(header) == header.size() && out.write(stream) == stream.size() &&
           out.write(QByteArray(padding, '\0')) == padding && out.write(dir) == dir.size() &&
           out.write(fatBytes) == fatBytes.size() && out.write(difat) == difat.size();
}

}  // namespace kv::platform
