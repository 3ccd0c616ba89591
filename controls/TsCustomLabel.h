#pragma once

#include <string>

#include "platform/toolkit/TLabel.h"

// A transparent text label that follows the default manager's skin: its font takes the skin's
// global text colour while a skin is loaded, a named SkinSection paints that section behind
// the text (and gives the text its colour), and disabled text is drawn in a mix of the font
// colour with the colour behind the label. Labels have no binding of their own; they always
// ask the process's default manager.
class TsCustomLabel : public TLabel {
public:
    explicit TsCustomLabel(TComponent* owner);
    std::string ClassName() const override { return "TsCustomLabel"; }

    // The section painted behind the text; empty paints none. A change repaints at once.
    const std::string& SkinSection() const { return m_skinSection; }
    void SetSkinSection(const std::string& section);

protected:
    // Gives the font the skin's global text colour when a skin is loaded and has one.
    virtual void ApplySkinFontColour();
    // The font colour a removed skin leaves behind (the window-text colour).
    virtual void HandleSkinRemoved(TMessage& m);
    // Sets the font colour when it differs.
    void SetFontColour(TColor colour);

    void Paint(TCanvas& canvas) override;
    void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) override;
    void CMFontChanged(TWMNoParams& m) override;
    void WMSkinCommand(TWMSkinCommand& record) override;

private:
    void PaintSkinSection(TCanvas& canvas);
    // The colour behind the label: what the parent answers, else the parent's own colour.
    TColor ColourBehind() const;

    std::string m_skinSection;
};
