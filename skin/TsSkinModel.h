#pragma once

#include <string_view>

#include "platform/graphics/TBitmap.h"
#include "skin/SkinRecords.h"

// One loaded skin: the master bitmap, the section records, the mask entries, the external
// images, the skin data and the common index cache, with the lookups controls use.
// Indexes are 0-based positions in the arrays; -1 means absent. The loader fills a model;
// a skin manager owns one.
class TsSkinModel {
public:
    TBitmap MasterBitmap; // 24 bits per pixel; fuchsia pixels are transparent
    TsGeneralDataArray GeneralData;
    TsMaskArray MaskData;
    TsPatternArray PatternData;
    TsSkinData SkinData;
    TsCommonIndexes CommonIndexes;

    // Releases the images, mask entries, master bitmap and section records.
    void ClearImagesAndSections();

    // The first section record named exactly so; -1 when there is none.
    int GetSkinIndex(std::string_view sectionName) const;
    // The first mask entry of the section and key, following the PARENTCLASS chain of the
    // section records (a chain that comes back to a section it passed ends the search).
    int GetMaskIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
    // As GetMaskIndex, counting only textures.
    int GetTextureIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
    // As GetMaskIndex, over the external images.
    int GetExternalImageIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
    // The first mask entry of the section and key; no inheritance.
    int FindMaskEntry(std::string_view sectionName, std::string_view key) const;

    // Border widths of a mask entry: its own width when above 0, else its BorderWidth when
    // above 0, else a third of one state image (left, right) or of one row (top, bottom).
    // 0 for an invalid index.
    int MaskWidthLeft(int maskIndex) const;
    int MaskWidthTop(int maskIndex) const;
    int MaskWidthRight(int maskIndex) const;
    int MaskWidthBottom(int maskIndex) const;
    // The size of one state image of the entry; (0, 0) for an invalid index.
    TPoint GetMaskSize(int maskIndex) const;

    // GLOBALINFO's fill colour as RGB (the system button face without it).
    TColor GlobalColor() const;
    // GLOBALINFO's text colour as RGB (fuchsia, the unknown colour, without it).
    TColor GlobalFontColor() const;
    // GLOBALINFO's hot colour as RGB (the system window colour without it).
    TColor GlobalHotColor() const;

    // Fills the common index cache from the arrays; every index is -1 without a skin.
    void RebuildCommonIndexes();

private:
    enum class MaskFilter { Any, Texture };
    int FindMask(int sectionIndex, std::string_view sectionName, std::string_view key,
                 MaskFilter filter) const;
    const TsGeneralData* GlobalInfo() const;
};
