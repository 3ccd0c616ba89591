#include "platform/toolkit/TLabel.h"

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/Accelerators.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/TWinControl.h"

using namespace TextFlags;

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle({TControlStyleFlag::csSetCaption, TControlStyleFlag::csClickEvents,
                     TControlStyleFlag::csDoubleClicks, TControlStyleFlag::csOpaque});
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

TLabel::~TLabel() {
    if (m_focusControl) m_focusControl->RemoveFreeNotification(this);
}

void TLabel::SetAlignment(TAlignment a) {
    if (a == m_alignment) return;
    m_alignment = a;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
    if (l == m_layout) return;
    m_layout = l;
    Invalidate();
}

void TLabel::SetWordWrap(bool v) {
    if (v == m_wordWrap) return;
    m_wordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAutoSize(bool v) {
    if (v == m_autoSize) return;
    m_autoSize = v;
    AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
    if (v == m_transparent) return;
    m_transparent = v;
    SetControlStyle(v ? ControlStyle().Without(TControlStyleFlag::csOpaque)
                      : ControlStyle().With(TControlStyleFlag::csOpaque));
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
    if (v == m_showAccelChar) return;
    m_showAccelChar = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
    if (m_focusControl) m_focusControl->RemoveFreeNotification(this);
    m_focusControl = control;
    if (control) control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_focusControl) m_focusControl = nullptr;
}

unsigned TLabel::DrawTextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    flags |= m_wordWrap ? DT_WORDBREAK : 0;
    if (m_alignment == TAlignment::taCenter)
        flags |= DT_CENTER;
    else if (m_alignment == TAlignment::taRightJustify)
        flags |= DT_RIGHT;
    if (!m_showAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
    std::string text = Caption();
    // An empty caption still takes one line's height.
    if ((flags & DT_CALCRECT) && (text.empty() || (m_showAccelChar && text == "&"))) text.assign(1, ' ');
    canvas.SetFont(Font());
    if (flags & DT_CALCRECT) {
        canvas.DrawText(text, rect, flags);
        return;
    }
    TCanvasSaver saver(canvas);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    if (m_textColorOverride) {
        TFont font = Font();
        font.SetColor(*m_textColorOverride);
        canvas.SetFont(font);
        canvas.DrawText(text, rect, flags);
    } else if (IsEnabledInTree())
        canvas.DrawText(text, rect, flags);
    else
        ClassicLook::DrawDisabledText(canvas, text, rect, flags);
}

void TLabel::Paint(TCanvas& canvas) {
    if (!m_transparent) canvas.FillRect(ClientRect(), ColorToRGB(Color()));
    PaintText(canvas);
}

void TLabel::PaintTextOver(TCanvas& canvas, TColor textColor) {
    struct TOverrideScope {
        std::optional<TColor>& Slot;
        ~TOverrideScope() { Slot.reset(); }
    } scope{m_textColorOverride};
    m_textColorOverride = textColor;
    PaintText(canvas);
}

void TLabel::PaintText(TCanvas& canvas) {
    TRect r = ClientRect();
    unsigned flags = DrawTextFlags();
    if (m_layout != TTextLayout::tlTop) {
        TRect measure = r;
        DoDrawText(canvas, measure, flags | DT_CALCRECT);
        int dy = r.Height() - measure.Height();
        if (m_layout == TTextLayout::tlCenter) dy /= 2;
        r.Top += dy;
    }
    DoDrawText(canvas, r, flags);
}

void TLabel::AdjustBounds() {
    if (!m_autoSize || IsLoading() || IsReading()) return;
    TBitmap scratch(1, 1);
    TCanvas canvas(scratch);
    TRect r = ClientRect();
    if (!m_wordWrap) r.Right = r.Left + 32000;
    DoDrawText(canvas, r, DrawTextFlags() | DT_CALCRECT);
    int w = m_wordWrap ? Width() : r.Width();
    int left = Left();
    // Right-aligned and centred labels keep their right edge or centre.
    if (!m_wordWrap && m_alignment == TAlignment::taRightJustify)
        left += Width() - w;
    else if (!m_wordWrap && m_alignment == TAlignment::taCenter)
        left += (Width() - w) / 2;
    SetBounds(left, Top(), w, r.Height());
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::CMTextChanged(TWMNoParams& m) {
    AdjustBounds();
    TGraphicControl::CMTextChanged(m);
}

void TLabel::CMFontChanged(TWMNoParams& m) {
    AdjustBounds();
    TGraphicControl::CMFontChanged(m);
}

void TLabel::CMDialogChar(TCMDialogChar& m) {
    if (m_focusControl && m_showAccelChar && Enabled() &&
        Accelerators::IsAccel(char32_t(m.CharCode), Caption()) && m_focusControl->CanFocus()) {
        m_focusControl->SetFocus();
        m.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(m);
}
