#include "platform/graphics/JpegLayout.h"

#include <array>
#include <cstddef>

#include "platform/graphics/JpegCodec.h"

namespace {

constexpr int MaxComponents = 4;
constexpr int Coefficients = 64;

bool IsFrameMarker(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsProgressiveFrame(std::uint8_t marker) {
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

// The frame's components and, for a progressive picture, the bits of every coefficient that
// the scans so far have sent (-1: none yet), checked as each scan header arrives.
class TJpegScanChecker {
public:
    void ReadFrame(std::span<const std::uint8_t> segment, std::uint8_t marker, TJpegLayout& layout) {
        if (m_hasFrame) return Fail(layout, "a second frame header");
        m_hasFrame = true;
        layout.Progressive = IsProgressiveFrame(marker);
        if (segment.size() < 6) return Fail(layout, "a frame header that does not fit");
        layout.Height = (segment[1] << 8) | segment[2];
        layout.Width = (segment[3] << 8) | segment[4];
        m_components = segment[5];
        if (m_components < 1 || m_components > MaxComponents ||
            segment.size() < 6 + std::size_t(m_components) * 3)
            return Fail(layout, "a frame header that does not fit");
        for (int c = 0; c < m_components; ++c)
            m_ids[std::size_t(c)] = segment[6 + std::size_t(c) * 3];
        for (auto& bits : m_coefficientBits)
            bits.fill(-1);
    }

    void ReadScan(std::span<const std::uint8_t> segment, TJpegLayout& layout) {
        if (!m_hasFrame) return Fail(layout, "a scan before the frame header");
        const std::size_t count = segment.empty() ? 0 : segment[0];
        if (count < 1 || count > std::size_t(m_components) || segment.size() < 1 + count * 2 + 3)
            return Fail(layout, "a scan header that does not fit");
        const std::uint8_t* band = segment.data() + 1 + count * 2;
        const int ss = band[0], se = band[1], ah = band[2] >> 4, al = band[2] & 15;
        if (!layout.Progressive) {
            if (ss != 0 || se != Coefficients - 1 || ah != 0 || al != 0)
                Fail(layout, "a sequential scan with progressive parameters");
            return;
        }
        const bool dc = ss == 0;
        if ((dc && se != 0) || (!dc && (ss > se || se >= Coefficients || count != 1)) ||
            (ah != 0 && al != ah - 1) || al > 13)
            return Fail(layout, "an invalid progression");
        for (std::size_t i = 0; i < count; ++i) {
            const int component = ComponentIndex(segment[1 + i * 2]);
            if (component < 0) return Fail(layout, "a scan of an unknown component");
            auto& bits = m_coefficientBits[std::size_t(component)];
            if (!dc && bits[0] < 0) return Fail(layout, "an inconsistent progression sequence");
            for (int k = ss; k <= se; ++k) {
                auto& sent = bits[std::size_t(k)];
                if (ah != (sent < 0 ? 0 : sent)) return Fail(layout, "an inconsistent progression sequence");
                sent = al;
            }
        }
    }

    static void Fail(TJpegLayout& layout, const char* why) {
        if (layout.Damage.empty()) layout.Damage = why;
    }

private:
    int ComponentIndex(int id) const {
        for (int c = 0; c < m_components; ++c)
            if (m_ids[std::size_t(c)] == id) return c;
        return -1;
    }

    bool m_hasFrame = false;
    int m_components = 0;
    std::array<int, MaxComponents> m_ids{};
    std::array<std::array<int, Coefficients>, MaxComponents> m_coefficientBits{};
};

} // namespace

TJpegLayout ReadJpegLayout(std::span<const std::uint8_t> data) {
    TJpegLayout layout;
    if (data.size() < 2 || data[0] != 0xFF || data[1] != 0xD8) {
        layout.Damage = "no start-of-image marker";
        return layout;
    }
    TJpegScanChecker checker;
    bool inScanData = false, ended = false;
    std::size_t i = 2;
    while (i + 1 < data.size()) {
        const std::uint8_t marker = data[i + 1];
        // Entropy-coded bytes, stuffed zeros, fill bytes, restarts and TEM carry no length.
        if (data[i] != 0xFF || marker == 0x00 || marker == 0xFF || marker == 0x01 ||
            (marker >= 0xD0 && marker <= 0xD7)) {
            if (!inScanData && data[i] != 0xFF) checker.Fail(layout, "extraneous bytes before a marker");
            i += data[i] == 0xFF && marker != 0xFF ? 2 : 1;
            continue;
        }
        inScanData = false;
        if (marker == 0xD9) {
            ended = true;
            break;
        }
        if (i + 3 >= data.size()) break;
        if (marker == 0xDA) ++layout.Scans;
        const std::size_t length = (std::size_t(data[i + 2]) << 8) | data[i + 3];
        if (length < 2 || i + 2 + length > data.size()) {
            checker.Fail(layout, "a segment that runs past the end of the file");
            break;
        }
        const auto segment = data.subspan(i + 4, length - 2);
        if (IsFrameMarker(marker)) checker.ReadFrame(segment, marker, layout);
        if (marker == 0xDA) {
            checker.ReadScan(segment, layout);
            inScanData = true;
        }
        i += 2 + length;
    }
    if (!ended) checker.Fail(layout, "premature end of the file");
    if (layout.Scans == 0) checker.Fail(layout, "no scan");
    return layout;
}

std::string JpegBoundsFault(std::int64_t width, std::int64_t height, std::int64_t scans) {
    const std::int64_t pixels = width * height;
    if (width <= 0 || height <= 0 || width > MaxJpegSide || height > MaxJpegSide || pixels > MaxJpegPixels)
        return "picture too large";
    if (scans > MaxJpegScans || scans * pixels > MaxJpegScanWork)
        return "too many scans for the picture's size";
    return {};
}

int CountJpegScans(std::span<const std::uint8_t> data) {
    return ReadJpegLayout(data).Scans;
}
