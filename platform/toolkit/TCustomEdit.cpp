#include "platform/toolkit/TCustomEdit.h"

// Sections: selection and caret; editing; properties; text rectangle and layout; painting;
// keyboard; mouse; focus and notifications.

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/core/Utf8.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextRenderer.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/Clipboard.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TJsonWriter.h"

namespace {
bool IsWordChar(char32_t c) {
    return c != U' ' && c != U'\t';
}
} // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csSetCaption);
    style.Exclude(TControlStyleFlag::csClickEvents);
    SetControlStyle(style);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

// --- selection and caret ---

int TCustomEdit::SelStart() const {
    return std::min(m_caret, m_anchor);
}
int TCustomEdit::SelLength() const {
    return std::abs(m_caret - m_anchor);
}

void TCustomEdit::SetSelStart(int pos) {
    pos = std::clamp(pos, 0, TextLength());
    m_caret = m_anchor = pos;
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SetSelection(int start, int end) {
    int len = TextLength();
    if (start < 0) {
        m_anchor = m_caret = std::clamp(m_caret, 0, len);
    } else {
        m_anchor = std::clamp(start, 0, len);
        m_caret = end < 0 ? len : std::clamp(end, 0, len);
    }
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SelectAll() {
    SetSelection(0, -1);
}

std::string TCustomEdit::SelText() const {
    return Utf8::Encode(
        std::u32string_view(m_chars).substr(std::size_t(SelStart()), std::size_t(SelLength())));
}

void TCustomEdit::SetSelText(const std::string& text) {
    ReplaceSelection(Utf8::Decode(text));
}

// --- editing ---

void TCustomEdit::ReplaceSelection(const std::u32string& text) {
    int start = SelStart();
    std::u32string chars = m_chars;
    chars.replace(std::size_t(start), std::size_t(SelLength()), text);
    int caret = start + int(text.size());
    m_settingText = true;
    m_chars = chars;
    m_caret = m_anchor = caret;
    // Texts are code points here; an undecodable byte of the old text was already U+FFFD.
    TControl::SetText(Utf8::Encode(m_chars));
    m_settingText = false;
    ScrollToCaret();
    Invalidate();
}

bool TCustomEdit::UserReplace(const std::u32string& text) {
    if (m_readOnly) return false;
    std::u32string insert = text;
    if (m_maxLength > 0) {
        int room = m_maxLength - (TextLength() - SelLength());
        if (room < 0) room = 0;
        if (int(insert.size()) > room) insert.resize(std::size_t(room));
    }
    if (insert.empty() && !HasSelection()) return false;
    m_undo = TUndoStep{m_chars, m_caret, m_anchor};
    m_modified = true;
    ReplaceSelection(insert);
    return true;
}

void TCustomEdit::ClearSelection() {
    if (HasSelection()) UserReplace(U"");
}

void TCustomEdit::CopyToClipboard() {
    if (HasSelection()) Clipboard::SetText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (!HasSelection() || m_readOnly) return;
    CopyToClipboard();
    UserReplace(U"");
}

void TCustomEdit::PasteFromClipboard() {
    if (m_readOnly || !Clipboard::HasText()) return;
    std::u32string text = Utf8::Decode(Clipboard::Text());
    // A single-line edit takes the first line only.
    auto eol = text.find_first_of(U"\r\n");
    if (eol != std::u32string::npos) text.resize(eol);
    if (m_numbersOnly &&
        !std::all_of(text.begin(), text.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; }))
        return;
    UserReplace(text);
}

void TCustomEdit::Undo() {
    if (!m_undo || m_readOnly) return;
    TUndoStep step = *m_undo;
    // Undoing again redoes, as the platform edit does.
    m_undo = TUndoStep{m_chars, m_caret, m_anchor};
    m_caret = m_anchor = 0;
    m_settingText = true;
    m_chars = step.Chars;
    TControl::SetText(Utf8::Encode(m_chars));
    m_settingText = false;
    m_modified = true;
    SetSelection(step.Anchor, step.Caret);
}

// --- properties ---

void TCustomEdit::SetReadOnly(bool v) {
    if (v == m_readOnly) return;
    m_readOnly = v;
    Invalidate();
}

void TCustomEdit::SetMaxLength(int v) {
    m_maxLength = std::max(v, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle s) {
    if (s == m_borderStyle) return;
    m_borderStyle = s;
    InvalidateFrame();
    Invalidate();
    ScrollToCaret();
}

TRect TCustomEdit::NonClientInsets() const {
    if (m_borderStyle == TBorderStyle::bsSingle) return {2, 2, 2, 2};
    return {};
}

// --- text rectangle and layout ---

TRect TCustomEdit::TextRect() const {
    if (m_textRect) return *m_textRect;
    TRect c = ClientRect();
    return {c.Left + 1, c.Top + 1, std::max(c.Left + 1, c.Right - 1), std::max(c.Top + 1, c.Bottom - 1)};
}

void TCustomEdit::SetTextRect(const TRect& r) {
    m_textRect = r;
    ScrollToCaret();
    Invalidate();
}

int TCustomEdit::PosToX(int pos) const {
    pos = std::clamp(pos, 0, TextLength());
    return TextRect().Left - m_scrollX + m_measure.Positions(Font(), m_chars)[std::size_t(pos)];
}

void TCustomEdit::DrawVisibleText(TCanvas& canvas, int x0, int top, int left, int right) const {
    const std::vector<int>& positions = m_measure.Positions(Font(), m_chars);
    for (const TEditTextMeasure::TChunk& chunk : m_measure.Chunks()) {
        const int x = x0 + positions[chunk.Start];
        if (x >= right) break;
        if (x0 + positions[chunk.End] < left) continue;
        canvas.TextOut(
            x, top, Utf8::Encode(std::u32string_view(m_chars).substr(chunk.Start, chunk.End - chunk.Start)));
    }
}

int TCustomEdit::CharIndexAtX(int clientX) const {
    // The boundary nearest to x; prefix widths grow with the position.
    int best = 0;
    const int x0 = PosToX(0);
    const std::vector<int>& positions = m_measure.Positions(Font(), m_chars);
    int bestDist = std::abs(x0 - clientX);
    for (int i = 1; i <= TextLength(); ++i) {
        int x = x0 + positions[std::size_t(i)];
        int d = std::abs(x - clientX);
        if (d < bestDist) {
            best = i;
            bestDist = d;
        } else if (x > clientX) {
            break;
        }
    }
    return best;
}

void TCustomEdit::ScrollToCaret() {
    TRect tr = TextRect();
    int avail = std::max(tr.Width() - 1, 0);
    int textWidth = PosToX(TextLength()) - PosToX(0);
    int caretOffset = PosToX(m_caret) - PosToX(0);
    int scroll = m_scrollX;
    if (caretOffset - scroll > avail) scroll = caretOffset - avail + avail / 4;
    if (caretOffset < scroll) scroll = std::max(0, caretOffset - avail / 4);
    // Never leave empty room on the right while text is hidden on the left.
    scroll = std::clamp(scroll, 0, std::max(0, textWidth - avail));
    if (scroll != m_scrollX) {
        m_scrollX = scroll;
        Invalidate();
    }
}

// --- painting ---

bool TCustomEdit::ShowsSelection() const {
    return HasSelection() && (!m_hideSelection || Focused());
}

void TCustomEdit::PaintNonClient(TCanvas& canvas) {
    if (m_borderStyle == TBorderStyle::bsSingle)
        ClassicLook::DrawEdge(canvas, {0, 0, Width(), Height()}, ClassicLook::TEdge::Sunken);
}

void TCustomEdit::PaintWindow(TCanvas& canvas) {
    bool enabled = IsEnabledInTree();
    canvas.FillRect(ClientRect(), ColorToRGB(enabled ? Color() : clBtnFace));
    TRect tr = TextRect();
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(tr);
    canvas.SetFont(Font());
    canvas.Font().SetColor(ColorToRGB(enabled ? Font().Color() : clGrayText));
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    int x0 = PosToX(0);
    int cell = TextRenderer::CellHeight(Font());
    // Only the chunks of text that show are drawn, each where the measure puts it.
    DrawVisibleText(canvas, x0, tr.Top, tr.Left, tr.Right);
    if (ShowsSelection()) {
        TRect sel{PosToX(SelStart()), tr.Top, PosToX(SelStart() + SelLength()), tr.Top + cell};
        TCanvasSaver selSaver(canvas);
        canvas.IntersectClipRect(sel);
        canvas.FillRect(sel, ColorToRGB(clHighlight));
        canvas.Font().SetColor(ColorToRGB(clHighlightText));
        DrawVisibleText(canvas, x0, tr.Top, std::max(tr.Left, sel.Left), std::min(tr.Right, sel.Right));
    }
    if (Focused() && enabled) {
        int x = PosToX(m_caret);
        // At the very right the caret stays inside the text rectangle.
        x = std::min(x, tr.Right - 1);
        canvas.FillRect({x, tr.Top, x + 1, tr.Top + cell}, ColorToRGB(Font().Color()));
    }
}

// --- keyboard ---

TLResult TCustomEdit::DialogCode() const {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

void TCustomEdit::MoveCaret(int pos, bool extend) {
    pos = std::clamp(pos, 0, TextLength());
    m_caret = pos;
    if (!extend) m_anchor = pos;
    ScrollToCaret();
    Invalidate();
}

int TCustomEdit::WordStartBefore(int pos) const {
    int i = pos;
    while (i > 0 && !IsWordChar(m_chars[std::size_t(i - 1)]))
        --i;
    while (i > 0 && IsWordChar(m_chars[std::size_t(i - 1)]))
        --i;
    return i;
}

int TCustomEdit::WordEndAfter(int pos) const {
    int n = TextLength();
    int i = pos;
    while (i < n && IsWordChar(m_chars[std::size_t(i)]))
        ++i;
    while (i < n && !IsWordChar(m_chars[std::size_t(i)]))
        ++i;
    return i;
}

void TCustomEdit::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    bool sh = (shift & ssShift) != 0;
    bool ctrl = (shift & ssCtrl) != 0;
    bool alt = (shift & ssAlt) != 0;
    if (alt) return;
    switch (key) {
    case VK_LEFT:
        if (ctrl)
            MoveCaret(WordStartBefore(m_caret), sh);
        else if (HasSelection() && !sh)
            MoveCaret(SelStart(), false);
        else
            MoveCaret(m_caret - 1, sh);
        break;
    case VK_RIGHT:
        if (ctrl)
            MoveCaret(WordEndAfter(m_caret), sh);
        else if (HasSelection() && !sh)
            MoveCaret(SelStart() + SelLength(), false);
        else
            MoveCaret(m_caret + 1, sh);
        break;
    case VK_HOME:
        MoveCaret(0, sh);
        break;
    case VK_END:
        MoveCaret(TextLength(), sh);
        break;
    case VK_BACK:
        if (!HasSelection() && m_caret > 0) m_anchor = ctrl ? WordStartBefore(m_caret) : m_caret - 1;
        UserReplace(U"");
        break;
    case VK_DELETE:
        if (sh && !ctrl) {
            CutToClipboard();
        } else {
            if (!HasSelection() && m_caret < TextLength())
                m_anchor = ctrl ? WordEndAfter(m_caret) : m_caret + 1;
            UserReplace(U"");
        }
        break;
    case VK_INSERT:
        if (ctrl && !sh)
            CopyToClipboard();
        else if (sh && !ctrl)
            PasteFromClipboard();
        else
            return;
        break;
    default:
        if (!ctrl || sh) return;
        switch (key) {
        case 'A':
            SelectAll();
            break;
        case 'C':
            CopyToClipboard();
            break;
        case 'X':
            CutToClipboard();
            break;
        case 'V':
            PasteFromClipboard();
            break;
        case 'Z':
            Undo();
            break;
        default:
            return;
        }
    }
    key = 0;
}

bool TCustomEdit::IsCharAcceptable(char32_t c) const {
    if (c < 0x20 || c == 0x7F) return false;
    if (m_numbersOnly) return c >= U'0' && c <= U'9';
    return true;
}

void TCustomEdit::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key == 0) return;
    // Control characters (Backspace, Enter, the Ctrl letters) are handled as keys.
    if (!IsCharAcceptable(key)) return;
    UserReplace(std::u32string(1, key));
    key = 0;
}

