#pragma once

#include <cstdint>
#include <span>
#include <string>

// What the markers of a JPEG file say, read without decoding: the frame's size, the scans up
// to the end-of-image marker, and the first damage the markers show. Marker segments are
// skipped by their lengths, so markers inside them (an embedded thumbnail's, say) do not count.
struct TJpegLayout {
    int Width = 0;
    int Height = 0;
    int Scans = 0;
    bool Progressive = false;
    // Why the file is a broken picture (bytes between segments, a scan or frame header that
    // does not fit, a progression that refines what no earlier scan sent, no end-of-image
    // marker); empty when the markers are sound.
    std::string Damage;
};

TJpegLayout ReadJpegLayout(std::span<const std::uint8_t> data);

// Why a picture of this size and number of scans is refused before it is decoded (see the
// bounds in JpegCodec.h); empty when it is within them.
std::string JpegBoundsFault(std::int64_t width, std::int64_t height, std::int64_t scans);
