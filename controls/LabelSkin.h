#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/core/Color.h"

class TsSkinManager;

// What the labels read from the process's default manager. Labels have no binding of their
// own: every answer comes from whichever manager is the default at the time.

// The default manager when it exists and its skin is loaded, else null.
TsSkinManager* LoadedDefaultManager();

// The skin's global text colour (GLOBALINFO's FONTCOLOR) when the default skin is loaded and
// has one; nothing otherwise.
std::optional<TColor> SkinGlobalFontColor();

// The FONTCOLOR of a section of the default skin when the manager is active and the section's
// index is above 0; nothing otherwise.
std::optional<TColor> SkinSectionFontColor(std::string_view section);

// The section index of a name in the default skin when the manager is active and the index is
// above 0 (the first section never paints behind a label); -1 otherwise.
int ActiveSkinSectionIndex(std::string_view section);

// GLOBALINFO's TCLEFT when the default skin is loaded, has the section and the value is not
// -1; nothing otherwise.
std::optional<TColor> SkinGlobalTextColor();

// The skin's first global shadow (SHADOW1COLOR, SHADOW1BLUR, SHADOW1OFFSET) when the default
// skin is loaded and names a blur (SHADOW1BLUR not -1); nothing otherwise.
struct TSkinShadow {
    TColor Color = 0;
    std::int32_t Blur = 0;
    std::int32_t Offset = 0;
};
std::optional<TSkinShadow> SkinGlobalShadow();
