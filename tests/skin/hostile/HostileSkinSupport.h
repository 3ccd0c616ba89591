#pragma once

// What the hostile skin tests build: huge streams of zeros, pictures that declare more than
// they hold, long chains and inherited gradients.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <zlib.h>

#include "platform/os/FileSystem.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"
#include "skin/support/SkinTestSupport.h"

namespace hostiletest {

using namespace skintest;

inline constexpr std::int64_t MB = 1024 * 1024;
inline constexpr int Refused = 3;
inline constexpr int Loaded = 4;

// A zlib stream of `size` zero bytes, deflated piece by piece so the zeros never sit in memory.
inline std::vector<std::uint8_t> DeflateZeros(std::int64_t size) {
    z_stream zs{};
    deflateInit(&zs, Z_BEST_SPEED);
    std::vector<std::uint8_t> zeros(1 << 20, 0);
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> chunk(1 << 16);
    std::int64_t left = size;
    int status = Z_OK;
    do {
        const std::size_t piece = std::size_t(std::min<std::int64_t>(left, std::int64_t(zeros.size())));
        zs.next_in = zeros.data();
        zs.avail_in = uInt(piece);
        left -= std::int64_t(piece);
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            zs.next_out = chunk.data();
            zs.avail_out = uInt(chunk.size());
            status = deflate(&zs, flush);
            out.insert(out.end(), chunk.data(), chunk.data() + (chunk.size() - zs.avail_out));
        } while (zs.avail_out == 0);
    } while (left > 0);
    deflateEnd(&zs);
    EXPECT_EQ(status, Z_STREAM_END);
    return out;
}

// A run-length BMP that declares width x height and holds only "end of picture".
inline std::vector<std::uint8_t> TinyRunLengthBmp(int width, int height) {
    std::vector<std::uint8_t> out = {'B', 'M'};
    AppendInt(out, 14 + 40 + 8 + 2); // file size
    AppendInt(out, 0);
    AppendInt(out, 14 + 40 + 8); // pixel offset
    AppendInt(out, 40);
    AppendInt(out, width);
    AppendInt(out, height);
    out.insert(out.end(), {1, 0, 8, 0}); // planes, bits per pixel
    AppendInt(out, 1);                   // run-length, 8 bits
    AppendInt(out, 2);
    AppendInt(out, 2835);
    AppendInt(out, 2835);
    AppendInt(out, 2); // colours
    AppendInt(out, 0);
    out.insert(out.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    out.insert(out.end(), {0, 1});
    return out;
}

// The streams are kept: the largest takes a while to make.
inline const std::vector<std::uint8_t>& ZeroStream(std::int64_t size) {
    static std::map<std::int64_t, std::vector<std::uint8_t>> made;
    auto found = made.find(size);
    if (found == made.end()) found = made.emplace(size, DeflateZeros(size)).first;
    return found->second;
}

inline int LoadFolderSkin(const std::filesystem::path& folder) {
    const TacSkinOptions options = TacSkinOptions::Parse(ReadFileBytes((folder / "Options.dat").string()));
    TsSkinModel model;
    TsSkinLoader loader(model);
    try {
        loader.Load({&options, nullptr, folder.string() + "/"});
    } catch (const ESkinTooLarge&) {
        return Refused;
    }
    return Loaded;
}

inline std::string Chain(int sections, bool loop) {
    std::string text = "[S0]\r\nCOLOR=123\r\n";
    if (loop) text = "[S0]\r\nPARENTCLASS=S" + std::to_string(sections - 1) + "\r\n";
    for (int i = 1; i < sections; ++i)
        text += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i - 1) + "\r\n";
    if (loop) text += "SHADOWBLUR=9\r\n";
    return text;
}

// A [BUTTON] whose two gradients hold `items` segments each, and `heirs` sections that hold
// nothing but PARENTCLASS=BUTTON.
inline std::string InheritedGradients(int items, int heirs) {
    std::string gradient;
    for (int i = 0; i < items; ++i)
        gradient += std::to_string(i % 10) + ";1;1;0;0;";
    std::string text =
        "[GLOBALINFO]\r\n[BUTTON]\r\nGRADIENTDATA=" + gradient + "\r\nHOTGRADIENTDATA=" + gradient + "\r\n";
    for (int i = 0; i < heirs; ++i)
        text += "[HEIR" + std::to_string(i) + "]\r\nPARENTCLASS=BUTTON\r\n";
    return text;
}

} // namespace hostiletest
