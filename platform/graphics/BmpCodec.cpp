// Bitmap files: header parsing with every offset and size checked against the buffer
// before it is used, the pixel decoders by depth, and the writer.

#include "platform/graphics/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathText.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
constexpr std::uint32_t kCompressionBitfields = 3;

[[noreturn]] void Fail(const std::string& reason) {
    throw EInvalidGraphic("Bitmap image is not valid: " + reason);
}

// Little-endian reads that refuse to go past the end of the buffer.
class TByteReader {
public:
    explicit TByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t Size() const { return m_data.size(); }
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= m_data.size() && count <= m_data.size() - offset;
    }
    std::uint16_t U16(std::uint64_t offset) const {
        Require(offset, 2);
        return std::uint16_t(m_data[offset] | (m_data[offset + 1] << 8));
    }
    std::uint32_t U32(std::uint64_t offset) const {
        Require(offset, 4);
        return std::uint32_t(m_data[offset]) | (std::uint32_t(m_data[offset + 1]) << 8) |
               (std::uint32_t(m_data[offset + 2]) << 16) | (std::uint32_t(m_data[offset + 3]) << 24);
    }
    std::int32_t I32(std::uint64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    const std::uint8_t* At(std::uint64_t offset, std::uint64_t count) const {
        Require(offset, count);
        return m_data.data() + offset;
    }

private:
    void Require(std::uint64_t offset, std::uint64_t count) const {
        if (!Has(offset, count)) Fail("the file ends early");
    }
    std::span<const std::uint8_t> m_data;
};

