#include "platform/text/gdi/TGdiFace.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cwchar>

namespace {

constexpr int MaxPixelHeight = 1000;
constexpr int DefaultHeight = -11;
// GGO_GRAY8_BITMAP gives 65 levels of coverage.
constexpr unsigned GrayLevels = 64;
// Room left of a drawn glyph for a character that reaches behind its pen position.
constexpr int DrawMargin = 2;
// fsSelection bits of a face's own style.
constexpr UINT SelectionItalic = 0x01;
constexpr UINT SelectionBold = 0x20;

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* wide, int length) {
    if (length <= 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(std::max(n, 0)), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

// Appends c as UTF-16; what is no character becomes U+FFFD. Returns the units it took.
int AppendUtf16(std::wstring& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x10000) {
        out.push_back(wchar_t(c));
        return 1;
    }
    c -= 0x10000;
    out.push_back(wchar_t(0xD800 + (c >> 10)));
    out.push_back(wchar_t(0xDC00 + (c & 0x3FF)));
    return 2;
}

} // namespace

static_assert(TGdiFace::DefaultCharSet == DEFAULT_CHARSET && TGdiFace::CyrillicCharSet == RUSSIAN_CHARSET);

std::unique_ptr<TGdiFace> TGdiFace::Open(const std::string& family, int height, TFontStyles styles,
                                         unsigned char charSet) {
    LOGFONTW lf{};
    lf.lfHeight = std::clamp(height == 0 ? DefaultHeight : height, -MaxPixelHeight, MaxPixelHeight);
    lf.lfWeight = styles.Has(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = styles.Has(TFontStyle::fsItalic) ? TRUE : FALSE;
    // Underline and strike-out lines are drawn by the text renderer, as for every face.
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring name = Wide(family);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), lf.lfFaceName);

    std::unique_ptr<TGdiFace> face(new TGdiFace);
    face->m_dc = CreateCompatibleDC(nullptr);
    if (!face->m_dc) return nullptr;
    face->m_font = CreateFontIndirectW(&lf);
    if (!face->m_font) return nullptr;
    face->m_oldFont = SelectObject(face->m_dc, face->m_font);
    if (!face->m_oldFont) return nullptr;
    wchar_t chosen[LF_FACESIZE] = {};
    if (GetTextFaceW(face->m_dc, LF_FACESIZE, chosen) > 0)
        face->m_faceName = Narrow(chosen, int(wcsnlen(chosen, LF_FACESIZE)));
    face->ReadMetrics(styles);
    face->ReadCoverage();
    return face;
}

TGdiFace::~TGdiFace() {
    if (m_dc && m_oldFont) SelectObject(m_dc, m_oldFont);
    if (m_font) DeleteObject(m_font);
    if (m_dc) DeleteDC(m_dc);
}

void TGdiFace::ReadMetrics(TFontStyles styles) {
    TEXTMETRICW tm{};
    if (!GetTextMetricsW(m_dc, &tm)) return;
    m_isStrike = !(tm.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE | TMPF_DEVICE));
    m_charSet = tm.tmCharSet;
    m_overhang = std::max<LONG>(0, tm.tmOverhang);
    TFontMetrics& m = m_metrics;
    m.Ascent = tm.tmAscent;
    m.Descent = tm.tmDescent;
    m.CellHeight = tm.tmHeight;
    m.EmHeight = std::max<LONG>(1, tm.tmHeight - tm.tmInternalLeading);
    m.AveCharWidth = std::max<LONG>(1, tm.tmAveCharWidth);
    m.UnderlineThickness = 1;
    m.UnderlineOffset = std::clamp(m.Descent - 1, 0, 1);
    m.StrikeOutThickness = 1;
    m.StrikeOutOffset = std::max(1, m.Ascent / 3);
    const bool bold = styles.Has(TFontStyle::fsBold);
    const bool italic = styles.Has(TFontStyle::fsItalic);
    const UINT size = m_isStrike ? 0 : GetOutlineTextMetricsW(m_dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW)) {
        // GDI makes up a bitmap font's bold and italic.
        m_synthesis = {bold, italic};
        return;
    }
    std::vector<std::uint8_t> buffer(size);
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (GetOutlineTextMetricsW(m_dc, size, otm) == 0) return;
    m_synthesis.Bold = bold && !(otm->otmfsSelection & SelectionBold);
    m_synthesis.Italic = italic && !(otm->otmfsSelection & SelectionItalic);
    m.UnderlineThickness = std::max(1, int(otm->otmsUnderscoreSize));
    m.UnderlineOffset = std::max(1, -otm->otmsUnderscorePosition - m.UnderlineThickness / 2);
    if (m.UnderlineOffset + m.UnderlineThickness > m.Descent)
        m.UnderlineOffset = std::max(0, m.Descent - m.UnderlineThickness);
    if (otm->otmsStrikeoutSize > 0) {
        m.StrikeOutThickness = std::max(1, int(otm->otmsStrikeoutSize));
        m.StrikeOutOffset = otm->otmsStrikeoutPosition + m.StrikeOutThickness / 2;
    }
}

void TGdiFace::ReadCoverage() {
    const DWORD size = GetFontUnicodeRanges(m_dc, nullptr);
    if (size < sizeof(GLYPHSET)) return;
    std::vector<std::uint8_t> buffer(size);
    auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
    if (GetFontUnicodeRanges(m_dc, set) == 0) return;
    const DWORD count =
        std::min<DWORD>(set->cRanges, DWORD((size - offsetof(GLYPHSET, ranges)) / sizeof(WCRANGE)));
    for (DWORD i = 0; i < count; ++i) {
        const WCRANGE& r = set->ranges[i];
        if (r.cGlyphs > 0) m_ranges.emplace_back(char32_t(r.wcLow), char32_t(r.wcLow) + r.cGlyphs - 1);
    }
    std::sort(m_ranges.begin(), m_ranges.end());
}

