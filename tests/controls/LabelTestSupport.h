#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/ToolkitTestSupport.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace labeltest {

// A toolkit application on the fake backend with one skin manager, the default one, whose
// skin the test fills by hand, and a form for the labels.
class LabelTest : public ToolkitTest {
protected:
    LabelTest() {
        SetDefaultManager(nullptr);
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        manager_->SetActive(true);
        form_ = MakeForm(400, 300);
        form_->SetColor(0x406080);
    }
    ~LabelTest() override {
        delete form_;
        manager_.reset();
        SetDefaultManager(nullptr);
    }

    // A loaded skin whose GLOBALINFO has these values and whose global shadow is given.
    void LoadGlobalInfo(std::int32_t fontColour, std::int32_t tcLeft, TColor shadowColour, std::int32_t blur,
                        std::int32_t offset) {
        TsSkinModel& model = manager_->Model();
        TsGeneralData global;
        global.ClassName = "GLOBALINFO";
        global.FontColor = {fontColour, tcLeft, -1, -1, -1};
        model.GeneralData.push_back(global);
        model.SkinData.Shadow1Color = shadowColour;
        model.SkinData.Shadow1Blur = blur;
        model.SkinData.Shadow1Offset = offset;
        model.SkinData.Ready = true;
    }
    // Adds a section with a plain colour and a text colour; returns its index.
    int AddSection(const std::string& name, TColor colour, TColor fontColour) {
        TsGeneralData section;
        section.ClassName = name;
        section.Color = colour;
        section.HotColor = colour;
        section.FontColor = {std::int32_t(fontColour), -1, -1, -1, -1};
        manager_->Model().GeneralData.push_back(section);
        manager_->Model().SkinData.Ready = true;
        return int(manager_->Model().GeneralData.size()) - 1;
    }

    template <class T> T* AddLabel(TRect bounds, const std::string& caption) {
        auto* label = new T(form_);
        label->SetAutoSize(false);
        label->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        label->SetCaption(caption);
        label->SetParent(form_);
        return label;
    }

    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
};

// Paints a windowless control onto a bitmap of its size filled with the background colour
// (24-bit, as the forms' surfaces are).
inline TBitmap PaintOver(TControl& control, TColor background) {
    TBitmap surface(control.Width(), control.Height());
    surface.Fill(background);
    TCanvas canvas(surface);
    control.Perform(WM_PAINT, WParamFromCanvas(&canvas));
    return surface;
}

// Draws text onto a bitmap as a label would: clear brush, the font in the colour.
inline void DrawTextOn(TBitmap& bitmap, const std::string& text, TRect rect, unsigned flags, TFont font,
                       TColor colour) {
    TCanvas canvas(bitmap);
    font.SetColor(colour);
    canvas.SetFont(font);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.DrawText(text, rect, flags);
}

// The glow as its rules state it, written out plainly over a two-dimensional grid: the text's
// shape (white on black) stamps 255 into the cells of pixels with a blue byte, each pass blurs
// the inner cells in place from the top-left, and the result weights the shadow colour over
// the pixels below: (pixel * (255 - a) + shadow * a) >> 8 per channel.
inline void ApplyGlowByRule(TBitmap& under, const TBitmap& shape, int passes, TColor shadow) {
    const int w = under.Width();
    const int h = under.Height();
    std::vector<std::vector<int>> cell(std::size_t(h + 2), std::vector<int>(std::size_t(w + 2), 0));
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (GetBValue(shape.GetPixel(x, y)) != 0) cell[std::size_t(y + 1)][std::size_t(x + 1)] = 255;
        for (std::size_t y = 1; y <= std::size_t(h); ++y)
            for (std::size_t x = 1; x <= std::size_t(w); ++x)
                cell[y][x] = (cell[y - 1][x] + cell[y + 1][x] + cell[y][x - 1] + cell[y][x + 1]) / 4;
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = cell[std::size_t(y + 1)][std::size_t(x + 1)];
            const TColor p = under.GetPixel(x, y);
            auto mix = [a](int pixel, int s) { return std::uint8_t((pixel * (255 - a) + s * a) / 256); };
            under.SetPixel(x, y,
                           MakeColor(mix(GetRValue(p), GetRValue(shadow)),
                                     mix(GetGValue(p), GetGValue(shadow)),
                                     mix(GetBValue(p), GetBValue(shadow))));
        }
}

// The text's shape as the glow sees it: white text on black in a 32-bit bitmap.
inline TBitmap TextShape(int width, int height, const std::string& text, TRect rect, unsigned flags,
                         const TFont& font) {
    TBitmap shape(width, height, TPixelFormat::pf32bit);
    DrawTextOn(shape, text, rect, flags, font, clWhite);
    return shape;
}

// How many pixels of two equal-sized bitmaps differ.
inline int DifferentPixels(const TBitmap& a, const TBitmap& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) ++count;
    return count;
}

} // namespace labeltest
