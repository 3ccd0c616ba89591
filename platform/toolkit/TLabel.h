#pragma once

#include <optional>

#include "platform/toolkit/TGraphicControl.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TWinControl;

// A windowless text label: transparent or filled with Color, word wrap, auto size (the
// label takes its text's size; with WordWrap only the height follows), alignment and
// vertical layout, "&" marking an accelerator character that focuses FocusControl
// (ShowAccelChar off draws "&" as is). Disabled text is drawn embossed.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;
    std::string ClassName() const override { return "TLabel"; }

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool v);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* control);

    // The DrawText flags the label draws and measures with.
    unsigned DrawTextFlags() const;
    // Resizes to the text when AutoSize is set (also called after loading).
    void AdjustBounds();
    void Loaded() override;
    // Draws only the text, in one colour and without the disabled emboss, over what the
    // canvas already holds: a container that paints the label's background itself (a skinned
    // form) paints the label this way.
    void PaintTextOver(TCanvas& canvas, TColor textColor);

protected:
    void Paint(TCanvas& canvas) override;
    // Draws the text into rect (measures only with DT_CALCRECT in flags).
    virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
    void Notification(TComponent* component, TOperation operation) override;
    void CMTextChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMDialogChar(TCMDialogChar& m) override;

private:
    void PaintText(TCanvas& canvas);

    // The colour PaintTextOver draws in, while it runs.
    std::optional<TColor> m_textColorOverride;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TTextLayout m_layout = TTextLayout::tlTop;
    bool m_wordWrap = false;
    bool m_autoSize = true;
    bool m_transparent = false;
    bool m_showAccelChar = true;
    TWinControl* m_focusControl = nullptr;
};
