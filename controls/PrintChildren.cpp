#include "controls/PrintChildren.h"

#include <vector>

#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/TWinControl.h"

void PrintWindowedChildren(TWinControl& control, TCanvas& canvas, TLParam flags) {
    if (!(flags & PRF_CHILDREN)) return;
    for (TControl* child : std::vector<TControl*>(control.ControlList())) {
        if (!child->IsWindowed() || !child->Visible() || child->IsDestroying()) continue;
        TCanvasSaver saver(canvas);
        canvas.OffsetOrigin(child->Left(), child->Top());
        canvas.IntersectClipRect({0, 0, child->Width(), child->Height()});
        child->Perform(WM_PRINT, WParamFromCanvas(&canvas), flags);
    }
}
