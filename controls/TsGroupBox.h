#pragma once

#include <cstdint>
#include <string>

#include "platform/toolkit/TGroupBox.h"
#include "render/TsCommonData.h"
#include "render/TsSkinned.h"

// The skinned group box: a container whose face is the section's frame (default "GROUPBOX")
// below a caption band that shows the parent's pixels, with the caption written on a small
// skinned plate (the "CHECKBOX" section, or CaptionSkin). The face is copied to the window
// around the children and serves as their parent background. Without a skin it paints as the
// platform group box.
class TsGroupBox : public TsSkinned<TGroupBox> {
public:
    // Where the caption plate sits.
    enum class TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };

    explicit TsGroupBox(TComponent* owner);
    ~TsGroupBox() override;
    std::string ClassName() const override { return "TsGroupBox"; }

    void WriteDumpFields(TJsonWriter& json) const override;
    TsCaptionLayout CaptionLayout() const { return m_captionLayout; }
    void SetCaptionLayout(TsCaptionLayout layout);
    // Moves the frame and the client area down (or, negative, the caption band up).
    std::int32_t CaptionYOffset() const { return m_captionYOffset; }
    void SetCaptionYOffset(std::int32_t offset);
    // The section of the caption plate; empty means "CHECKBOX".
    const std::string& CaptionSkin() const { return m_captionSkin; }
    void SetCaptionSkin(const std::string& section);

    // The height of the skinned caption band: the text height of "W" (at least 4) plus 2.
    int SkinCaptionBandHeight() const;
    // The caption plate's rectangle (client coordinates) by the layout.
    TRect CaptionPlateRect() const;
    // Rebuilds the face bitmap: band, frame, caption plate and text, bottom corners.
    void RebuildFace();

    void Loaded() override;

protected:
    void WMSkinCommand(TWMSkinCommand& m) override;
    void WMMove(TWMMove& m) override;
    void WMWindowPosChanged(TWMWindowPosMsg& m) override;
    void CMVisibleChanged(TCMVisibleChanged& m) override;
    void CMTextChanged(TWMNoParams& m) override;
    void AdjustClientRect(TRect& rect) const override;
    void WMPaint(TWMPaint& m) override;
    void WMPrint(TWMPrint& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void CMFontChanged(TWMNoParams& m) override;

private:
    bool PaintsSkinned() const { return m_skinData.Skinned(true); }
    void SkinCommand(TWMSkinCommand& m);
    void ForwardToChildren(const TMessage& m);
    // The skinned paint of the client area onto the canvas.
    void PaintSkinned(TCanvas& canvas, bool printing);
    void UpdatePartlyHidden();
    void DrawCaption(TBitmap& face, const ParentBackground& background, const TRect& plate);
    TColor ParentColour() const;

    TsCaptionLayout m_captionLayout = TsCaptionLayout::clTopLeft;
    std::int32_t m_captionYOffset = 0;
    std::string m_captionSkin;
};
