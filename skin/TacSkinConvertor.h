#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The largest unpacked entry and the largest package file the reader accepts.
inline constexpr std::int64_t MaxPackageEntrySize = 256LL * 1024 * 1024;
inline constexpr std::int64_t MaxPackageFileSize = 256LL * 1024 * 1024;
// The most all unpacked entries of one package may hold together.
inline constexpr std::int64_t MaxPackageTotalSize = 256LL * 1024 * 1024;

// One unpacked entry of a skin package other than the options entry.
struct TacPackageEntry {
    std::string FileName;           // the name exactly as stored
    bool IsBitmap = false;          // extension ".BMP", letter case not counting
    std::vector<std::uint8_t> Data; // the inflated bytes
};

// Reads a skin package ("MVzf", an entry count, then per entry a name, the unpacked size
// and one zlib stream) into memory. The source is either owned (read from a file) or lent
// by a stored skin, which takes it back before the reader goes.
class TacSkinConvertor {
public:
    TacSkinConvertor() = default;
    ~TacSkinConvertor();
    TacSkinConvertor(const TacSkinConvertor&) = delete;
    TacSkinConvertor& operator=(const TacSkinConvertor&) = delete;

    // The header's entry count minus one; -1 before any package was read.
    int ImageCount() const { return m_imageCount; }
    const std::vector<TacPackageEntry>& Files() const { return m_files; }
    // The inflated options entry; null when the package had none (or was rejected).
    const std::vector<std::uint8_t>* Options() const { return m_options ? &*m_options : nullptr; }
    // The bytes of every unpacked entry together (the options entry included).
    std::int64_t UnpackedSize() const;

    void SetSource(std::vector<std::uint8_t> bytes);
    void LendSource(std::span<const std::uint8_t> bytes);
    // Forgets the source; an owned one is released, a lent one goes back to its owner.
    void ReleaseSource();
    std::span<const std::uint8_t> Source() const { return m_source; }

    // Unpacks the source from its first byte. A wrong magic shows the warning message and
    // leaves the reader empty. Damaged data raises EReadError; the entries read before the
    // fault stay. A package is never read past its end, and an entry whose header or stream
    // does not hold together (a negative or impossible count, name length or size, a stream
    // that inflates to more or fewer bytes than its size says) is rejected. When the package
    // itself and its entries' sizes add up to more than the total limit, ESkinTooLarge is
    // raised before the entry that passes the limit is inflated.
    void LoadPackage();
    // The most the package file and its unpacked entries may hold together; the program keeps
    // MaxPackageTotalSize, the fuzz harnesses set less so that each input stays quick.
    void SetTotalLimit(std::int64_t bytes) { m_totalLimit = bytes; }

    // Releases the entries from the last to the first, the options stream and the source.
    void ClearPackage();

    // The first of the first ImageCount entries whose upper-cased name equals the
    // upper-cased name given; null when there is none.
    const TacPackageEntry* FindImage(std::string_view name) const;

private:
    int m_imageCount = -1;
    std::vector<TacPackageEntry> m_files;
    std::optional<std::vector<std::uint8_t>> m_options;
    std::vector<std::uint8_t> m_ownedSource;
    std::span<const std::uint8_t> m_source;
    std::int64_t m_totalLimit = MaxPackageTotalSize;
};

// When the file exists: reuses the reader after ClearPackage or creates one, reads the file
// into a new owned source and unpacks it; with freeSource the source is released afterwards,
// also when unpacking fails. A missing file leaves the reference unchanged.
void LoadPackageFile(const std::string& fileName, std::unique_ptr<TacSkinConvertor>& reader, bool freeSource);

// Packs the entries, in the order given, into the package layout with default compression
// (every stream then starts with 0x78 0x9C). The skin tool and tests use it.
std::vector<std::uint8_t> BuildPackage(const std::vector<TacPackageEntry>& entries);
