#include "skin/support/SkinTestSupport.h"

#include <atomic>
#include <cctype>
#include <fstream>

#include <unistd.h>

#include <zlib.h>

#include "platform/graphics/BmpCodec.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"

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

std::vector<std::uint8_t> BmpFile(const TBitmap& bitmap) {
    return WriteBmp(bitmap);
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

std::unique_ptr<TsSkinModel> LoadPackageSkin(const std::string& options,
                                             const std::vector<TacPackageEntry>& images,
                                             const std::string& common) {
    std::vector<TacPackageEntry> entries{Entry("Options.dat", options)};
    entries.insert(entries.end(), images.begin(), images.end());
    TacSkinConvertor reader;
    reader.SetSource(BuildPackage(entries));
    reader.LoadPackage();
    const TacSkinOptions parsed = TacSkinOptions::Parse(*reader.Options());
    const TacSkinOptions commonSections = TacSkinOptions::Parse(common);
    auto model = std::make_unique<TsSkinModel>();
    TsSkinLoader loader(*model);
    loader.SetCommonSections(&commonSections);
    loader.Load({&parsed, &reader, ""});
    return model;
}

} // namespace skintest
