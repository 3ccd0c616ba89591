#include "platform/toolkit/TGraphicControl.h"

#include "platform/canvas/TCanvas.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::Paint(TCanvas& canvas) {
    (void)canvas;
}

void TGraphicControl::WMPaint(TMessage& m) {
    if (TCanvas* canvas = CanvasFromWParam(m.WParam)) {
        TCanvasSaver saver(*canvas);
        Paint(*canvas);
    }
}
