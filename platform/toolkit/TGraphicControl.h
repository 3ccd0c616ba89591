#pragma once

#include "platform/toolkit/TControl.h"

// A windowless control: it has no handle and paints on its parent's canvas, over the parent's
// own painting, when the parent is painted. Its messages arrive by direct dispatch (Perform).
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    std::string ClassName() const override { return "TGraphicControl"; }

protected:
    // Paints the control; the canvas origin is the control's top-left corner and the clip
    // lies within its rectangle.
    virtual void Paint(TCanvas& canvas);
    // Calls Paint with the canvas of the message (WParam).
    void WMPaint(TWMPaint& m) override;
};
