#include "skin/support/SkinTestSupport.h"

#include <atomic>
#include <cctype>
#include <fstream>

#include <unistd.h>

#include <zlib.h>

namespace skintest {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

void AppendInt(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(bits >> (8 * i)));
}

void AppendText(std::vector<std::uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

namespace {
void AppendInt16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}
} // namespace

std::vector<std::uint8_t> BmpFile(const TBitmap& bitmap) {
    const bool paletted = bitmap.PixelFormat() == TPixelFormat::pf8bit;
    const int bits = paletted ? 8 : 24;
    const int rowBytes = ((bitmap.Width() * bits / 8) + 3) / 4 * 4;
    const int paletteBytes = paletted ? 256 * 4 : 0;
    const int offset = 14 + 40 + paletteBytes;
    std::vector<std::uint8_t> out;
    AppendText(out, "BM");
    AppendInt(out, offset + rowBytes * bitmap.Height());
    AppendInt(out, 0);
    AppendInt(out, offset);
    AppendInt(out, 40);
    AppendInt(out, bitmap.Width());
    AppendInt(out, bitmap.Height());
    AppendInt16(out, 1);
    AppendInt16(out, bits);
    AppendInt(out, 0);
    AppendInt(out, rowBytes * bitmap.Height());
    AppendInt(out, 2835);
    AppendInt(out, 2835);
    AppendInt(out, paletted ? 256 : 0);
    AppendInt(out, 0);
    if (paletted) {
        for (int i = 0; i < 256; ++i) {
            const TColor c = i < int(bitmap.Palette().size()) ? bitmap.Palette()[std::size_t(i)] : 0;
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
            out.push_back(0);
        }
    }
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(std::size_t(rowBytes), 0);
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (paletted) {
                row[std::size_t(x)] = bitmap.ScanLine(y)[x];
            } else {
                const TColor c = bitmap.GetPixel(x, y);
                row[std::size_t(x) * 3 + 0] = GetBValue(c);
                row[std::size_t(x) * 3 + 1] = GetGValue(c);
                row[std::size_t(x) * 3 + 2] = GetRValue(c);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

TBitmap SolidBitmap(int width, int height, TColor color, TPixelFormat format) {
    TBitmap bitmap(width, height, format);
    if (format == TPixelFormat::pf8bit) {
        std::vector<TColor> palette(256, clBlack);
        palette[1] = color;
        bitmap.SetPalette(palette);
        bitmap.Fill(1);
    } else {
        bitmap.Fill(color);
    }
    return bitmap;
}

TacPackageEntry Entry(const std::string& name, const std::vector<std::uint8_t>& data) {
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    for (char& c : extension)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return {name, extension == ".BMP", data};
}

TacPackageEntry Entry(const std::string& name, const std::string& text) {
    return Entry(name, Bytes(text));
}

std::vector<std::uint8_t> ZlibStream(const std::vector<std::uint8_t>& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::vector<std::uint8_t> out(size);
    compress2(out.data(), &size, data.data(), uLong(data.size()), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

TTempFolder::TTempFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("quibbleton-skin-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TTempFolder::Write(const std::string& relative,
                                         const std::vector<std::uint8_t>& data) const {
    const std::filesystem::path path = m_path / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    return path;
}

std::filesystem::path TTempFolder::Write(const std::string& relative, const std::string& text) const {
    return Write(relative, Bytes(text));
}

TMessageCapture::TMessageCapture() {
    m_previous = SetSkinMessageHook([this](const TSkinMessage& message) { m_messages.push_back(message); });
}

TMessageCapture::~TMessageCapture() {
    SetSkinMessageHook(std::move(m_previous));
}

} // namespace skintest
