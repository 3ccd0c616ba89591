#pragma once

// Changes made to the bytes of an encoded JPEG picture for the decoder's tests and benchmarks.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jpegtest {

// Inserts copies of the last scan (its SOS marker up to the end-of-image marker) before the
// end: a refinement scan repeated is a progression the standard does not allow.
inline std::vector<std::uint8_t> RepeatLastScan(const std::vector<std::uint8_t>& jpeg, int copies) {
    std::size_t sos = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) sos = i;
    const std::size_t end = jpeg.size() - 2; // the end-of-image marker FF D9
    std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(end));
    for (int i = 0; i < copies; ++i)
        out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(sos), jpeg.begin() + std::ptrdiff_t(end));
    out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(end), jpeg.end());
    return out;
}

// Writes another picture size into the progressive frame header (SOF2); false without one.
inline bool SetFrameSize(std::vector<std::uint8_t>& jpeg, int width, int height) {
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2) {
            jpeg[i + 5] = std::uint8_t(height >> 8);
            jpeg[i + 6] = std::uint8_t(height);
            jpeg[i + 7] = std::uint8_t(width >> 8);
            jpeg[i + 8] = std::uint8_t(width);
            return true;
        }
    return false;
}

} // namespace jpegtest
