#pragma once

#include <memory>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TButtonBehaviour.h"
#include "platform/toolkit/TGraphicControl.h"
#include "render/Blend.h"
#include "render/Fade.h"
#include "render/TsCommonData.h"
#include "render/TsFade.h"
#include "render/TsSkinned.h"

// The skinned speed button: a windowless button painted from its section (default
// "SPEEDBUTTON") with a glyph in the middle. Its look follows the pointer and the mouse
// button (normal, hot, pressed) and fades between them through a TsFade, whose frames it shows
// in its own paint. The glyph's fuchsia pixels are transparent. Without a skin it
// paints as a classic raised button.
class TsSpeedButton : public TsSkinned<TGraphicControl> {
public:
    explicit TsSpeedButton(TComponent* owner);
    ~TsSpeedButton() override;
    std::string ClassName() const override { return "TsSpeedButton"; }

    const TBitmap& Glyph() const { return m_glyph; }
    void SetGlyph(const TBitmap& glyph);
    // A flat button shows no face in its normal state.
    void SetFlat(bool flat);
    // A transparent button lets the parent's face show where its section is transparent.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    TAnimatEvents AnimatEvents() const { return m_animatEvents; }
    void SetAnimatEvents(TAnimatEvents events) { m_animatEvents = events; }
    TDisabledKinds DisabledKind() const { return m_disabledKind; }
    void SetDisabledKind(TDisabledKinds kinds);

    // The face state: 0 normal, 1 hot, 2 pressed.
    int FaceState() const;
    bool IsPushed() const { return m_behaviour.IsPushed(); }
    // The running fade, or null.
    const TsFade* Animation() const { return m_anim.get(); }
    // Rebuilds the face bitmap for the current state.
    void RebuildFace();

    void Loaded() override;
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    void WMSkinCommand(TWMSkinCommand& m) override;
    void CMMouseEnter(TCMMouseEnter& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void Paint(TCanvas& canvas) override;
    // The skinned paint: the fade frame while one runs, else the face (rebuilt when stale).
    void PaintSkinned(TCanvas& canvas);
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;

private:
    void OnPointerEnter(bool wasOver);
    void OnPointerLeave();
    void Fade(TAnimatEvent event, FadeSpeed speed);
    void PaintNative(TCanvas& canvas);
    void DrawGlyph(TBitmap& target, TPoint at) const;
    void DrawGlyph(TCanvas& canvas, TPoint at) const;
    TPoint GlyphOrigin() const;

    TBitmap m_glyph;
    bool m_flat = false;
    bool m_transparent = false;
    TAnimatEvents m_animatEvents = DefaultAnimatEvents;
    TDisabledKinds m_disabledKind = DefaultDisabledKinds;
    TButtonBehaviour m_behaviour;
    std::unique_ptr<TsFade> m_anim;
};
