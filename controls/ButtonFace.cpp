#include "controls/ButtonFace.h"

#include "platform/canvas/TCanvas.h"
#include "platform/core/Color.h"

int ButtonFaceState(const TButtonFaceInputs& in) {
    if (in.Down || (in.Pushed && (in.MouseOver || !in.LeftHeld))) return bfsPressed;
    if (in.DefaultLook || in.DefaultStyle || in.Hot) return bfsHot;
    return bfsNormal;
}

TRect ButtonCaptionRect(TSize button, TSize text, int state) {
    const int dx = (button.Width - text.Width) / 2;
    const int dy = (button.Height - text.Height) / 2;
    TRect r{dx - 1, dy, button.Width - dx + 2, button.Height - dy};
    if (state == bfsPressed) r = r.Offset(1, 1);
    return r;
}

void DrawDottedFocusFrame(TCanvas& canvas, const TRect& r) {
    const int w = r.Width();
    const int h = r.Height();
    for (int i = 0; i <= w / 3; ++i) {
        const int x = r.Left + 3 * i;
        canvas.SetPixel(x, r.Top, clBlack);
        canvas.SetPixel(x, r.Bottom, clBlack);
        canvas.SetPixel(x - 1, r.Top - 1, clWhite);
        canvas.SetPixel(x - 1, r.Bottom - 1, clWhite);
    }
    for (int j = 0; j <= h / 3; ++j) {
        const int y = r.Top + 3 * j;
        canvas.SetPixel(r.Left, y, clBlack);
        canvas.SetPixel(r.Right, y, clBlack);
        canvas.SetPixel(r.Left - 1, y - 1, clWhite);
        canvas.SetPixel(r.Right - 1, y - 1, clWhite);
    }
}
