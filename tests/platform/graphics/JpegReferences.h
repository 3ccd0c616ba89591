#pragma once

// The JPEG pictures made at build time by make_jpeg_references.sh (the project's own JPEGs and
// ones encoded from them by cjpeg) with djpeg's decoding of each, and the measure of how far a
// decoding lies from djpeg's.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/TBitmap.h"
#include "platform/os/FileSystem.h"

namespace jpegref {

inline std::string Folder() {
    return QUIBBLETON_BINARY_DIR "/tests/jpeg-references";
}

inline bool Available() {
    return std::filesystem::exists(Folder() + "/progressive.jpg");
}

inline std::vector<std::uint8_t> Jpeg(const std::string& name) {
    return ReadFileBytes(Folder() + "/" + name + ".jpg");
}

// A binary PGM (grey) or PPM (colour) of 8-bit samples as a 24-bit bitmap; empty when the
// file is neither.
inline TBitmap ReadPnm(const std::vector<std::uint8_t>& bytes) {
    std::size_t at = 0;
    const auto number = [&]() {
        while (at < bytes.size() &&
               (bytes[at] == ' ' || bytes[at] == '\n' || bytes[at] == '\r' || bytes[at] == '\t'))
            ++at;
        int value = 0;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9')
            value = value * 10 + (bytes[at++] - '0');
        return value;
    };
    if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return {};
    const int channels = bytes[1] == '6' ? 3 : 1;
    at = 2;
    const int width = number(), height = number(), maxValue = number();
    ++at;
    if (maxValue != 255 ||
        bytes.size() < at + std::size_t(width) * std::size_t(height) * std::size_t(channels))
        return {};
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* s =
                &bytes[at + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels)];
            bitmap.SetPixel(x, y, channels == 3 ? MakeColor(s[0], s[1], s[2]) : MakeColor(s[0], s[0], s[0]));
        }
    return bitmap;
}

inline TBitmap Reference(const std::string& name) {
    return ReadPnm(ReadFileBytes(Folder() + "/" + name + ".ppm"));
}

// The names of every picture in the folder, sorted.
inline std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder()))
        if (entry.path().extension() == ".jpg") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// How far two bitmaps of one size lie apart, over every channel of every pixel.
struct TDifference {
    int Max = 0;
    double Mean = 0;
};

inline TDifference Compare(const TBitmap& a, const TBitmap& b) {
    TDifference difference;
    std::int64_t sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const TColor p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            for (const int d :
                 {GetRValue(p) - GetRValue(q), GetGValue(p) - GetGValue(q), GetBValue(p) - GetBValue(q)}) {
                difference.Max = std::max(difference.Max, std::abs(d));
                sum += std::abs(d);
            }
        }
    const double samples = double(a.Width()) * a.Height() * 3;
    difference.Mean = samples > 0 ? double(sum) / samples : 0;
    return difference;
}

// ReadJpeg's decoding of the picture against djpeg's; a size that differs counts as the largest
// difference there is.
inline TDifference CompareWithDjpeg(const std::string& name) {
    const TBitmap decoded = ReadJpeg(Jpeg(name));
    const TBitmap reference = Reference(name);
    if (decoded.Size() != reference.Size() || reference.IsEmpty()) return {256, 256};
    return Compare(decoded, reference);
}

} // namespace jpegref
