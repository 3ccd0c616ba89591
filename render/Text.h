#pragma once

#include <string_view>

#include "platform/core/Geometry.h"

class TCanvas;
class TsCommonData;
class TsSkinManager;

// Captions in a section's text colours: four one-pixel outline copies (TCLEFT moved left,
// TCTOP up, TCRIGHT right, TCBOTTOM down; the HOT keys when hot; -1 leaves a copy out), then
// the text in FONTCOLOR (HOTFONTCOLOR when hot) in place. Disabled text is drawn once in a mix
// of 40 percent FONTCOLOR with COLOR. Drawing is clipped to the rectangle, with a clear brush.

struct TTextLook {
    bool Enabled = true;
    bool Hot = false;
};

// The caption of a bound control in the control's font; "WEBBUTTON" sections underline it
// when hot. With CustomFont the control's own font colour replaces the skin's colours and
// outline; without a valid section the text is drawn once in the font's colour.
void DrawSkinText(TCanvas& canvas, std::string_view text, TTextLook look, TsCommonData& binding,
                  unsigned format, const TRect& rect);

// The same for a section given by index, in the canvas's font (frame and window parts).
// Without a manager the default manager's skin is used; an invalid section draws nothing.
void DrawSectionText(TCanvas& canvas, std::string_view text, TTextLook look, TsSkinManager* manager,
                     int sectionIndex, unsigned format, const TRect& rect);