// One channel described by a bit mask: where it sits and how to widen it to 8 bits.
struct TChannelMask {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    explicit TChannelMask(std::uint32_t mask) : Mask(mask) {
        if (mask == 0) return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    std::uint8_t Extract(std::uint32_t pixel) const {
        if (Max == 0) return 0;
        const std::uint64_t v = (pixel & Mask) >> Shift;
        return static_cast<std::uint8_t>((v * 255 + Max / 2) / Max);
    }
};

struct TBmpHeader {
    std::uint32_t HeaderSize = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    bool TopDown = false;
    int BitsPerPixel = 0;
    std::uint32_t Compression = kCompressionRgb;
    std::uint64_t PaletteOffset = 0;
    std::uint32_t PaletteCount = 0;
    int PaletteEntrySize = 4;
    std::uint32_t PixelOffset = 0;
    std::uint32_t Masks[3] = {0, 0, 0}; // red, green, blue
};

TBmpHeader ParseHeader(const TByteReader& in) {
    TBmpHeader h;
    if (!in.Has(0, kFileHeaderSize + 4)) Fail("the file is too short for a bitmap header");
    if (in.At(0, 2)[0] != 'B' || in.At(0, 2)[1] != 'M') Fail("the file does not start with \"BM\"");
    h.PixelOffset = in.U32(10);
    h.HeaderSize = in.U32(kFileHeaderSize);
    if (h.HeaderSize != kCoreHeaderSize && h.HeaderSize < kInfoHeaderSize)
        Fail("unknown header size " + std::to_string(h.HeaderSize));
    if (!in.Has(kFileHeaderSize, h.HeaderSize)) Fail("the header runs past the end of the file");

    const std::uint64_t info = kFileHeaderSize;
    if (h.HeaderSize == kCoreHeaderSize) {
        h.Width = in.U16(info + 4);
        h.Height = in.U16(info + 6);
        h.BitsPerPixel = in.U16(info + 10);
        h.PaletteEntrySize = 3;
    } else {
        h.Width = in.I32(info + 4);
        h.Height = in.I32(info + 8);
        h.BitsPerPixel = in.U16(info + 14);
        h.Compression = in.U32(info + 16);
        h.PaletteCount = in.U32(info + 32);
    }
    if (h.Height < 0) {
        h.TopDown = true;
        h.Height = -h.Height;
    }
    if (h.Width <= 0 || h.Height <= 0)
        Fail("the size " + std::to_string(h.Width) + " x " + std::to_string(h.Height) +
             " is empty or negative");
    if (h.Width > kMaxBmpSide || h.Height > kMaxBmpSide || h.Width * h.Height > kMaxBmpPixels)
        Fail("the size " + std::to_string(h.Width) + " x " + std::to_string(h.Height) + " is too large");

    switch (h.BitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Fail(std::to_string(h.BitsPerPixel) + " bits per pixel are not supported");
    }

    std::uint64_t afterHeader = info + h.HeaderSize;
    if (h.Compression == kCompressionRle8 || h.Compression == kCompressionRle4) {
        if (h.BitsPerPixel != (h.Compression == kCompressionRle8 ? 8 : 4))
            Fail("run-length compression does not match " + std::to_string(h.BitsPerPixel) +
                 " bits per pixel");
        if (h.TopDown) Fail("run-length compressed rows cannot be stored top-down");
        if (h.HeaderSize == kCoreHeaderSize) Fail("a core header cannot describe compression");
    } else if (h.Compression == kCompressionBitfields) {
        if (h.BitsPerPixel != 16 && h.BitsPerPixel != 32) Fail("channel masks need 16 or 32 bits per pixel");
        // A plain information header is followed by the three masks; later headers hold them.
        const std::uint64_t masks = info + kInfoHeaderSize;
        if (h.HeaderSize == kInfoHeaderSize) afterHeader += 12;
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = in.U32(masks + 4 * std::uint64_t(i));
    } else if (h.Compression != kCompressionRgb) {
        Fail("compression " + std::to_string(h.Compression) + " is not supported");
    } else if (h.BitsPerPixel == 16) {
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
    }

    if (h.BitsPerPixel <= 8) {
        const std::uint32_t most = 1u << h.BitsPerPixel;
        if (h.PaletteCount == 0) h.PaletteCount = most;
        if (h.PaletteCount > most)
            Fail("the palette holds " + std::to_string(h.PaletteCount) + " colours, more than " +
                 std::to_string(most) + " allowed");
        h.PaletteOffset = afterHeader;
        if (!in.Has(h.PaletteOffset, std::uint64_t(h.PaletteCount) * std::uint64_t(h.PaletteEntrySize)))
            Fail("the palette runs past the end of the file");
    }
    if (h.PixelOffset < afterHeader) Fail("the pixel data starts inside the header");
    if (h.PixelOffset > in.Size()) Fail("the pixel data starts past the end of the file");
    return h;
}

std::uint64_t RowBytes(std::int64_t width, int bitsPerPixel) {
    return ((std::uint64_t(width) * std::uint64_t(bitsPerPixel) + 31) / 32) * 4;
}

std::vector<TColor> ReadPalette(const TByteReader& in, const TBmpHeader& h) {
    std::vector<TColor> palette(h.PaletteCount);
    const std::uint8_t* p =
        in.At(h.PaletteOffset, std::uint64_t(h.PaletteCount) * std::uint64_t(h.PaletteEntrySize));
    for (std::uint32_t i = 0; i < h.PaletteCount; ++i, p += h.PaletteEntrySize)
        palette[i] = MakeColor(p[2], p[1], p[0]);
    return palette;
}

// Run-length data: pairs of (count, index) runs, and escapes after a zero count for end of
// row, end of picture, a jump, or a literal stretch padded to a whole word. Rows are stored
// bottom-up; pixels that the data skips keep index 0 and runs past the right edge are cut.
TBitmap DecodeRunLength(const TByteReader& in, const TBmpHeader& h) {
    const bool fourBit = h.Compression == kCompressionRle4;
    const int width = static_cast<int>(h.Width);
    const int height = static_cast<int>(h.Height);
    TBitmap bitmap(width, height, TPixelFormat::pf8bit);
    bitmap.SetPalette(ReadPalette(in, h));

    std::uint64_t at = h.PixelOffset;
    int x = 0;
    int row = 0; // counted from the bottom
    auto put = [&](std::uint8_t index) {
        if (x < width && row < height) bitmap.ScanLine(height - 1 - row)[x] = index;
        x = std::min(x + 1, width);
    };
    auto truncated = [] { Fail("the compressed pixel data ends early"); };
    while (true) {
        if (!in.Has(at, 2)) truncated();
        const std::uint8_t count = in.At(at, 2)[0];
        const std::uint8_t value = in.At(at, 2)[1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBit ? std::uint8_t(i % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of row
            x = 0;
            ++row;
        } else if (value == 1) { // end of picture
            break;
        } else if (value == 2) { // jump right and up
            if (!in.Has(at, 2)) truncated();
            x = std::min(x + in.At(at, 2)[0], width);
            row += in.At(at, 2)[1];
            at += 2;
        } else { // a literal stretch of value pixels
            const std::uint64_t bytes = fourBit ? (value + 1u) / 2u : value;
            if (!in.Has(at, bytes)) truncated();
            const std::uint8_t* p = in.At(at, bytes);
            for (int i = 0; i < value; ++i)
                put(fourBit ? std::uint8_t(i % 2 ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i]);
            at += (bytes + 1) & ~std::uint64_t(1);
        }
        // Nothing can be written beyond the top row; what follows is ignored.
        if (row >= height) break;
    }
    return bitmap;
}

TBitmap DecodePixels(const TByteReader& in, const TBmpHeader& h) {
    if (h.Compression == kCompressionRle8 || h.Compression == kCompressionRle4) return DecodeRunLength(in, h);

    const int width = static_cast<int>(h.Width);
    const int height = static_cast<int>(h.Height);
    const std::uint64_t stride = RowBytes(h.Width, h.BitsPerPixel);
    // Checked before the bitmap is allocated, so a lying header cannot make us allocate more
    // than the file could possibly describe.
    if (!in.Has(h.PixelOffset, stride * std::uint64_t(height)))
        Fail("the pixel data ends early (" + std::to_string(stride * std::uint64_t(height)) +
             " bytes needed, " + std::to_string(in.Size() - h.PixelOffset) + " present)");

    TPixelFormat format = TPixelFormat::pf24bit;
    if (h.BitsPerPixel <= 8) format = TPixelFormat::pf8bit;
    if (h.BitsPerPixel == 32) format = TPixelFormat::pf32bit;
    TBitmap bitmap(width, height, format);

    if (format == TPixelFormat::pf8bit) bitmap.SetPalette(ReadPalette(in, h));

    const TChannelMask red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]);
    const bool plain32 =
        h.BitsPerPixel == 32 && (h.Compression == kCompressionRgb ||
                                 (h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF));
    for (int y = 0; y < height; ++y) {
        const int fileRow = h.TopDown ? y : height - 1 - y;
        const std::uint8_t* src = in.At(h.PixelOffset + std::uint64_t(fileRow) * stride, stride);
        std::uint8_t* dst = bitmap.ScanLine(y);
        switch (h.BitsPerPixel) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
            break;
        case 8:
            std::copy(src, src + width, dst);
            break;
        case 24:
            std::copy(src, src + std::ptrdiff_t(width) * 3, dst);
            break;
        case 16:
            for (int x = 0; x < width; ++x, dst += 3) {
                const std::uint32_t v = std::uint32_t(src[2 * x]) | (std::uint32_t(src[2 * x + 1]) << 8);
                dst[0] = blue.Extract(v);
                dst[1] = green.Extract(v);
                dst[2] = red.Extract(v);
            }
            break;
        case 32:
            for (int x = 0; x < width; ++x, dst += 4, src += 4) {
                if (plain32) {
                    dst[0] = src[0];
                    dst[1] = src[1];
                    dst[2] = src[2];
                } else {
                    const std::uint32_t v = std::uint32_t(src[0]) | (std::uint32_t(src[1]) << 8) |
                                            (std::uint32_t(src[2]) << 16) | (std::uint32_t(src[3]) << 24);
                    dst[0] = blue.Extract(v);
                    dst[1] = green.Extract(v);
                    dst[2] = red.Extract(v);
                }
                dst[3] = 0;
            }
            break;
        }
    }
    return bitmap;
}

