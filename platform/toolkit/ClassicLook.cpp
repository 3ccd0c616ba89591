#include "platform/toolkit/ClassicLook.h"

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"

namespace ClassicLook {

void DrawBevel(TCanvas& canvas, const TRect& r, std::uint32_t light, std::uint32_t dark) {
    if (r.IsEmpty()) return;
    canvas.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1}, light);
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, light);
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark);
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
}

TRect DrawEdge(TCanvas& canvas, const TRect& r, TEdge edge) {
    TColor hi = ColorToRGB(clBtnHighlight), light = ColorToRGB(cl3DLight);
    TColor shadow = ColorToRGB(clBtnShadow), dark = ColorToRGB(cl3DDkShadow);
    switch (edge) {
    case TEdge::Raised:
        DrawBevel(canvas, r, light, dark);
        DrawBevel(canvas, r.Inflate(-1, -1), hi, shadow);
        break;
    case TEdge::Sunken:
        DrawBevel(canvas, r, shadow, hi);
        DrawBevel(canvas, r.Inflate(-1, -1), dark, light);
        break;
    case TEdge::Etched:
        DrawBevel(canvas, r, shadow, hi);
        DrawBevel(canvas, r.Inflate(-1, -1), hi, shadow);
        break;
    case TEdge::Bump:
        DrawBevel(canvas, r, hi, shadow);
        DrawBevel(canvas, r.Inflate(-1, -1), shadow, hi);
        break;
    }
    return r.Inflate(-2, -2);
}

void DrawDisabledText(TCanvas& canvas, std::string_view text, TRect rect, unsigned flags) {
    TCanvasSaver saver(canvas);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    TFont f = canvas.Font();
    f.SetColor(clBtnHighlight);
    canvas.SetFont(f);
    TRect shifted = rect.Offset(1, 1);
    canvas.DrawText(text, shifted, flags);
    f.SetColor(clBtnShadow);
    canvas.SetFont(f);
    canvas.DrawText(text, rect, flags);
}

void DrawPushButton(TCanvas& canvas, const TRect& bounds, const std::string& caption,
                    const TButtonLook& look) {
    TRect r = bounds;
    TColor face = ColorToRGB(clBtnFace);
    canvas.FillRect(r, face);
    if (look.IsDefault || look.Pushed) {
        canvas.FrameRect(r, ColorToRGB(cl3DDkShadow));
        r = r.Inflate(-1, -1);
    }
    if (look.Pushed) {
        canvas.FrameRect(r, ColorToRGB(clBtnShadow));
    } else {
        DrawEdge(canvas, r, TEdge::Raised);
    }
    TRect text = r.Inflate(-4, -4);
    if (look.Pushed) text = text.Offset(1, 1);
    unsigned flags = TextFlags::DT_CENTER | TextFlags::DT_VCENTER |
                     (look.WordWrap ? TextFlags::DT_WORDBREAK : TextFlags::DT_SINGLELINE);
    if (look.WordWrap) {
        // Centre the wrapped block vertically: measure first.
        TRect measure = text;
        canvas.DrawText(caption, measure, flags | TextFlags::DT_CALCRECT);
        int dy = (text.Height() - measure.Height()) / 2;
        text.Top += dy;
    }
    {
        TCanvasSaver saver(canvas);
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        if (look.Enabled) {
            TFont f = canvas.Font();
            f.SetColor(clBtnText);
            canvas.SetFont(f);
            canvas.DrawText(caption, text, flags);
        } else {
            DrawDisabledText(canvas, caption, text, flags);
        }
    }
    if (look.Focused) canvas.DrawFocusRect(r.Inflate(-3, -3));
}

void DrawCaptionButton(TCanvas& canvas, const TRect& r, TCaptionButtonKind kind, bool pushed, bool enabled) {
    canvas.FillRect(r, ColorToRGB(clBtnFace));
    if (pushed) {
        DrawEdge(canvas, r, TEdge::Sunken);
    } else {
        DrawEdge(canvas, r, TEdge::Raised);
    }
    TColor ink = ColorToRGB(enabled ? clBtnText : clGrayText);
    int off = pushed ? 1 : 0;
    int cx = r.Left + r.Width() / 2 + off, cy = r.Top + r.Height() / 2 + off;
    switch (kind) {
    case TCaptionButtonKind::Close: {
        int s = std::max(2, std::min(r.Width(), r.Height()) / 2 - 2);
        for (int i = -s; i < s; ++i) {
            canvas.FillRect({cx + i - 1, cy + i - 1, cx + i + 1, cy + i}, ink);
            canvas.FillRect({cx + i - 1, cy - i - 2, cx + i + 1, cy - i - 1}, ink);
        }
        break;
    }
    case TCaptionButtonKind::Maximize: {
        TRect b{r.Left + 3 + off, r.Top + 2 + off, r.Right - 3 + off, r.Bottom - 3 + off};
        canvas.FrameRect(b, ink);
        canvas.FillRect({b.Left, b.Top + 1, b.Right, b.Top + 2}, ink);
        break;
    }
    case TCaptionButtonKind::Restore: {
        TRect back{r.Left + 6 + off, r.Top + 2 + off, r.Right - 3 + off, r.Bottom - 6 + off};
        TRect front{r.Left + 3 + off, r.Top + 5 + off, r.Right - 6 + off, r.Bottom - 3 + off};
        canvas.FrameRect(back, ink);
        canvas.FillRect(front, ColorToRGB(clBtnFace));
        canvas.FrameRect(front, ink);
        break;
    }
    case TCaptionButtonKind::Minimize:
        canvas.FillRect({r.Left + 4 + off, r.Bottom - 5 + off, r.Right - 6 + off, r.Bottom - 3 + off}, ink);
        break;
    case TCaptionButtonKind::Help: {
        TRect t = r.Offset(off, off);
        TCanvasSaver saver(canvas);
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        TFont f = canvas.Font();
        f.SetColor(ink);
        f.SetStyle(f.Style().With(TFontStyle::fsBold));
        canvas.SetFont(f);
        canvas.DrawText("?", t, TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE);
        break;
    }
    }
}

} // namespace ClassicLook
