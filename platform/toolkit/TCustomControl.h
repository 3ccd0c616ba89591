#pragma once

#include "platform/toolkit/TWinControl.h"

// A windowed control that paints itself in Paint (the base of owner-painted windowed controls).
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    std::string ClassName() const override { return "TCustomControl"; }

protected:
    // Paints the client area; the canvas origin is the client origin.
    virtual void Paint(TCanvas& canvas) { (void)canvas; }
    void PaintWindow(TCanvas& canvas) override { Paint(canvas); }
};
