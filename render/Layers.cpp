#include "render/Layers.h"

#include <algorithm>

#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "render/Blend.h"
#include "render/Gradient.h"
#include "render/ParentColors.h"
#include "render/PixelRows.h"
#include "render/Textures.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

// The values one state paints with; percentages held in 0..100.
struct TLayerValues {
    TColor Colour = 0;
    int Image = 0;
    int Gradient = 0;
    int Transparency = 0;
    const TsGradArray* GradientArray = nullptr;
    const std::string* GradientText = nullptr;
};

int Percent(std::int32_t value) {
    return std::clamp<std::int32_t>(value, 0, 100);
}

TLayerValues ChooseValues(const TsGeneralData& section, TColor customColor, bool hot) {
    TLayerValues v;
    v.GradientArray = hot ? &section.HotGradientArray : &section.GradientArray;
    v.GradientText = hot ? &section.HotGradientData : &section.GradientData;
    if (IsKnownColor(customColor)) {
        v.Colour = ColorToRGB(customColor);
        return v;
    }
    v.Colour = ColorToRGB(hot ? section.HotColor : section.Color);
    v.Image = Percent(hot ? section.HotImagePercent : section.ImagePercent);
    v.Gradient = Percent(hot ? section.HotGradientPercent : section.GradientPercent);
    v.Transparency = Percent(hot ? section.HotTransparency : section.Transparency);
    return v;
}

struct TTexture {
    const TsMaskData* Mask = nullptr;
    const TBitmap* Image = nullptr; // an external JPEG texture
    bool Found() const { return Mask || Image; }
};

const TsMaskData* MaskAt(const TsSkinModel& model, int index) {
    return index >= 0 && index < int(model.MaskData.size()) ? &model.MaskData[std::size_t(index)] : nullptr;
}

// A given texture of mask type 0 is used as it is; without one the section's (inherited)
// PATTERN entry is, whatever its mask type; failing both, the section's external image.
TTexture ChooseTexture(const TsSkinModel& model, int sectionIndex, std::string_view name, int given,
                       bool hot) {
    const std::string_view key = hot ? "HOTPATTERN" : "PATTERN";
    TTexture t;
    if (given >= 0) {
        const TsMaskData* entry = MaskAt(model, given);
        if (entry && entry->MaskType == 0) t.Mask = entry;
    } else {
        t.Mask = MaskAt(model, model.GetMaskIndex(sectionIndex, name, key));
    }
    if (t.Mask) return t;
    const int external = model.GetExternalImageIndex(sectionIndex, name, key);
    if (external >= 0 && external < int(model.PatternData.size()))
        t.Image = model.PatternData[std::size_t(external)].Img.get();
    return t;
}

void FillRect(TBitmap& target, const TRect& rect, TColor colour) {
    const TRect r = rect.Intersect(target.BoundsRect());
    for (int y = r.Top; y < r.Bottom; ++y)
        PixelRows::FillRow(target.ScanLine(y) + std::ptrdiff_t(r.Left) * 3, colour, r.Width());
}

// The gradient, or a plain fill with the colour when the description is empty text.
void PaintGradientLayer(TBitmap& target, const TRect& rect, const TLayerValues& v) {
    if (v.GradientText->empty())
        FillRect(target, rect, v.Colour);
    else
        PaintGradient(target, rect, *v.GradientArray);
}

// The gradient (or the plain colour) blended over the texture already in q by the image
// share. The gradient is painted a band of rows at a time into a small bitmap that is blended
// at once, so a full-screen face needs no full-screen copy of its gradient; only the
// four-corner kind, whose triangles are drawn whole, takes one bitmap of q's size.
void BlendGradientOverTexture(TBitmap& target, const TRect& q, const TLayerValues& v) {
    const TBlendAlpha alpha = TBlendAlpha::All(PercentToAlpha(v.Image));
    const bool plain = v.GradientText->empty();
    if (!plain && !PaintsGradientRows(*v.GradientArray)) {
        TBitmap gradient(q.Width(), q.Height());
        PaintGradientLayer(gradient, gradient.BoundsRect(), v);
        BlendBitmaps(target, gradient, alpha, q.TopLeft(), gradient.BoundsRect());
        return;
    }
    constexpr int BandRows = 32;
    TBitmap band(q.Width(), std::min(BandRows, q.Height()));
    if (plain) FillRect(band, band.BoundsRect(), v.Colour);
    for (int first = 0; first < q.Height(); first += band.Height()) {
        const int rows = std::min(band.Height(), q.Height() - first);
        if (!plain) PaintGradientRows(band, {q.Width(), q.Height()}, first, *v.GradientArray);
        BlendBitmaps(target, band, alpha, {q.Left, q.Top + first}, {0, 0, q.Width(), rows});
    }
}

