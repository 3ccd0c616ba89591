#include "render/Text.h"

#include "platform/graphics/SystemColors.h"
#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/TControl.h"
#include "render/Blend.h"
#include "render/TsCommonData.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

const TsGeneralData* SectionAt(const TsSkinManager* manager, int sectionIndex) {
    if (!manager) return nullptr;
    const TsGeneralDataArray& sections = manager->Model().GeneralData;
    return sectionIndex >= 0 && sectionIndex < int(sections.size()) ? &sections[std::size_t(sectionIndex)]
                                                                    : nullptr;
}

void DrawOnce(TCanvas& canvas, std::string_view text, const TRect& rect, unsigned format) {
    TRect r = rect;
    canvas.DrawText(text, r, format);
}

// The outline copies and the text in the section's colours.
void DrawOutlined(TCanvas& canvas, std::string_view text, const TsGeneralData& section, bool hot,
                  unsigned format, const TRect& rect) {
    const TsFontColors& colours = hot ? section.HotFontColor : section.FontColor;
    static constexpr TPoint shifts[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int k = 0; k < 4; ++k) {
        if (colours[std::size_t(k) + 1] == -1) continue;
        canvas.Font().SetColor(ColorToRGB(TColor(colours[std::size_t(k) + 1])));
        DrawOnce(canvas, text, rect.Offset(shifts[k].X, shifts[k].Y), format);
    }
    canvas.Font().SetColor(ColorToRGB(TColor(colours[0])));
    DrawOnce(canvas, text, rect, format | TextFlags::DT_NOCLIP);
}

TColor DisabledColour(const TsGeneralData& section) {
    return MixColors(ColorToRGB(TColor(section.FontColor[0])), ColorToRGB(section.Color), 0.4);
}

void DrawWithLook(TCanvas& canvas, std::string_view text, TTextLook look, const TsGeneralData* section,
                  bool customFont, unsigned format, const TRect& rect) {
    canvas.IntersectClipRect(rect);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    if (look.Enabled) {
        if (section && !customFont)
            DrawOutlined(canvas, text, *section, look.Hot, format, rect);
        else
            DrawOnce(canvas, text, rect, format);
        return;
    }
    if (section) canvas.Font().SetColor(DisabledColour(*section));
    DrawOnce(canvas, text, rect, format);
}

} // namespace

void DrawSkinText(TCanvas& canvas, std::string_view text, TTextLook look, TsCommonData& binding,
                  unsigned format, const TRect& rect) {
    TCanvasSaver saver(canvas);
    const TControl* control = binding.Control();
    if (control) canvas.SetFont(control->Font());
    if (look.Hot && binding.SkinSection() == "WEBBUTTON")
        canvas.Font().SetStyle(canvas.Font().Style().With(TFontStyle::fsUnderline));
    const TsGeneralData* section = SectionAt(binding.SkinManager(), binding.SectionIndex());
    DrawWithLook(canvas, text, look, section, binding.CustomFont(), format, rect);
}

void DrawSectionText(TCanvas& canvas, std::string_view text, TTextLook look, TsSkinManager* manager,
                     int sectionIndex, unsigned format, const TRect& rect) {
    const TsGeneralData* section = SectionAt(manager ? manager : DefaultManager(), sectionIndex);
    if (!section) return;
    TCanvasSaver saver(canvas);
    DrawWithLook(canvas, text, look, section, false, format, rect);
}
