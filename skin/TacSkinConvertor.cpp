#include "skin/TacSkinConvertor.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include <zlib.h>

#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "skin/SkinMessages.h"
#include "skin/SkinStrings.h"
#include "skin/TsSkinLoadBudget.h"

namespace {

constexpr char PackageMagic[4] = {'M', 'V', 'z', 'f'};
// An entry needs its name length, its size and a zlib stream of at least eight bytes
// (header, the shortest deflate block, Adler-32 trailer).
constexpr std::int64_t MinEntryBytes = 16;
// Deflate cannot expand data by more than about 1032 to 1.
constexpr std::int64_t MaxInflateRatio = 1040;

// Reads the little-endian fields of a package and never past its end.
class TPackageCursor {
public:
    explicit TPackageCursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    std::size_t Position() const { return m_position; }
    void Skip(std::size_t count) { m_position += count; }
    std::span<const std::uint8_t> Rest() const { return m_bytes.subspan(m_position); }

    std::int32_t ReadInt32() {
        Require(4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | m_bytes[m_position + std::size_t(i)];
        m_position += 4;
        return static_cast<std::int32_t>(value);
    }

    std::string ReadText(std::size_t count) {
        Require(count);
        std::string text(reinterpret_cast<const char*>(m_bytes.data() + m_position), count);
        m_position += count;
        return text;
    }

    void Require(std::size_t count) const {
        if (count > Remaining()) throw EReadError("Stream read error");
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

// Inflates one zlib stream at the cursor into exactly `size` bytes and leaves the cursor on
// the first byte after the stream.
std::vector<std::uint8_t> InflateEntry(TPackageCursor& cursor, std::int64_t size, const std::string& name) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) throw EReadError("Skin package: the inflater could not start");
    const std::span<const std::uint8_t> input = cursor.Rest();
    zs.next_in = const_cast<Bytef*>(input.data());
    zs.avail_in = static_cast<uInt>(std::min<std::size_t>(input.size(), 0xFFFFFFFFu));

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(std::min<std::int64_t>(size, 1 << 20)));
    std::uint8_t chunk[65536];
    int status = Z_OK;
    for (;;) {
        zs.next_out = chunk;
        zs.avail_out = sizeof chunk;
        status = inflate(&zs, Z_NO_FLUSH);
        const std::size_t produced = sizeof chunk - zs.avail_out;
        if (std::int64_t(out.size() + produced) > size) {
            inflateEnd(&zs);
            throw EReadError("Skin package: entry " + Quoted(name) + " inflates to more than its " +
                             std::to_string(size) + " bytes");
        }
        out.insert(out.end(), chunk, chunk + produced);
        if (status == Z_STREAM_END) break;
        if (status == Z_OK && produced > 0) continue;
        if (status == Z_OK && zs.avail_in > 0) continue;
        inflateEnd(&zs);
        if (status == Z_OK || status == Z_BUF_ERROR)
            throw EReadError("Skin package: entry " + Quoted(name) + " ends early");
        throw EReadError("Skin package: entry " + Quoted(name) + " is damaged (" +
                         (zs.msg ? std::string(zs.msg) : std::string("inflate error")) + ")");
    }
    const std::size_t consumed = zs.total_in;
    inflateEnd(&zs);
    if (std::int64_t(out.size()) != size)
        throw EReadError("Skin package: entry " + Quoted(name) + " holds " + std::to_string(out.size()) +
                         " bytes instead of " + std::to_string(size));
    cursor.Skip(consumed);
    return out;
}

bool IsBitmapName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && SameText(name.substr(dot), ".BMP");
}

} // namespace

TacSkinConvertor::~TacSkinConvertor() {
    ClearPackage();
}

void TacSkinConvertor::SetSource(std::vector<std::uint8_t> bytes) {
    m_ownedSource = std::move(bytes);
    m_source = m_ownedSource;
}

void TacSkinConvertor::LendSource(std::span<const std::uint8_t> bytes) {
    m_ownedSource.clear();
    m_source = bytes;
}

void TacSkinConvertor::ReleaseSource() {
    m_source = {};
    std::vector<std::uint8_t>().swap(m_ownedSource);
}

std::int64_t TacSkinConvertor::UnpackedSize() const {
    std::int64_t total = m_options ? std::int64_t(m_options->size()) : 0;
    for (const TacPackageEntry& entry : m_files)
        total += std::int64_t(entry.Data.size());
    return total;
}