// The item's own layers over q. The background maps target pixels to parent pixels.
void PaintOwnLayers(TBitmap& target, const TRect& q, const TLayerValues& v, const TTexture& texture,
                    const ParentBackground& background) {
    const bool textured = v.Image > 0 && texture.Found();
    if (textured) {
        if (texture.Image)
            DrawImageTexture(target, q, *texture.Image);
        else
            DrawMaskTexture(target, q, *texture.Mask, v.Colour, background);
    }
    if (v.Gradient > 0) {
        if (textured) {
            BlendGradientOverTexture(target, q, v);
        } else {
            PaintGradientLayer(target, q, v);
        }
    }
    const int shares = v.Image + v.Gradient;
    if (shares == 0) {
        const bool parentColour = v.Transparency != 0 && IsKnownColor(ParentFillColor());
        FillRect(target, q, parentColour ? ParentFillColor() : v.Colour);
    } else if (shares <= 99) {
        BlendWithColor(target, q, shares, v.Colour);
    }
}

// The parent's background behind q: its plain colour when known, else its face.
void PutParentBackground(TBitmap& target, const TRect& q, const ParentBackground& background) {
    if (background.Bitmap == &target) return;
    if (IsKnownColor(ParentFillColor()))
        FillRect(target, q, ParentFillColor());
    else
        CopyParentBackground(target, q, background);
}

} // namespace

void PaintLayers(int sectionIndex, std::string_view sectionName, const ParentBackground& background,
                 TColor customColor, int hotTextureIndex, int textureIndex, TsSkinManager* manager,
                 TBitmap& target, TPoint position, const TRect& rect, int state) {
    if (!manager) manager = DefaultManager();
    if (!manager) return;
    const TsSkinModel& model = manager->Model();
    if (sectionIndex < 0 || sectionIndex >= int(model.GeneralData.size())) return;
    if (target.PixelFormat() != TPixelFormat::pf24bit || target.Width() < 2 || target.Height() < 2) return;
    const TRect q = rect.Intersect(target.BoundsRect());
    if (q.IsEmpty()) return;

    const TsGeneralData& section = model.GeneralData[std::size_t(sectionIndex)];
    const bool hot = state != 0;
    const TLayerValues v = ChooseValues(section, customColor, hot);
    TTexture texture;
    if (v.Image > 0)
        texture = ChooseTexture(model, sectionIndex, sectionName, hot ? hotTextureIndex : textureIndex, hot);

    // Target pixel (x, y) has the parent pixel (OffsetX + Left + x, OffsetY + Top + y) behind it.
    ParentBackground behind = background;
    behind.OffsetX += position.X;
    behind.OffsetY += position.Y;

    if (background.Ready && v.Transparency == 100) {
        PutParentBackground(target, q, behind);
    } else if (background.Ready && v.Transparency > 0) {
        TBitmap own(q.Width(), q.Height());
        ParentBackground behindOwn = behind;
        behindOwn.OffsetX += q.Left;
        behindOwn.OffsetY += q.Top;
        PaintOwnLayers(own, own.BoundsRect(), v, texture, behindOwn);
        PutParentBackground(target, q, behind);
        BlendBitmaps(target, own, TBlendAlpha::All(PercentToAlpha(v.Transparency)), q.TopLeft(),
                     own.BoundsRect());
    } else {
        PaintOwnLayers(target, q, v, texture, behind);
    }

    if (state != 0) return;
    const TsMaskData* again = MaskAt(model, textureIndex);
    if (!again || again->MaskType == 0) again = MaskAt(model, hotTextureIndex);
    if (again && again->MaskType >= 1 && again->DrawMode == 10)
        DrawMaskedTextureWholeTiles(target, q, *again, behind);
}
