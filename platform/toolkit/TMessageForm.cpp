#include "platform/toolkit/TMessageForm.h"

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TLabel.h"

namespace {

constexpr int IconSize = 32;
constexpr int Margin = 12;

struct TButtonSpec {
    const char* Caption;
    TModalResult Result;
};

std::vector<TButtonSpec> ButtonsFor(unsigned type) {
    switch (type) {
    case MB_OKCANCEL:
        return {{"OK", mrOk}, {"Cancel", mrCancel}};
    case MB_YESNO:
        return {{"&Yes", mrYes}, {"&No", mrNo}};
    default:
        return {{"OK", mrOk}};
    }
}

} // namespace

TMessageForm::TMessageForm(TComponent* owner, const std::string& text, const std::string& caption,
                           unsigned flags)
    : TForm(owner), m_flags(flags) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons({TBorderIcon::biSystemMenu});
    SetPosition(TPosition::poScreenCenter);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetCaption(caption);
    bool hasIcon = IconKind() != 0;
    int textLeft = Margin + (hasIcon ? IconSize + Margin : 0);

    m_label = new TLabel(this);
    m_label->SetName("Message");
    m_label->SetParent(this);
    m_label->SetShowAccelChar(false);
    m_label->SetCaption(text);
    // Long texts wrap at about a third of a typical screen.
    if (m_label->Width() > 420) {
        m_label->SetWordWrap(true);
        m_label->SetWidth(420);
        m_label->AdjustBounds();
    }
    m_label->SetLeft(textLeft);
    int contentHeight = std::max(m_label->Height(), hasIcon ? IconSize : 0);
    m_label->SetTop(Margin + (contentHeight - m_label->Height()) / 2);
    m_iconRect = TRect::FromBounds(Margin, Margin + (contentHeight - IconSize) / 2, IconSize, IconSize);

    auto specs = ButtonsFor(flags & MB_TYPEMASK);
    const int bw = 75, bh = 23, gap = 6;
    int buttonsWidth = int(specs.size()) * bw + int(specs.size() - 1) * gap;
    int clientW = std::max(textLeft + m_label->Width() + Margin, buttonsWidth + 2 * Margin);
    clientW = std::max(clientW, 150);
    int buttonsTop = Margin + contentHeight + Margin;
    int x = (clientW - buttonsWidth) / 2;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        auto* b = new TButton(this);
        b->SetName(specs.size() == 1 ? "OK" : "Button" + std::to_string(i + 1));
        b->SetParent(this);
        b->SetCaption(specs[i].Caption);
        b->SetModalResult(specs[i].Result);
        b->SetBounds(x, buttonsTop, bw, bh);
        b->SetDefault(i == 0);
        b->SetCancel(specs.size() == 1 || specs[i].Result == mrCancel || specs[i].Result == mrNo);
        x += bw + gap;
    }
    SetClientWidth(clientW);
    SetClientHeight(buttonsTop + bh + Margin);
    // Built whole here, without a stored design: its creation ends with the constructor, as a
    // designed form's ends with its design.
    DoCreate();
}

int TMessageForm::AnswerFor(TModalResult result) const {
    switch (result) {
    case mrOk:
        return IDOK;
    case mrYes:
        return IDYES;
    case mrNo:
        return IDNO;
    case mrCancel:
        return (m_flags & MB_TYPEMASK) == MB_OK      ? IDOK
               : (m_flags & MB_TYPEMASK) == MB_YESNO ? IDNO
                                                     : IDCANCEL;
    default:
        return IDCANCEL;
    }
}

void TMessageForm::PaintWindow(TCanvas& canvas) {
    TForm::PaintWindow(canvas);
    unsigned kind = IconKind();
    if (kind == 0) return;
    TRect r = m_iconRect;
    int cx = r.Left + r.Width() / 2;
    TColor fill, ink = clWhite;
    std::string glyph;
    switch (kind) {
    case MB_ICONERROR:
        fill = MakeColor(0xD0, 0x10, 0x10);
        glyph = "X";
        break;
    case MB_ICONEXCLAMATION:
        fill = MakeColor(0xF8, 0xD0, 0x20);
        ink = clBlack;
        glyph = "!";
        break;
    case MB_ICONQUESTION:
        fill = MakeColor(0x20, 0x50, 0xC0);
        glyph = "?";
        break;
    default:
        fill = MakeColor(0x20, 0x50, 0xC0);
        glyph = "i";
        break;
    }
    if (kind == MB_ICONEXCLAMATION) {
        // A triangle with a black outline.
        TPoint outer[] = {{cx, r.Top}, {r.Right, r.Bottom - 1}, {r.Left, r.Bottom - 1}};
        canvas.Polygon(outer, clBlack);
        TPoint inner[] = {{cx, r.Top + 3}, {r.Right - 3, r.Bottom - 2}, {r.Left + 3, r.Bottom - 2}};
        canvas.Polygon(inner, fill);
    } else {
        // A disc: one filled row per scan line.
        int rad = r.Width() / 2, cy = r.Top + rad;
        for (int y = -rad; y < rad; ++y) {
            int half = 0;
            while ((half + 1) * (half + 1) + (y * 2 + 1) * (y * 2 + 1) / 4 <= rad * rad)
                ++half;
            canvas.FillRect({cx - half, cy + y, cx + half, cy + y + 1}, fill);
        }
    }
    TCanvasSaver saver(canvas);
    TFont f = Font();
    f.SetHeight(-18);
    f.SetStyle(f.Style().With(TFontStyle::fsBold));
    f.SetColor(ink);
    canvas.SetFont(f);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    TRect t = r;
    if (kind == MB_ICONEXCLAMATION) t.Top += 6;
    canvas.DrawText(glyph, t, TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE);
}
