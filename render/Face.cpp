#include "render/Face.h"

#include <algorithm>

#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Corners.h"
#include "render/Layers.h"
#include "render/ParentColors.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "render/TsFrameOwner.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

bool LiesInside(const TRect& rect, const TBitmap& target) {
    return rect.Left >= 0 && rect.Top >= 0 && rect.Right <= target.Width() && rect.Bottom <= target.Height();
}

const TsMaskData* MaskAt(const TsSkinModel& model, int index) {
    return index >= 0 && index < int(model.MaskData.size()) ? &model.MaskData[std::size_t(index)] : nullptr;
}

// The corner images of a section, each at its corner of the rectangle. The bottom-left one
// sits at x 0 of the target, not at the rectangle's left: faces start at 0.
void DrawCornerImages(TBitmap& target, const TsSkinModel& model, int sectionIndex, std::string_view name,
                      const TRect& rect, int state) {
    struct TCorner {
        const char* Key;
        bool Right;
        bool Bottom;
    };
    static constexpr TCorner corners[] = {
        {"IMGTOPLEFT", false, false},
        {"IMGTOPRIGHT", true, false},
        {"IMGBTMLEFT", false, true},
        {"IMGBTMRIGHT", true, true},
    };
    for (const TCorner& corner : corners) {
        const TsMaskData* entry = MaskAt(model, model.GetMaskIndex(sectionIndex, name, corner.Key));
        if (!entry) continue;
        const long long cellW =
            ((long long)entry->R.Right - entry->R.Left) / std::max<int>(1, entry->ImageCount);
        const long long cellH =
            ((long long)entry->R.Bottom - entry->R.Top) / (std::max<int>(0, entry->MaskType) + 1);
        const long long x = corner.Right ? rect.Right - cellW : (corner.Bottom ? 0 : rect.Left);
        const long long y = corner.Bottom ? rect.Bottom - cellH : rect.Top;
        if (x < -(1LL << 30) || y < -(1LL << 30)) continue;
        DrawCornerImage(target, {int(x), int(y)}, state, *entry, CornerFlag::Yes);
    }
}

// Sets the shared parent colours for a bound control before its layers are painted.
void TakeParentColours(TsCommonData& binding, const ParentBackground& background) {
    SetParentFillColor(clFuchsia);
    TControl* control = binding.Control();
    TControl* parent = control ? control->Parent() : nullptr;
    if (!background.Ready) {
        if (parent) {
            SetParentKeyColor(ColorToRGB(parent->Color()));
            SetParentFillColor(ColorToRGB(parent->Color()));
        }
        return;
    }
    if (parent && !AskControl(control, cmdBgIsPatterned) && !IsKnownColor(ParentFillColor()))
        QuerySkinCommand(parent, cmdGetBgColor);
}

TColor CustomColourOf(const TsCommonData& binding) {
    if (!binding.CustomColor()) return clFuchsia;
    if (const TControl* control = binding.Control()) return ColorToRGB(control->Color());
    if (const TsFrameOwner* owner = binding.FrameOwner())
        if (const TWinControl* form = owner->FrameForm()) return ColorToRGB(form->Color());
    return clFuchsia;
}

} // namespace

void PaintFace(TsCommonData& binding, const ParentBackground& background, FillCentre fillCentre,
               CornerFlag corners, int state, TBitmap& target, TPoint position, const TRect& rect) {
    TsSkinManager* manager = binding.SkinManager();
    if (!manager) return;
    const TsSkinModel& model = manager->Model();
    const int sectionIndex = binding.SectionIndex();
    if (sectionIndex < 0 || sectionIndex >= int(model.GeneralData.size()) || !LiesInside(rect, target))
        return;

    TakeParentColours(binding, background);
    PaintLayers(sectionIndex, binding.SkinSection(), background, CustomColourOf(binding),
                binding.HotPatternIndex(), binding.PatternIndex(), manager, target, position, rect, state);

    ParentBackground behind = background;
    behind.OffsetX += position.X;
    behind.OffsetY += position.Y;
    if (const TsMaskData* border = MaskAt(model, binding.BorderMaskIndex()))
        DrawBorderMask(target, rect, fillCentre, corners, state, *border, behind);
    ResetParentColors();

    DrawCornerImages(target, model, sectionIndex, binding.SkinSection(), rect, state);
}

void PaintSectionFace(int sectionIndex, std::string_view sectionName, const ParentBackground& background,
                      int state, FillCentre fillCentre, TsSkinManager* manager, TBitmap& target,
                      TPoint position, const TRect& rect) {
    if (!manager) manager = DefaultManager();
    if (!manager) return;
    const TsSkinModel& model = manager->Model();
    if (sectionIndex < 0 || sectionIndex >= int(model.GeneralData.size()) || !LiesInside(rect, target))
        return;

    SetParentFillColor(clFuchsia);
    PaintLayers(sectionIndex, sectionName, background, clFuchsia,
                model.GetTextureIndex(sectionIndex, sectionName, "HOTPATTERN"),
                model.GetTextureIndex(sectionIndex, sectionName, "PATTERN"), manager, target, position, rect,
                state);
    DrawCornerImages(target, model, sectionIndex, sectionName, rect, state);

    ParentBackground behind = background;
    behind.OffsetX += position.X;
    behind.OffsetY += position.Y;
    if (const TsMaskData* border =
            MaskAt(model, model.GetMaskIndex(sectionIndex, sectionName, "BORDERSMASK")))
        DrawBorderMask(target, rect, fillCentre, CornerFlag::Yes, state, *border, behind);
    ResetParentColors();
}
