#pragma once

#include "platform/toolkit/TEdit.h"
#include "render/Blend.h"
#include "render/TsBoundLabel.h"
#include "render/TsCommonData.h"
#include "render/TsSkinned.h"

// The skinned single-line edit. The platform edit keeps the text entry, caret and selection;
// the skin gives the frame (the border strips of the face bitmap, painted from the section,
// default "EDIT") and the colours (COLOR and FONTCOLOR, HOTCOLOR and HOTFONTCOLOR while focused
// or under the pointer). The face also carries the text, which shows when the edit is printed
// into a bitmap. Without a skin it paints as the platform edit.
class TsEdit : public TsSkinned<TEdit> {
public:
    explicit TsEdit(TComponent* owner);
    ~TsEdit() override;
    std::string ClassName() const override { return "TsEdit"; }

    TDisabledKinds DisabledKind() const { return m_disabledKind; }
    void SetDisabledKind(TDisabledKinds kinds);
    TsBoundLabel& BoundLabel() { return m_boundLabel; }

    // Paints skinned: a loaded skin and a valid section.
    bool PaintsSkinned() const { return m_skinData.Skinned(true); }
    // The width of the frame strips copied from the face.
    int FrameWidth() const;
    // Rebuilds the face bitmap: the section's face over the parent, the text on it, the
    // disabled look when disabled.
    void RebuildFace();

    void Loaded() override;

protected:
    void WMSkinCommand(TWMSkinCommand& m) override;
    void PaintWindow(TCanvas& canvas) override;
    void PaintNonClient(TCanvas& canvas) override;
    void WMPrint(TWMPrint& m) override;
    void WMSize(TWMSize& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void CMTextChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMVisibleChanged(TCMVisibleChanged& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMColorChanged(TWMNoParams& m) override;
    void CMMouseEnter(TCMMouseEnter& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void BoundsChanged(const TRect& oldBounds) override;
    // Skin commands after the binding's part; descendants add their own and call this.
    virtual void SkinCommand(TWMSkinCommand& m);
    // The face must be rebuilt and the frame and client repainted.
    void RefreshSkin();

private:
    // Colour and font colour from the section for the hot or normal state, unless custom.
    void FollowSectionColors();
    void CopyFrameStrips(TCanvas& canvas, int width);

    TDisabledKinds m_disabledKind = DefaultDisabledKinds;
    TsBoundLabel m_boundLabel;
};
