#include "controls/FrameGeometry.h"

#include <algorithm>

#include "platform/graphics/SystemMetrics.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/TCustomForm.h"
#include "skin/TsSkinManager.h"

namespace {

constexpr int FallbackButtonSize = 21;
constexpr int OwnButtonCodeBase = 1000;
// Title-button spacing beyond this many pixels either way is held to it: the stored skins use
// 2, and a wider gap would only push the buttons off the title bar.
constexpr int MaxTitleButtonSpace = 32;

bool IsToolWindow(TFormBorderStyle style) {
    return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
}

bool IsSingleOrSizeable(TFormBorderStyle style) {
    return style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
}

const TsMaskData* GlobalImage(const TsSkinManager* manager, const char* key) {
    if (!manager || !manager->SkinData().Ready) return nullptr;
    const int index = manager->FindMaskEntry("GLOBALINFO", key);
    const auto& masks = manager->Model().MaskData;
    return index >= 0 && index < int(masks.size()) ? &masks[std::size_t(index)] : nullptr;
}

// One state cell of an image: width(R) div ImageCount by height(R) div (MaskType + 1).
TSize CellSize(const TsMaskData* image) {
    if (!image) return {FallbackButtonSize, FallbackButtonSize};
    const int count = image->ImageCount < 1 ? 1 : image->ImageCount;
    const int rows = image->MaskType < 0 ? 1 : image->MaskType + 1;
    return {image->R.Width() / count, image->R.Height() / rows};
}

// The skin's spacing of the title buttons (GLOBALINFO's BISPACE), held to a sensible range.
int TitleButtonSpace(const TsSkinManager* manager) {
    if (!manager || !manager->SkinData().Ready) return 0;
    return std::clamp<int>(manager->SkinData().BISpace, -MaxTitleButtonSpace, MaxTitleButtonSpace);
}

} // namespace

TFrameMetrics FrameMetricsOf(const TCustomForm& form) {
    TFrameMetrics metrics;
    const TFormBorderStyle style = form.BorderStyle();
    metrics.HasFrame = style != TFormBorderStyle::bsNone;
    if (!metrics.HasFrame) return metrics;
    // The platform's own sizes: the frame around the client area is the toolkit's.
    metrics.CaptionHeight = form.CaptionHeight();
    metrics.FrameWidth = form.FrameWidth();
    metrics.FrameHeight = style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin
                              ? GetSystemMetrics(SM_CYFRAME)
                              : GetSystemMetrics(SM_CYDLGFRAME);
    return metrics;
}

std::vector<TTitleButtonPlace> LayoutTitleButtons(const TCustomForm& form, const TFrameMetrics& metrics,
                                                  const TsSkinManager* manager, int ownButtons) {
    std::vector<TTitleButtonPlace> buttons;
    if (metrics.CaptionHeight <= 0) return buttons;
    const TBorderIcons icons = form.BorderIcons();
    const TFormBorderStyle style = form.BorderStyle();
    const bool tool = IsToolWindow(style);
    const bool minimised = form.WindowState() == TWindowState::wsMinimized;
    const bool maximised = form.WindowState() == TWindowState::wsMaximized;
    const bool sizeBoxes = IsSingleOrSizeable(style) || minimised;

    std::vector<TTitleButtonPlace> wanted;
    if (icons.Has(TBorderIcon::biSystemMenu))
        wanted.push_back({TTitleButtonKind::Close, -1, {}, tool ? "SICONCLOSE" : "BICONCLOSE"});
    if (icons.Has(TBorderIcon::biMaximize) && sizeBoxes) {
        const char* key = maximised ? (tool ? "SICONNORM" : "BICONNORM") : (tool ? "SICONMAX" : "BICONMAX");
        wanted.push_back({TTitleButtonKind::Maximize, -1, {}, key});
    }
    if (icons.Has(TBorderIcon::biMinimize) && sizeBoxes) {
        const char* key = minimised ? (tool ? "SICONNORM" : "BICONNORM") : (tool ? "SICONMIN" : "BICONMIN");
        wanted.push_back({TTitleButtonKind::Minimize, -1, {}, key});
    }
    if (icons.Has(TBorderIcon::biHelp))
        wanted.push_back({TTitleButtonKind::Help, -1, {}, tool ? "SICONHELP" : "BICONHELP"});
    for (int i = 0; i < ownButtons; ++i)
        wanted.push_back({TTitleButtonKind::Own, i, {}, ""});

    const int space = TitleButtonSpace(manager);
    const TSize closeSize = CellSize(GlobalImage(manager, tool ? "SICONCLOSE" : "BICONCLOSE"));
    const int height = closeSize.Height;
    const int top = (metrics.TitleBand() - height) / 2;
    // The first button stays on the title bar, inside the window, whatever the spacing.
    int right = std::clamp(form.Width() - metrics.FrameWidth - space, std::min(form.Width(), closeSize.Width),
                           std::max(form.Width(), 0));
    for (TTitleButtonPlace& button : wanted) {
        const TsMaskData* image =
            button.Kind == TTitleButtonKind::Own ? nullptr : GlobalImage(manager, button.ImageKey);
        const int width = image ? CellSize(image).Width : closeSize.Width;
        button.Rect = {right - width, top, right, top + height};
        right = button.Rect.Left - space;
        buttons.push_back(button);
    }
    return buttons;
}

int HitCodeOf(const TTitleButtonPlace& button) {
    switch (button.Kind) {
    case TTitleButtonKind::Close:
        return HTCLOSE;
    case TTitleButtonKind::Maximize:
        return HTMAXBUTTON;
    case TTitleButtonKind::Minimize:
        return HTMINBUTTON;
    case TTitleButtonKind::Help:
        return HTHELP;
    case TTitleButtonKind::Own:
        return OwnButtonCodeBase + button.OwnIndex;
    }
    return HTCAPTION;
}

int TitleHitCode(const TCustomForm& form, const TFrameMetrics& metrics,
                 const std::vector<TTitleButtonPlace>& buttons, TPoint point, int iconWidth,
                 const std::vector<bool>& ownEnabled) {
    if (metrics.CaptionHeight <= 0 || point.Y < 0 || point.Y >= metrics.TitleBand() || point.X < 0 ||
        point.X >= form.Width())
        return HTNOWHERE;
    if (iconWidth > 0 && point.X >= metrics.FrameWidth && point.X < metrics.FrameWidth + iconWidth)
        return HTSYSMENU;
    for (const TTitleButtonPlace& button : buttons) {
        if (!button.Rect.Contains(point)) continue;
        if (button.Kind == TTitleButtonKind::Maximize && !form.BorderIcons().Has(TBorderIcon::biMaximize))
            return HTCAPTION;
        if (button.Kind == TTitleButtonKind::Own) {
            const auto index = std::size_t(button.OwnIndex);
            if (index >= ownEnabled.size() || !ownEnabled[index]) return HTCAPTION;
        }
        return HitCodeOf(button);
    }
    return HTCAPTION;
}
