#include "render/FaceToScreen.h"

#include <algorithm>
#include <vector>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TRegion.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Corners.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"

namespace {

bool g_graphicChildrenOverFace = false;

bool IsOpaque(const TControl& control) {
    return control.ControlStyle().Has(TControlStyleFlag::csOpaque);
}

// Whether a child paints its own part of the container's rectangle, so the face must not be
// copied there.
bool PaintsOverFace(const TControl& child) {
    if (child.IsWindowed()) return true;
    if (g_graphicChildrenOverFace) return false;
    return child.IsDesigning() || IsOpaque(child);
}

// Sets a control state flag for the lifetime of the object and restores the old state.
class ControlStateScope {
public:
    ControlStateScope(TControl& control, TControlStateFlag flag, bool on)
        : m_control(control), m_saved(control.ControlState()) {
        TControlState state = m_saved;
        if (on) state.Include(flag);
        m_control.SetControlState(state);
    }
    ~ControlStateScope() { m_control.SetControlState(m_saved); }
    ControlStateScope(const ControlStateScope&) = delete;
    ControlStateScope& operator=(const ControlStateScope&) = delete;

private:
    TControl& m_control;
    TControlState m_saved;
};

// The part of its rectangle a child covers: all of it, or the shape of a shaped window.
TRegion ChildShape(const TControl& child, const TRect& bounds) {
    if (!child.IsWindowed()) return TRegion(bounds);
    return static_cast<const TWinControl&>(child).ShapeAt(bounds.TopLeft());
}

// Whether any part of the rectangle (logical coordinates) lies inside the canvas's clip.
bool ShowsOnCanvas(const TCanvas& canvas, const TRect& rect) {
    TRegion region = canvas.ClipRegion();
    region.Intersect(rect.Offset(canvas.Origin().X, canvas.Origin().Y));
    return !region.IsEmpty();
}

} // namespace

bool GraphicChildrenOverFace() {
    return g_graphicChildrenOverFace;
}

void SetGraphicChildrenOverFace(bool on) {
    g_graphicChildrenOverFace = on;
}

void CopyFaceToScreen(TWinControl& control, TsCommonData& binding, const TRect& updateRect, TPoint offset,
                      bool repaintCorners, TCanvas& canvas, const TRect& clipRect) {
    if (repaintCorners) RepaintCorners(binding, 0, 15);
    const TBitmap* face = binding.FaceBitmap();
    if (!face) return;
    TCanvasSaver saver(canvas);
    // The face goes where no child paints: around each child's rectangle, and into the parts
    // a shaped window cuts away (a push button's corners), which nothing else paints.
    TRegion faceArea(clipRect);
    for (TControl* child : control.ControlList()) {
        if (!child->Visible()) continue;
        const TRect bounds = child->BoundsRect().Offset(offset.X, offset.Y);
        if (bounds.Intersects(clipRect) && PaintsOverFace(*child))
            faceArea.Subtract(ChildShape(*child, bounds));
    }
    canvas.IntersectClipRegion(faceArea);
    canvas.CopyRect(clipRect.TopLeft(), *face,
                    TRect::FromBounds(updateRect.Left, updateRect.Top, clipRect.Width(), clipRect.Height()));
}

void PaintGraphicChildren(TCanvas& canvas, TWinControl& container, TPoint offset) {
    const bool designing = container.IsDesigning();
    if (!(container.Visible() || designing) || container.ControlCount() == 0) return;
    const TRect visible = canvas.ClipBox();
    if (visible.IsEmpty()) {
        QuerySkinCommand(&container, cmdSetPartlyHidden);
        return;
    }
    FaceAnswer().Ready = false;
    QuerySkinCommand(&container, cmdGetFace);
    const ParentBackground face = FaceAnswer();
    if (!face.Ready || !face.Bitmap) return;

    std::vector<TControl*> taking;
    for (TControl* child : container.ControlList()) {
        if (child->IsWindowed() || child->IsDestroying()) continue;
        if (!(child->Visible() || designing) || child->Width() <= 0 || child->Height() <= 0) continue;
        if (child->BoundsRect().Offset(offset.X, offset.Y).Intersects(visible)) taking.push_back(child);
    }
    if (taking.empty()) return;

    // Each child paints over the background it would have on screen: its own colour when it
    // is opaque, else the container's face behind it.
    TBitmap memory(std::max(container.Width(), 1), std::max(container.Height(), 1));
    TCanvas memoryCanvas(memory);
    for (TControl* child : taking) {
        const TRect bounds = child->BoundsRect();
        if (IsOpaque(*child))
            memoryCanvas.FillRect(bounds, ColorToRGB(child->Color()));
        else
            memoryCanvas.CopyRect(bounds.TopLeft(), *face.Bitmap, bounds.Offset(face.OffsetX, face.OffsetY));
    }
    const bool paintingCopy = container.ControlState().Has(TControlStateFlag::csPaintCopy);
    for (TControl* child : taking) {
        const TRect bounds = child->BoundsRect();
        if (!ShowsOnCanvas(canvas, bounds.Offset(offset.X, offset.Y)))
            QuerySkinCommand(child, cmdSetPartlyHidden);
        TCanvasSaver saver(memoryCanvas);
        memoryCanvas.SetOrigin(bounds.TopLeft());
        memoryCanvas.IntersectClipRect({0, 0, bounds.Width(), bounds.Height()});
        ControlStateScope copy(*child, TControlStateFlag::csPaintCopy, paintingCopy);
        child->Perform(WM_PAINT, WParamFromCanvas(&memoryCanvas), 0);
    }
    for (TControl* child : taking) {
        const TRect bounds = child->BoundsRect();
        if (memory.GetPixel(bounds.Left, bounds.Top) == clFuchsia) continue;
        canvas.CopyRect({bounds.Left + offset.X, bounds.Top + offset.Y}, memory, bounds);
    }
}
