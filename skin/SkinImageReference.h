#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/Geometry.h"
#include "skin/SkinRecords.h"

// The value forms of the options text that name an image region.
enum class TsImageForm {
    None,       // any other value: no mask entry
    Glyph,      // "@LLLL@TTTT@RRRR@BBBB@N@M"
    Border,     // "^LLLL^TTTT^RRRR^BBBB^wwww^xxxx^yyyy^zzzz^N^M^D^W"
    Texture,    // "~LLLL~TTTT~RRRR~BBBB~DD" and optionally "~M"
    OwnBitmap,  // "!FILE.BMP!N!M!T" and optionally "!WL!WT!WR!WB"
    BitmapFile, // a value without "#" naming a ".BMP" file
    Hash,       // "#..." with "(L,T,R,B)" and "(N,M[,W[,D]])"
};

// A parsed image reference, before its image is looked up. The numbers are exactly as
// written; NormaliseMask turns them into a valid mask entry.
struct TsImageReference {
    TsImageForm Form = TsImageForm::None;
    std::string FileName; // OwnBitmap and BitmapFile: the file to read
    TRect R;
    int ImageCount = 1;
    int MaskType = 0;
    int BorderWidth = 0;
    int DrawMode = 0;
    int ImageType = 0; // OwnBitmap: the T word as written
    TacImgType ImgType = TacImgType::itisaBorder;
    int WL = 0, WT = 0, WR = 0, WB = 0;
    bool ExplicitWidths = false; // OwnBitmap with eight words, Border with any width set
};

// Reads a value of the options text under the key. Numbers that the form needs and that are
// not decimal numbers raise EConvertError.
TsImageReference ParseImageReference(std::string_view value, std::string_view key);

// True for a "!" reference whose image type lies outside 0..2; such a reference makes no
// entry, as its meaning is unknown.
bool HasInvalidImageType(const TsImageReference& reference);

// The mask entry the reference describes, with R set from `imageBounds` for the forms that
// take the whole image. ImageCount is raised to at least 1 and MaskType to at least 0 (a
// state count of 0 would leave the state width undefined); all numbers are limited to the
// 16-bit range of the record; default border widths are filled in where the form asks.
TsMaskData MakeMaskEntry(const TsImageReference& reference, const TRect& imageBounds);

// When BorderWidth is set all four widths take it, else a third of one state image across
// and a third of one row down.
void ApplyDefaultWidths(TsMaskData& mask);
