#include "GdiReference.h"

#include <windows.h>

namespace GdiReference {

int CharWidthSum(HDC__* dc, std::u32string_view text) {
    int sum = 0;
    for (char32_t c : text) {
        INT width = 0;
        if (c < 0x10000 && GetCharWidth32W(dc, UINT(c), UINT(c), &width)) sum += width;
    }
    return sum;
}

std::string TextFace(HDC__* dc) {
    wchar_t name[LF_FACESIZE] = {};
    if (GetTextFaceW(dc, LF_FACESIZE, name) <= 0) return {};
    std::string utf8;
    for (const wchar_t* p = name; *p && p < name + LF_FACESIZE; ++p)
        utf8.push_back(*p < 0x80 ? char(*p) : '?');
    return utf8;
}

bool IsBitmapFont(HDC__* dc) {
    TEXTMETRICW tm{};
    return GetTextMetricsW(dc, &tm) && !(tm.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE));
}

} // namespace GdiReference
