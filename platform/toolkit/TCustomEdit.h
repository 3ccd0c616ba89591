#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/TEditTextMeasure.h"
#include "platform/toolkit/TWinControl.h"

// Edit control messages, with the platform's numbers.
constexpr std::uint32_t EM_GETSEL = 0x00B0;    // Result: start in the low word, end in the high word
constexpr std::uint32_t EM_SETSEL = 0x00B1;    // WParam start, LParam end (-1: the end); start -1 deselects
constexpr std::uint32_t EM_GETRECT = 0x00B2;   // LParam: TRect* that receives the text rectangle
constexpr std::uint32_t EM_SETRECT = 0x00B3;   // LParam: const TRect* (null: the default rectangle)
constexpr std::uint32_t EM_SETRECTNP = 0x00B4; // the same without repainting
constexpr std::uint32_t EM_GETMODIFY = 0x00B8;
constexpr std::uint32_t EM_SETMODIFY = 0x00B9;
constexpr std::uint32_t EM_REPLACESEL = 0x00C2; // LParam: const char* (UTF-8, zero-terminated)
constexpr std::uint32_t EM_LIMITTEXT = 0x00C5;  // WParam: the limit in characters, 0 none
constexpr std::uint32_t EM_SETREADONLY = 0x00CF;

enum class TBorderStyle { bsNone, bsSingle };

// The platform single-line edit. The text is UTF-8; positions (SelStart, SelLength, the
// caret) count code points. The caret shows steadily while focused; a selection is made by
// dragging, by Shift with the arrow, Home and End keys, or with Ctrl+A; Ctrl+X/C/V,
// Shift+Del, Ctrl+Ins and Shift+Ins cut, copy and paste through the Clipboard. Text wider
// than the text rectangle scrolls sideways to keep the caret in view. Every change of the
// text, typed or set by the program, runs Change (OnChange).
//
// The text rectangle (client coordinates) is where the text is drawn and clipped; by
// default the client area inset by one pixel, settable like EM_SETRECT so that a control
// inside the edit (spin buttons) never has text under it. With bsSingle the edit has a
// sunken 3-D border of two pixels as its non-client area.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    std::string ClassName() const override { return "TCustomEdit"; }

    // --- selection and caret ---
    int SelStart() const;
    // Collapses the selection to a caret at the position.
    void SetSelStart(int pos);
    int SelLength() const;
    std::string SelText() const;
    // Replaces the selection with the text (as typing would, without the read-only check).
    void SetSelText(const std::string& text);
    // Selects from start to end (caret at end); -1 for end means the end of the text.
    void SetSelection(int start, int end);
    void SelectAll();
    // The caret's position: the moving end of the selection.
    int CaretPos() const { return m_caret; }
    // The number of code points of the text.
    int TextLength() const { return int(m_chars.size()); }

    // --- editing ---
    void Clear() { SetText(""); }
    // Deletes the selection.
    void ClearSelection();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    // Takes back the last typed or pasted change (one level, as the platform edit).
    void Undo();
    bool CanUndo() const { return m_undo.has_value(); }

    // --- properties ---
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v);
    // Characters the user may enter at most; 0 is no limit. Texts set by the program are kept whole.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int v);
    void SetAutoSelect(bool v) { m_autoSelect = v; }
    // Only the digits 0 to 9 can be typed or pasted.
    bool NumbersOnly() const { return m_numbersOnly; }
    void SetNumbersOnly(bool v) { m_numbersOnly = v; }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle s);
    // Set by typing and editing, cleared when the program sets the text.
    bool Modified() const { return m_modified; }

    // --- text rectangle and layout ---
    TRect TextRect() const;
    void SetTextRect(const TRect& r);
    bool HasCustomTextRect() const { return m_textRect.has_value(); }
    // How far the text is scrolled to the left, in pixels.
    int ScrollOffset() const { return m_scrollX; }
    // The code-point position nearest to a client x coordinate.
    int CharIndexAtX(int clientX) const;
    // The client x coordinate of the boundary before the code point at pos.
    int PosToX(int pos) const;

    TNotifyEvent OnChange;

    TRect NonClientInsets() const override;
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    // The text changed (by typing or by the program); the base runs OnChange.
    virtual void Change();
    // Whether a typed character may go in (NumbersOnly filters here).
    virtual bool IsCharAcceptable(char32_t c) const;
    void PaintWindow(TCanvas& canvas) override;
    void PaintNonClient(TCanvas& canvas) override;
    TLResult DialogCode() const override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMSize(TWMSize& m) override;
    void CMTextChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void OtherMessage(TMessage& m) override;

private:
    bool HasSelection() const { return m_caret != m_anchor; }
    // Replaces the selection with the text as the user's edit: refused while read-only and
    // cut to MaxLength; records the undo step. False when nothing changed.
    bool UserReplace(const std::u32string& text);
    void ReplaceSelection(const std::u32string& text);
    void MoveCaret(int pos, bool extend);
    void ScrollToCaret();
    int WordStartBefore(int pos) const;
    int WordEndAfter(int pos) const;
    bool ShowsSelection() const;
    // Draws the text chunks that reach into [left, right) with the text's start at x0.
    void DrawVisibleText(TCanvas& canvas, int x0, int top, int left, int right) const;

    std::u32string m_chars; // the text as code points, kept equal to Text()
    mutable TEditTextMeasure m_measure;
    int m_caret = 0;
    int m_anchor = 0;
    int m_scrollX = 0;
    std::optional<TRect> m_textRect;
    bool m_readOnly = false;
    int m_maxLength = 0;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    bool m_numbersOnly = false;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_modified = false;
    bool m_mouseSelecting = false;
    bool m_inMouseDown = false;
    bool m_settingText = false; // the change comes from the edit itself
    struct TUndoStep {
        std::u32string Chars;
        int Caret = 0;
        int Anchor = 0;
    };
    std::optional<TUndoStep> m_undo;
};
