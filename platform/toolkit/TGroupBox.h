#pragma once

#include "platform/toolkit/TCustomControl.h"

// The platform group box: a container whose caption sits over an etched 3-D frame. The frame
// starts half the caption band down; the display rectangle, where the children belong, lies
// inside the frame below the caption band.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* owner);
    std::string ClassName() const override { return "TGroupBox"; }

    // The height of the caption band: the font's cell height.
    int CaptionBandHeight() const;
    // The rectangle inside the frame below the caption band (client coordinates).
    TRect DisplayRect() const;
    // The caption's rectangle (client coordinates), empty without a caption.
    TRect CaptionRect() const;

protected:
    // Lets a descendant move the display rectangle (a caption offset, a thicker frame).
    virtual void AdjustClientRect(TRect& rect) const;
    void Paint(TCanvas& canvas) override;
};
