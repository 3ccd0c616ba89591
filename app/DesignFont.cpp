#include "app/DesignFont.h"

TFont DesignFont(int height, TColor color, TFontStyles style) {
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(height);
    font.SetColor(color);
    font.SetStyle(style);
    return font;
}