void TacSkinConvertor::ClearPackage() {
    while (!m_files.empty())
        m_files.pop_back();
    m_options.reset();
    ReleaseSource();
    m_imageCount = -1;
}

void TacSkinConvertor::LoadPackage() {
    TPackageCursor cursor(m_source);
    cursor.Require(4);
    if (std::memcmp(m_source.data(), PackageMagic, 4) != 0) {
        ShowSkinMessage({TSkinMessageKind::Warning, "Warning", "Loaded data is not packed Murvane file"});
        ClearPackage();
        return;
    }
    cursor.Skip(4);
    const std::int32_t count = cursor.ReadInt32();
    if (count < 0 || count > std::int64_t(cursor.Remaining()) / MinEntryBytes)
        throw EReadError("Skin package: impossible entry count " + std::to_string(count));
    m_imageCount = count - 1;
    // The entries together share one budget: many small streams that each declare a large
    // size would otherwise add up without bound.
    TsSkinLoadBudget budget(m_totalLimit);
    budget.Charge(std::int64_t(m_source.size()), "the package file");
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t nameLength = cursor.ReadInt32();
        if (nameLength < 0 || std::size_t(nameLength) > cursor.Remaining())
            throw EReadError("Skin package: impossible name length " + std::to_string(nameLength));
        std::string name = cursor.ReadText(std::size_t(nameLength));
        const std::int32_t size = cursor.ReadInt32();
        if (size < 0 || size > MaxPackageEntrySize ||
            size > std::int64_t(cursor.Remaining()) * MaxInflateRatio + 64)
            throw EReadError("Skin package: entry " + Quoted(name) + " has an impossible size " +
                             std::to_string(size));
        budget.Charge(size, "the package entry " + Quoted(name));
        std::vector<std::uint8_t> data = InflateEntry(cursor, size, name);
        if (SameText(name, "Options.dat")) {
            m_options = std::move(data);
        } else {
            const bool isBitmap = IsBitmapName(name);
            m_files.push_back({std::move(name), isBitmap, std::move(data)});
        }
    }
}

const TacPackageEntry* TacSkinConvertor::FindImage(std::string_view name) const {
    const std::size_t visible = std::min<std::size_t>(std::size_t(std::max(m_imageCount, 0)), m_files.size());
    for (std::size_t i = 0; i < visible; ++i)
        if (SameText(m_files[i].FileName, name)) return &m_files[i];
    return nullptr;
}

void LoadPackageFile(const std::string& fileName, std::unique_ptr<TacSkinConvertor>& reader,
                     bool freeSource) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) return;
    // Read as a regular file of bounded size only, checked again after opening.
    std::vector<std::uint8_t> bytes = ReadFileBytes(fileName, MaxPackageFileSize);

    if (reader)
        reader->ClearPackage();
    else
        reader = std::make_unique<TacSkinConvertor>();
    reader->SetSource(std::move(bytes));
    try {
        reader->LoadPackage();
    } catch (...) {
        if (freeSource) reader->ReleaseSource();
        throw;
    }
    if (freeSource) reader->ReleaseSource();
}

std::vector<std::uint8_t> BuildPackage(const std::vector<TacPackageEntry>& entries) {
    std::vector<std::uint8_t> out(PackageMagic, PackageMagic + 4);
    auto appendInt = [&out](std::int64_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            out.push_back(std::uint8_t(bits >> (8 * i)));
    };
    appendInt(std::int64_t(entries.size()));
    for (const TacPackageEntry& entry : entries) {
        appendInt(std::int64_t(entry.FileName.size()));
        out.insert(out.end(), entry.FileName.begin(), entry.FileName.end());
        appendInt(std::int64_t(entry.Data.size()));
        uLongf packedSize = compressBound(uLong(entry.Data.size()));
        std::vector<std::uint8_t> packed(packedSize);
        if (compress2(packed.data(), &packedSize, entry.Data.data(), uLong(entry.Data.size()),
                      Z_DEFAULT_COMPRESSION) != Z_OK)
            throw EReadError("Skin package: entry " + Quoted(entry.FileName) + " could not be packed");
        out.insert(out.end(), packed.begin(), packed.begin() + std::ptrdiff_t(packedSize));
    }
    return out;
}
