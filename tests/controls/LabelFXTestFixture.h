#pragma once

#include "LabelTestSupport.h"

#include "controls/TsLabelFX.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"

// The effect label's fixture: a phrase-like label over a known background, and the picture the
// glow rule gives for it.
namespace labelfxtest {

using namespace TextFlags;
using namespace labeltest;

constexpr TColor Behind = 0x80A0C0;

class LabelFXTest : public LabelTest {
protected:
    TsLabelFX* Phrase() {
        auto* label = AddLabel<TsLabelFX>({24, 32, 24 + 120, 32 + 40}, "Glow Wg");
        TFont font = label->Font();
        font.SetHeight(-16);
        font.SetStyle(TFontStyles{}.With(TFontStyle::fsBold));
        font.SetColor(0x133446);
        label->SetFont(font);
        label->SetWordWrap(true);
        return label;
    }

    // What the label must show over the background: the glow of the text's shape moved by the
    // distance, composed over what lies below, then the text in its colour.
    TBitmap ExpectedGlow(TsLabelFX& label, int passes, int distance, TColor shadow, TColor text) {
        TBitmap expected(label.Width(), label.Height());
        expected.Fill(Behind);
        const TRect r = label.ClientRect();
        const unsigned flags = label.DrawTextFlags();
        const TBitmap shape = TextShape(r.Width(), r.Height(), label.Caption(), r.Offset(distance, distance),
                                        flags, label.Font());
        ApplyGlowByRule(expected, shape, passes, shadow);
        DrawTextOn(expected, label.Caption(), r, flags, label.Font(), text);
        return expected;
    }
};

} // namespace labelfxtest
