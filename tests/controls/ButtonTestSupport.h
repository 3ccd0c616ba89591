#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "controls/ButtonFace.h"
#include "controls/TsButton.h"
#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/ToolkitTestSupport.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace buttontest {

// The colours of the three state cells of the test skin's border mask.
inline constexpr TColor StateColours[3] = {0x302010, 0x40A060, 0xC05020};
inline constexpr TColor FormColour = 0x0A141E;
inline constexpr int Cell = 12;
inline constexpr int Border = 3;

// One channel of a fade frame: the old face weighted w against the new.
inline int FrameChannel(int oldValue, int newValue, int w) {
    return (oldValue * w + newValue * (255 - w) + 127) >> 8;
}
inline TColor FrameColour(TColor oldColour, TColor newColour, int w) {
    return MakeColor(std::uint8_t(FrameChannel(GetRValue(oldColour), GetRValue(newColour), w)),
                     std::uint8_t(FrameChannel(GetGValue(oldColour), GetGValue(newColour), w)),
                     std::uint8_t(FrameChannel(GetBValue(oldColour), GetBValue(newColour), w)));
}

// Gives a manager's skin a "BUTTON" section with a border mask of three states: each cell one
// colour (StateColours) with key-coloured corner pixels (the corner pixel and its two
// neighbours), drawn edges and centre.
inline void AddButtonSection(TsSkinManager& manager) {
    TsSkinModel& model = manager.Model();
    TsGeneralData section;
    section.ClassName = "BUTTON";
    section.Color = 0x808080;
    section.HotColor = 0x909090;
    section.FontColor = {0x000000, -1, -1, -1, -1};
    section.HotFontColor = {0x000000, -1, -1, -1, -1};
    model.GeneralData.push_back(section);
    model.MasterBitmap.SetPixelFormat(TPixelFormat::pf24bit);
    model.MasterBitmap.SetSize(3 * Cell, Cell);
    for (int s = 0; s < 3; ++s) {
        TCanvas canvas(model.MasterBitmap);
        canvas.FillRect({s * Cell, 0, (s + 1) * Cell, Cell}, StateColours[s]);
        for (const auto& [x, y] : {std::pair{0, 0}, {Cell - 1, 0}, {0, Cell - 1}, {Cell - 1, Cell - 1}}) {
            const int dx = x == 0 ? 1 : -1, dy = y == 0 ? 1 : -1;
            for (const auto& [px, py] : {std::pair{x, y}, {x + dx, y}, {x, y + dy}})
                model.MasterBitmap.SetPixel(s * Cell + px, py, clFuchsia);
        }
    }
    TsMaskData mask;
    mask.ClassName = "BUTTON";
    mask.PropertyName = "BORDERSMASK";
    mask.R = {0, 0, 3 * Cell, Cell};
    mask.ImageCount = 3;
    mask.MaskType = 0;
    mask.DrawMode = 4; // draw the centre
    mask.Manager = &manager;
    mask.WL = mask.WT = mask.WR = mask.WB = Border;
    model.MaskData.push_back(std::move(mask));
}

// A toolkit application on the fake backend with a default manager whose skin has only the
// "BUTTON" section of AddButtonSection.
class ButtonTest : public ToolkitTest {
protected:
    ButtonTest() {
        SetDefaultManager(nullptr);
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        AddButtonSection(*manager_);
        manager_->Model().SkinData.Ready = true;

        form_ = MakeForm(400, 300);
        form_->SetColor(FormColour);
        // Takes the focus when the form shows, so the button under test starts unfocused.
        other_ = new TButton(form_);
        other_->SetBounds(350, 250, 40, 40);
        other_->SetParent(form_);
        button_ = AddButton({20, 20, 190, 60}, "Кнопка");
        form_->Show();
        Pump();
    }
    ~ButtonTest() override {
        delete form_;
        manager_.reset();
        SetGlobalButtonEvents(15);
    }

    TsGeneralData& Section() { return manager_->Model().GeneralData.at(0); }

    TsButton* AddButton(TRect bounds, const std::string& caption) {
        auto* b = new TsButton(form_);
        b->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        b->SetCaption(caption);
        b->SetParent(form_);
        Application->ComposeAll();
        return b;
    }

    // The pixel of the form's picture at a point of the button's window.
    TColor Shown(const TsButton& b, int x, int y) {
        const TRect r = b.SurfaceRect();
        return form_->Surface().GetPixel(r.Left + x, r.Top + y);
    }
    // A point on the top edge of the face, away from corners and caption.
    TColor ShownEdge(const TsButton& b) { return Shown(b, b.Width() / 2, 1); }

    TPoint ScreenCentre(const TControl& c) {
        const TRect r = c.ScreenRect();
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    void Hover(const TControl& c) {
        const TPoint p = ScreenCentre(c);
        Move(p.X, p.Y);
    }

    // The caption's extent as the platform measures it on a button of that width.
    static TSize Measure(const TFont& font, const std::string& text, int width, bool wordWrap) {
        using namespace TextFlags;
        TBitmap scratch;
        scratch.SetPixelFormat(TPixelFormat::pf24bit);
        scratch.SetSize(4, 4);
        TCanvas canvas(scratch);
        canvas.SetFont(font);
        TRect r{0, 0, width - 2, 0};
        canvas.DrawText(text, r,
                        DT_CALCRECT | DT_CENTER | DT_EXPANDTABS | (wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
        return {r.Width(), r.Height()};
    }

    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
    TButton* other_ = nullptr;
    TsButton* button_ = nullptr;
};

} // namespace buttontest
