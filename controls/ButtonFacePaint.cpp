#include "controls/ButtonFacePaint.h"

#include "controls/ButtonFace.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TRegion.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/TWinControl.h"
#include "render/BorderMask.h"
#include "render/Layers.h"
#include "render/ParentColors.h"
#include "render/SkinCommandQueries.h"
#include "render/Text.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

namespace {

TRect DrawCaption(const TButtonFaceRequest& request, TBitmap& face) {
    using namespace TextFlags;
    const TWinControl& button = request.Button;
    TCanvas canvas(face);
    canvas.SetFont(button.Font());
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    const std::string& text = button.Caption();
    const int width = button.Width();
    const int height = button.Height();
    const unsigned format = DT_CENTER | DT_EXPANDTABS | (request.WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    TRect measured{0, 0, text.empty() ? 0 : width - 2, 0};
    if (!text.empty()) canvas.DrawText(text, measured, format | DT_CALCRECT);
    const TRect rect =
        ButtonCaptionRect({width, height}, {measured.Width(), measured.Height()}, request.State);
    if (text.empty()) return rect;
    DrawSkinText(canvas, text, {true, request.State != bfsNormal}, request.Binding, format, rect);

    const TsGeneralData& section =
        request.Binding.SkinManager()->Model().GeneralData[std::size_t(request.Binding.SectionIndex())];
    if (button.Enabled() && request.ShowsFocus && section.ShowFocus)
        DrawDottedFocusFrame(canvas, rect.Inflate(request.FocusMargin, request.FocusMargin));
    return rect;
}

} // namespace

TRect PaintButtonFace(const TButtonFaceRequest& request) {
    TsCommonData& binding = request.Binding;
    if (!binding.Skinned()) return {};
    TWinControl& button = request.Button;
    const ParentBackground background = binding.GetParentFace();
    binding.PrepareFace();
    TBitmap& face = *binding.FaceBitmap();
    TWinControl* parent = button.Parent();

    SetParentFillColor(clFuchsia);
    if (!background.Ready && parent) {
        SetParentKeyColor(ColorToRGB(parent->Color()));
        SetParentFillColor(ColorToRGB(parent->Color()));
    } else if (background.Ready && parent && !binding.BgIsPatterned() && !IsKnownColor(ParentFillColor())) {
        QuerySkinCommand(parent, cmdGetBgColor);
    }

    TsSkinManager* manager = binding.SkinManager();
    const TsSkinModel& model = manager->Model();
    const int sectionIndex = binding.SectionIndex();
    const TRect whole{0, 0, button.Width(), button.Height()};
    const TColor custom = binding.CustomColor() ? ColorToRGB(button.Color()) : clFuchsia;
    PaintLayers(sectionIndex, model.GeneralData[std::size_t(sectionIndex)].ClassName, background, custom,
                binding.HotPatternIndex(), binding.PatternIndex(), manager, face,
                {button.Left(), button.Top()}, whole, request.State);

    const int maskIndex = binding.BorderMaskIndex();
    if (maskIndex >= 0 && std::size_t(maskIndex) < model.MaskData.size())
        DrawButtonMask(face, request.Region, FillCentre::Yes, request.State,
                       model.MaskData[std::size_t(maskIndex)]);

    const TRect captionRect = DrawCaption(request, face);

    if (!button.Enabled()) {
        const ParentBackground again = binding.GetParentFace();
        SetParentFillColor(clFuchsia);
        ApplyDisabledLook(face, request.DisabledKind, parent, {button.Left(), button.Top()}, again);
    }
    ResetParentColors();
    binding.SetFaceStale(false);
    return captionRect;
}
