#include "platform/toolkit/TGraphicControl.h"

#include "platform/canvas/TCanvas.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::Paint(TCanvas& canvas) {
    (void)canvas;
}

void TGraphicControl::WMPaint(TWMPaint& m) {
    if (TCanvas* canvas = m.Canvas) {
        TCanvasSaver saver(*canvas);
        Paint(*canvas);
    }
}
