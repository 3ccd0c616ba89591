#pragma once

#include <string>
#include <string_view>

struct HDC__;

// What GDI itself reports for the font selected into a device context, asked apart from the
// code under test.
namespace GdiReference {

// The sum of the characters' widths (GetCharWidth32W).
int CharWidthSum(HDC__* dc, std::u32string_view text);
// The face name GDI chose (GetTextFaceW), in UTF-8.
std::string TextFace(HDC__* dc);
// Whether the font is a bitmap font: neither TrueType nor vector.
bool IsBitmapFont(HDC__* dc);

} // namespace GdiReference