// The headers and palette of a written file, assembled before the pixel rows.
using THeadBytes = std::array<std::uint8_t, 14 + 40 + 256 * 4>;

void PutU16(THeadBytes& out, std::size_t at, std::uint32_t v) {
    out[at] = std::uint8_t(v);
    out[at + 1] = std::uint8_t(v >> 8);
}

void PutU32(THeadBytes& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

} // namespace

TBitmap ReadBmp(std::span<const std::uint8_t> data) {
    const TByteReader in(data);
    return DecodePixels(in, ParseHeader(in));
}

TBmpPictureInfo ReadBmpInfo(std::span<const std::uint8_t> data) {
    const TByteReader in(data);
    const TBmpHeader h = ParseHeader(in);
    TPixelFormat format = TPixelFormat::pf24bit;
    if (h.BitsPerPixel <= 8) format = TPixelFormat::pf8bit;
    if (h.BitsPerPixel == 32) format = TPixelFormat::pf32bit;
    return {static_cast<int>(h.Width), static_cast<int>(h.Height), format};
}

TBitmap ReadBmpFile(const std::filesystem::path& path) {
    return ReadBmp(ReadFileBytes(PathText(path)));
}

std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap, const TBmpWriteOptions& options) {
    if (bitmap.IsEmpty()) throw EInvalidGraphic("An empty bitmap cannot be stored as a bitmap file");
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    int bits = 24;
    std::vector<TColor> palette;
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf8bit: {
        bits = options.PaletteBits;
        if (bits != 1 && bits != 4 && bits != 8)
            throw EInvalidGraphic("A palettised bitmap file holds 1, 4 or 8 bits per pixel");
        palette = bitmap.Palette();
        const std::size_t most = std::size_t(1) << bits;
        if (palette.empty()) palette.assign(most, clBlack);
        if (palette.size() > most)
            throw EInvalidGraphic("The palette has more colours than " + std::to_string(bits) +
                                  " bits can index");
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (bitmap.ScanLine(y)[x] >= most)
                    throw EInvalidGraphic("A pixel index does not fit in " + std::to_string(bits) + " bits");
        break;
    }
    case TPixelFormat::pf24bit:
        bits = 24;
        break;
    case TPixelFormat::pf32bit:
        bits = 32;
        break;
    }

    const std::uint64_t stride = RowBytes(width, bits);
    const std::uint64_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + palette.size() * 4;
    const std::uint64_t fileSize = pixelOffset + stride * std::uint64_t(height);
    if (fileSize > 0xFFFFFFFFu) throw EInvalidGraphic("The bitmap is too large for a bitmap file");
    THeadBytes out{};

    PutU16(out, 0, 'B' | ('M' << 8));
    PutU32(out, 2, std::uint32_t(fileSize));
    PutU32(out, 10, std::uint32_t(pixelOffset));
    const std::size_t info = kFileHeaderSize;
    PutU32(out, info, kInfoHeaderSize);
    PutU32(out, info + 4, std::uint32_t(width));
    const std::int32_t storedHeight = options.RowOrder == TBmpRowOrder::TopDown ? -height : height;
    PutU32(out, info + 8, static_cast<std::uint32_t>(storedHeight));
    PutU16(out, info + 12, 1);
    PutU16(out, info + 14, std::uint32_t(bits));
    PutU32(out, info + 16, kCompressionRgb);
    PutU32(out, info + 20, std::uint32_t(stride * std::uint64_t(height)));
    PutU32(out, info + 24, 3780); // 96 dots per inch
    PutU32(out, info + 28, 3780);
    PutU32(out, info + 32, std::uint32_t(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize + 4 * i;
        out[at] = GetBValue(palette[i]);
        out[at + 1] = GetGValue(palette[i]);
        out[at + 2] = GetRValue(palette[i]);
    }
    std::vector<std::uint8_t> file(out.begin(), out.begin() + std::ptrdiff_t(pixelOffset));
    file.resize(static_cast<std::size_t>(fileSize), 0);

    for (int y = 0; y < height; ++y) {
        const int fileRow = options.RowOrder == TBmpRowOrder::TopDown ? y : height - 1 - y;
        std::uint8_t* dst = file.data() + pixelOffset + std::uint64_t(fileRow) * stride;
        const std::uint8_t* src = bitmap.ScanLine(y);
        switch (bits) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x >> 3] |= std::uint8_t(src[x] << (7 - (x & 7)));
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x >> 1] |= std::uint8_t((x & 1) ? src[x] : src[x] << 4);
            break;
        case 8:
            std::copy(src, src + width, dst);
            break;
        case 24:
            std::copy(src, src + std::ptrdiff_t(width) * 3, dst);
            break;
        case 32:
            for (int x = 0; x < width; ++x) {
                dst[4 * x] = src[4 * x];
                dst[4 * x + 1] = src[4 * x + 1];
                dst[4 * x + 2] = src[4 * x + 2];
            }
            break;
        }
    }
    return file;
}

void WriteBmpFile(const TBitmap& bitmap, const std::filesystem::path& path, const TBmpWriteOptions& options) {
    WriteFileAtomically(PathText(path), WriteBmp(bitmap, options));
}
