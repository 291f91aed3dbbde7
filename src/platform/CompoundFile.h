// A compound document (the structured-storage container of legacy Office files) holding one
// stream under the root: version 3, 512-byte sectors, no mini stream. The stream is padded with
// zero bytes to at least 4096 bytes, the size from which streams live in ordinary sectors, so
// the file needs no mini FAT. FAT sectors are listed in the header (109 of them) and, beyond
// that, in DIFAT sectors, so streams of any size up to the format's 2 GB work.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>

namespace kv::platform {

namespace cfb {
inline constexpr int kSectorSize = 512;
inline constexpr std::uint32_t kMiniStreamCutoff = 4096;
inline constexpr int kHeaderDifatEntries = 109;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFFu;
inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
inline constexpr std::uint32_t kFatSector = 0xFFFFFFFDu;
inline constexpr std::uint32_t kDifatSector = 0xFFFFFFFCu;
}  // namespace cfb

// Where the parts of a compound file go, in sectors after the header: the stream first, then
// the directory sector, the FAT sectors and the DIFAT sectors.
struct CompoundLayout {
    std::uint32_t streamBytes = 0;  // padded stream size as recorded in the directory
    std::uint32_t streamSectors = 0;
    std::uint32_t directorySector = 0;
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    std::uint32_t totalSectors() const { return streamSectors + 1 + fatSectors + difatSectors; }
    std::uint64_t fileBytes() const {
        return std::uint64_t(cfb::kSectorSize) * (1 + std::uint64_t(totalSectors()));
    }
};

CompoundLayout compoundLayout(std::uint64_t streamBytes);

// Writes the whole file to `out`. `streamName` is at most 31 characters; `clsid` (16 bytes or
// empty) is the root's class id. Returns false when the device refuses a write or the stream is
// too large for the format.
bool writeCompoundFile(QIODevice& out, const QString& streamName, const QByteArray& stream,
                       const QByteArray& clsid = {});

}  // namespace kv::platform
