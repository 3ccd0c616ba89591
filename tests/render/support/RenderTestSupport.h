#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "platform/graphics/TBitmap.h"
#include "skin/SkinRecords.h"
#include "skin/TsSkinManager.h"

namespace rendertest {

TBitmap Solid(int width, int height, TColor colour, TPixelFormat format = TPixelFormat::pf24bit);
// A bitmap of random bytes.
TBitmap Noise(int width, int height, std::mt19937& random, TPixelFormat format = TPixelFormat::pf24bit);
// Fills a rectangle of the bitmap with one colour.
void FillArea(TBitmap& bitmap, const TRect& rect, TColor colour);

// The channels of a colour in bitmap byte order (blue, green, red).
inline int Blue(TColor c) {
    return GetBValue(c);
}
inline int Green(TColor c) {
    return GetGValue(c);
}
inline int Red(TColor c) {
    return GetRValue(c);
}

// The mask blend of one channel as the skin's rule states it.
int MaskBlendRule(int dst, int s, int a);
// Applies the mask blend rule to every channel.
TColor MaskBlendColour(TColor dst, TColor s, TColor a);

// A manager (not active, not the default) whose model the test fills by hand.
class TTestSkin {
public:
    TTestSkin();
    ~TTestSkin();
    TsSkinManager& Manager() { return *m_manager; }
    TsSkinModel& Model() { return m_manager->Model(); }
    // Appends a section record and returns its index.
    int AddSection(const TsGeneralData& section);
    // Appends a mask entry (its manager set to this one) and returns its index.
    int AddMask(TsMaskData entry);
    TsMaskData& Mask(int index) { return Model().MaskData[std::size_t(index)]; }

private:
    std::unique_ptr<TsSkinManager> m_manager;
};

// A section record named so, with the colour.
TsGeneralData Section(const std::string& name, TColor colour);

// A mask entry over the rectangle of the master bitmap.
TsMaskData MaskEntry(const std::string& section, const std::string& key, const TRect& r, int imageCount,
                     int maskType, int drawMode, int wl, int wt, int wr, int wb);

} // namespace rendertest
