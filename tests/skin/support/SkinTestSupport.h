#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/graphics/TBitmap.h"
#include "skin/SkinMessages.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TsSkinModel.h"

namespace skintest {

std::vector<std::uint8_t> Bytes(const std::string& text);

// A BMP file of the bitmap.
std::vector<std::uint8_t> BmpFile(const TBitmap& bitmap);
// A bitmap of the size, filled with one colour, in the format.
TBitmap SolidBitmap(int width, int height, TColor color, TPixelFormat format = TPixelFormat::pf24bit);

TacPackageEntry Entry(const std::string& name, const std::vector<std::uint8_t>& data);
TacPackageEntry Entry(const std::string& name, const std::string& text);

// Raw little-endian pieces for hand-made broken packages.
void AppendInt(std::vector<std::uint8_t>& out, std::int32_t value);
void AppendText(std::vector<std::uint8_t>& out, const std::string& text);
std::vector<std::uint8_t> ZlibStream(const std::vector<std::uint8_t>& data);

// A fresh empty folder below the system's temporary folder, removed with the object.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Write(const std::string& relative, const std::vector<std::uint8_t>& data) const;
    std::filesystem::path Write(const std::string& relative, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

// Collects the skin engine's messages while it lives.
class TMessageCapture {
public:
    TMessageCapture();
    ~TMessageCapture();
    TMessageCapture(const TMessageCapture&) = delete;
    TMessageCapture& operator=(const TMessageCapture&) = delete;
    const std::vector<TSkinMessage>& Messages() const { return m_messages; }

private:
    std::vector<TSkinMessage> m_messages;
    TSkinMessageHook m_previous;
};

// Loads a package skin made of the options text and the named files into a fresh model
// (the three loader passes, no recolouring).
std::unique_ptr<TsSkinModel> LoadPackageSkin(const std::string& options,
                                             const std::vector<TacPackageEntry>& images = {},
                                             const std::string& common = "");

} // namespace skintest