// --- mouse ---

void TCustomEdit::WMLButtonDown(TWMMouse& m) {
    m_inMouseDown = true;
    TWinControl::WMLButtonDown(m);
    if (!Focused() && CanFocus()) SetFocus();
    m_inMouseDown = false;
    TPoint p = m.Pos;
    MoveCaret(CharIndexAtX(p.X), (m.Keys & MK_SHIFT) != 0);
    m_mouseSelecting = true;
    SetMouseCapture(true);
}

void TCustomEdit::WMLButtonDblClk(TWMMouse& m) {
    TWinControl::WMLButtonDblClk(m);
    int pos = CharIndexAtX(m.Pos.X);
    int start = pos;
    while (start > 0 && IsWordChar(m_chars[std::size_t(start - 1)]))
        --start;
    int end = pos;
    while (end < TextLength() && IsWordChar(m_chars[std::size_t(end)]))
        ++end;
    SetSelection(start, end);
    m_mouseSelecting = false;
}

void TCustomEdit::WMMouseMove(TWMMouse& m) {
    TWinControl::WMMouseMove(m);
    if (m_mouseSelecting && (m.Keys & MK_LBUTTON)) MoveCaret(CharIndexAtX(m.Pos.X), true);
}

void TCustomEdit::WMLButtonUp(TWMMouse& m) {
    m_mouseSelecting = false;
    TWinControl::WMLButtonUp(m);
    if (MouseCapture()) SetMouseCapture(false);
}

