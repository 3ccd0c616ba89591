#include "tests/app/support/TScreenShot.h"

#include <png.h>

TScreenShot TScreenShot::Read(const std::string& path) {
    TScreenShot shot;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return shot;
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return shot;
    }
    shot.Width = int(png.width);
    shot.Height = int(png.height);
    shot.Pixels = std::move(pixels);
    return shot;
}

bool TScreenShot::SameIn(const TScreenShot& other, const TRect& r) const {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Rgb(x, y) != other.Rgb(x, y)) return false;
    return true;
}

unsigned TScreenShot::Rgb(int x, int y) const {
    const std::size_t i = (std::size_t(y) * std::size_t(Width) + std::size_t(x)) * 3;
    return unsigned(Pixels.at(i)) << 16 | unsigned(Pixels.at(i + 1)) << 8 | Pixels.at(i + 2);
}

TRect ScreenRectOf(const nlohmann::json& node) {
    const auto& s = node.at("screen");
    return TRect::FromBounds(s[0], s[1], s[2], s[3]);
}

TRect InsideOf(const nlohmann::json& node) {
    const TRect r = ScreenRectOf(node);
    return {r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
}