bool TGdiFace::HasGlyphFor(char32_t c) const {
    if (c > 0xFFFF) return false;
    if (m_ranges.empty()) {
        const wchar_t unit = wchar_t(c);
        WORD index = 0xFFFF;
        return GetGlyphIndicesW(m_dc, &unit, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
    }
    auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), std::make_pair(c, char32_t(0x10FFFF)));
    return it != m_ranges.begin() && c <= std::prev(it)->second;
}

std::vector<TShapedGlyph> TGdiFace::Shape(std::u32string_view text) {
    std::vector<TShapedGlyph> glyphs;
    if (text.empty()) return glyphs;
    std::wstring wide;
    wide.reserve(text.size());
    std::vector<std::size_t> lastUnit(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        AppendUtf16(wide, text[i]);
        lastUnit[i] = wide.size() - 1;
    }
    // The extent of every prefix, as GDI's own text drawing measures it.
    std::vector<INT> extents(wide.size(), 0);
    SIZE size{};
    if (wide.size() > std::size_t(INT_MAX) ||
        !GetTextExtentExPointW(m_dc, wide.data(), int(wide.size()), 0, nullptr, extents.data(), &size))
        std::fill(extents.begin(), extents.end(), 0);
    glyphs.reserve(text.size());
    int pen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        TShapedGlyph g;
        g.Face = this;
        g.Index = std::uint32_t(text[i]);
        g.Cluster = std::uint32_t(i);
        g.Advance = std::max(0, extents[lastUnit[i]] - pen);
        pen += g.Advance;
        glyphs.push_back(g);
    }
    return glyphs;
}

const TGlyphImage& TGdiFace::Glyph(std::uint32_t index) {
    if (const TGlyphImage* cached = m_glyphs.Find(index)) return *cached;
    const char32_t c = char32_t(index);
    TGlyphImage image;
    const bool outlined = !m_isStrike && OutlineGlyph(c, image);
    if (!outlined) image = DrawnGlyph(c);
    return m_glyphs.Add(index, std::move(image));
}

bool TGdiFace::OutlineGlyph(char32_t c, TGlyphImage& image) const {
    if (c > 0xFFFF) return false;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm{};
    const DWORD size = GetGlyphOutlineW(m_dc, UINT(c), GGO_GRAY8_BITMAP, &gm, 0, nullptr, &identity);
    if (size == GDI_ERROR) return false;
    // A blank has no pixels.
    if (size == 0) return true;
    const std::size_t pitch = (std::size_t(gm.gmBlackBoxX) + 3) & ~std::size_t(3);
    if (pitch * gm.gmBlackBoxY > size) return false;
    std::vector<std::uint8_t> levels(size);
    if (GetGlyphOutlineW(m_dc, UINT(c), GGO_GRAY8_BITMAP, &gm, size, levels.data(), &identity) == GDI_ERROR)
        return false;
    image.Left = gm.gmptGlyphOrigin.x;
    image.Top = gm.gmptGlyphOrigin.y;
    image.Width = int(gm.gmBlackBoxX);
    image.Height = int(gm.gmBlackBoxY);
    image.Coverage.resize(std::size_t(image.Width) * std::size_t(image.Height));
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const unsigned level =
                std::min<unsigned>(levels[std::size_t(y) * pitch + std::size_t(x)], GrayLevels);
            image.Coverage[std::size_t(y) * std::size_t(image.Width) + std::size_t(x)] =
                std::uint8_t((level * 255 + GrayLevels / 2) / GrayLevels);
        }
    return true;
}

TGlyphImage TGdiFace::DrawnGlyph(char32_t c) const {
    TGlyphImage image;
    std::wstring unit;
    AppendUtf16(unit, c);
    SIZE extent{};
    if (!GetTextExtentPoint32W(m_dc, unit.data(), int(unit.size()), &extent)) return image;
    // An italic leans right by up to half its cell.
    const int width = int(extent.cx) + m_overhang + m_metrics.CellHeight / 2 + 2 * DrawMargin;
    const int height = std::max(1, m_metrics.CellHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return image;
    }
    // White text on the section's black.
    HGDIOBJ old = SelectObject(m_dc, bitmap);
    SetTextColor(m_dc, RGB(255, 255, 255));
    SetBkMode(m_dc, TRANSPARENT);
    SetTextAlign(m_dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(m_dc, DrawMargin, 0, 0, nullptr, unit.data(), UINT(unit.size()), nullptr);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    auto coverage = [&](int x, int y) {
        const std::uint8_t* p = pixels + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4;
        return std::max({p[0], p[1], p[2]});
    };
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (coverage(x, y) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right >= 0) {
        image.Left = left - DrawMargin;
        image.Top = m_metrics.Ascent - top;
        image.Width = right - left + 1;
        image.Height = bottom - top + 1;
        image.Coverage.resize(std::size_t(image.Width) * std::size_t(image.Height));
        for (int y = 0; y < image.Height; ++y)
            for (int x = 0; x < image.Width; ++x)
                image.Coverage[std::size_t(y) * std::size_t(image.Width) + std::size_t(x)] =
                    coverage(left + x, top + y);
    }
    SelectObject(m_dc, old);
    DeleteObject(bitmap);
    return image;
}
