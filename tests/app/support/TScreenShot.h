#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/core/Geometry.h"

// A screenshot of the virtual screen (a script's "shot"), as RGB bytes.
struct TScreenShot {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;

    // An empty shot (Width 0) when the file is no readable PNG.
    static TScreenShot Read(const std::string& path);
    // Whether the two shots hold the same pixels in the rectangle.
    bool SameIn(const TScreenShot& other, const TRect& r) const;
    // The pixel's colour as 0xRRGGBB.
    unsigned Rgb(int x, int y) const;
};

// A control's screen rectangle, as the dump gives it.
TRect ScreenRectOf(const nlohmann::json& node);
// A control's inside, clear of corners that show what lies behind it.
TRect InsideOf(const nlohmann::json& node);
