#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/TBitmap.h"

class TsTitleButton;
using TsTitleButtonEvent = std::function<void(TsTitleButton& sender)>;

// A form's own button in its skinned title bar, laid out left of the standard buttons. A
// click (press and release over it) raises OnMouseUp; hit codes are 1000 + its index.
class TsTitleButton {
public:
    bool Enabled = true;
    std::string Name;
    // The glyph drawn over the skin's title-button image (none: the skin image only).
    std::shared_ptr<TBitmap> Glyph;
    bool UseSkinData = true;
    TsTitleButtonEvent OnMouseDown;
    TsTitleButtonEvent OnMouseUp;
};
