#pragma once

#include "platform/graphics/SystemColors.h"
#include "platform/text/TFont.h"

// The font the program's window designs give their controls: "MS Sans Serif" at a height in
// pixels, in a colour and styles.
TFont DesignFont(int height, TColor color = clWindowText, TFontStyles style = {});
