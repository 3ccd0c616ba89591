#include "render/support/RenderTestSupport.h"

#include "skin/SkinProcessState.h"

namespace rendertest {

TBitmap Solid(int width, int height, TColor colour, TPixelFormat format) {
    TBitmap b(width, height, format);
    b.Fill(colour);
    return b;
}

TBitmap Noise(int width, int height, std::mt19937& random, TPixelFormat format) {
    TBitmap b(width, height, format);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * b.BytesPerPixel(); ++x)
            b.ScanLine(y)[x] = std::uint8_t(byte(random));
    return b;
}

void FillArea(TBitmap& bitmap, const TRect& rect, TColor colour) {
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            bitmap.SetPixel(x, y, colour);
}

int MaskBlendRule(int dst, int s, int a) {
    const int v = ((dst - s) * a + s * 256) >> 8;
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

TColor MaskBlendColour(TColor dst, TColor s, TColor a) {
    return MakeColor(std::uint8_t(MaskBlendRule(Red(dst), Red(s), Red(a))),
                     std::uint8_t(MaskBlendRule(Green(dst), Green(s), Green(a))),
                     std::uint8_t(MaskBlendRule(Blue(dst), Blue(s), Blue(a))));
}

TTestSkin::TTestSkin() {
    TsSkinManager* previousDefault = DefaultManager();
    m_manager = std::make_unique<TsSkinManager>(nullptr);
    m_manager->SetActive(false);
    SetDefaultManager(previousDefault);
}

TTestSkin::~TTestSkin() = default;

int TTestSkin::AddSection(const TsGeneralData& section) {
    Model().GeneralData.push_back(section);
    return int(Model().GeneralData.size()) - 1;
}

int TTestSkin::AddMask(TsMaskData entry) {
    entry.Manager = m_manager.get();
    Model().MaskData.push_back(std::move(entry));
    return int(Model().MaskData.size()) - 1;
}

TsGeneralData Section(const std::string& name, TColor colour) {
    TsGeneralData s;
    s.ClassName = name;
    s.Color = colour;
    s.HotColor = colour;
    return s;
}

TsMaskData MaskEntry(const std::string& section, const std::string& key, const TRect& r, int imageCount,
                     int maskType, int drawMode, int wl, int wt, int wr, int wb) {
    TsMaskData e;
    e.ClassName = section;
    e.PropertyName = key;
    e.R = r;
    e.ImageCount = std::int16_t(imageCount);
    e.MaskType = std::int16_t(maskType);
    e.DrawMode = std::int16_t(drawMode);
    e.WL = std::int16_t(wl);
    e.WT = std::int16_t(wt);
    e.WR = std::int16_t(wr);
    e.WB = std::int16_t(wb);
    return e;
}

} // namespace rendertest
