#include "platform/toolkit/TGroupBox.h"

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"
#include "platform/toolkit/ClassicLook.h"

namespace {
// The caption starts this far from the left edge, with this much cleared room either side.
constexpr int CaptionLeft = 8;
constexpr int CaptionPad = 2;
} // namespace

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(TControlStyleFlag::csAcceptsControls);
    style.Exclude(TControlStyleFlag::csClickEvents);
    SetControlStyle(style);
    SetStyle(Style() | BS_GROUPBOX);
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

int TGroupBox::CaptionBandHeight() const {
    return TextRenderer::CellHeight(Font());
}

void TGroupBox::AdjustClientRect(TRect& rect) const {
    rect.Top += CaptionBandHeight();
    rect = rect.Inflate(-2, -2);
}

TRect TGroupBox::DisplayRect() const {
    TRect r = ClientRect();
    AdjustClientRect(r);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

TRect TGroupBox::CaptionRect() const {
    if (Caption().empty()) return {};
    int w = TextRenderer::TextExtent(Font(), Caption()).Width;
    TRect r{CaptionLeft - CaptionPad, 0, CaptionLeft + w + CaptionPad, CaptionBandHeight()};
    if (r.Right > Width()) r.Right = Width();
    return r;
}

void TGroupBox::Paint(TCanvas& canvas) {
    TRect c = ClientRect();
    TColor bg = ColorToRGB(Color());
    canvas.FillRect(c, bg);
    int frameTop = CaptionBandHeight() / 2;
    ClassicLook::DrawEdge(canvas, {c.Left, c.Top + frameTop, c.Right, c.Bottom}, ClassicLook::TEdge::Etched);
    TRect cap = CaptionRect();
    if (cap.IsEmpty()) return;
    canvas.FillRect(cap, bg);
    canvas.SetFont(Font());
    TRect text{CaptionLeft, 0, cap.Right - CaptionPad, cap.Bottom};
    unsigned flags = TextFlags::DT_LEFT | TextFlags::DT_SINGLELINE;
    if (IsEnabledInTree()) {
        canvas.Font().SetColor(ColorToRGB(Font().Color()));
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        canvas.DrawText(Caption(), text, flags);
    } else {
        ClassicLook::DrawDisabledText(canvas, Caption(), text, flags);
    }
}