void TCustomEdit::WMCaptureChanged(TWMCaptureChanged& m) {
    m_mouseSelecting = false;
    TWinControl::WMCaptureChanged(m);
}

// --- focus and notifications ---

void TCustomEdit::WMSetFocus(TWMFocus& m) {
    TWinControl::WMSetFocus(m);
    bool byMouse = m_inMouseDown || (Application && (Application->ShiftState() & ssLeft));
    if (m_autoSelect && !byMouse) SelectAll();
    Invalidate();
}

void TCustomEdit::WMKillFocus(TWMFocus& m) {
    TWinControl::WMKillFocus(m);
    m_mouseSelecting = false;
    Invalidate();
}

void TCustomEdit::WMSize(TWMSize& m) {
    TWinControl::WMSize(m);
    ScrollToCaret();
}

void TCustomEdit::CMTextChanged(TWMNoParams& m) {
    TWinControl::CMTextChanged(m);
    if (!m_settingText) {
        // The program set the text: the caret goes to the start, as the platform edit does.
        m_chars = Utf8::Decode(Text());
        m_caret = m_anchor = 0;
        m_scrollX = 0;
        m_modified = false;
        m_undo.reset();
    }
    Change();
}

void TCustomEdit::CMFontChanged(TWMNoParams& m) {
    TWinControl::CMFontChanged(m);
    ScrollToCaret();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::OtherMessage(TMessage& m) {
    switch (m.Msg) {
    case EM_GETSEL: {
        int s = SelStart(), e = SelStart() + SelLength();
        if (m.WParam) *reinterpret_cast<int*>(m.WParam) = s;
        if (m.LParam) *PointerFromLParam<int>(m.LParam) = e;
        m.Result =
            TLResult(MakeWParam(std::uint16_t(std::min(s, 0xFFFF)), std::uint16_t(std::min(e, 0xFFFF))));
        return;
    }
    case EM_SETSEL:
        SetSelection(int(std::intptr_t(m.WParam)), int(m.LParam));
        return;
    case EM_GETRECT:
        if (m.LParam) *PointerFromLParam<TRect>(m.LParam) = TextRect();
        return;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (m.LParam)
            m_textRect = *PointerFromLParam<const TRect>(m.LParam);
        else
            m_textRect.reset();
        ScrollToCaret();
        if (m.Msg == EM_SETRECT) Invalidate();
        return;
    case EM_GETMODIFY:
        m.Result = m_modified ? 1 : 0;
        return;
    case EM_SETMODIFY:
        m_modified = m.WParam != 0;
        return;
    case EM_REPLACESEL:
        if (m.LParam) SetSelText(PointerFromLParam<const char>(m.LParam));
        return;
    case EM_LIMITTEXT:
        SetMaxLength(int(m.WParam));
        return;
    case EM_SETREADONLY:
        SetReadOnly(m.WParam != 0);
        m.Result = 1;
        return;
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_CLEAR:
        ClearSelection();
        return;
    case WM_UNDO:
        m.Result = CanUndo() ? 1 : 0;
        Undo();
        return;
    default:
        TWinControl::OtherMessage(m);
    }
}

void TCustomEdit::WriteDumpFields(TJsonWriter& json) const {
    TWinControl::WriteDumpFields(json);
    json.Field("selStart", SelStart());
    json.Field("selLength", SelLength());
    json.Field("readOnly", m_readOnly);
}
