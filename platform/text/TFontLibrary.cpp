#include "platform/text/TFontLibrary.h"

#include <fontconfig/fontconfig.h>

namespace {

constexpr std::size_t MaxCachedFaces = 32;
// Used when a family resolves to nothing that opens; it covers Latin and Cyrillic.
constexpr const char* FallbackFamily = "DejaVu Sans";
constexpr const char* FallbackPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

} // namespace

TFontLibrary& TFontLibrary::Instance() {
    static TFontLibrary library;
    return library;
}

TFontLibrary::TFontLibrary() {
    if (FT_Init_FreeType(&m_freetype) != 0) m_freetype = nullptr;
    m_config = FcInitLoadConfigAndFonts();
}

TFontLibrary::~TFontLibrary() {
    m_faces.clear();
    if (m_freetype) FT_Done_FreeType(m_freetype);
    if (m_config) FcConfigDestroy(m_config);
}

std::optional<TFontLibrary::TFontFile> TFontLibrary::Match(const std::string& family, bool bold,
                                                           bool italic) {
    if (!m_config) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(m_config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(m_config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;
    std::optional<TFontFile> file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        file.emplace();
        file->Path = reinterpret_cast<const char*>(path);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) file->Index = index;
    }
    FcPatternDestroy(match);
    return file;
}

const std::optional<TFontLibrary::TFontFile>& TFontLibrary::Resolve(const std::string& family, bool bold,
                                                                    bool italic) {
    TResolveKey key{family, bold, italic};
    auto found = m_resolved.find(key);
    if (found != m_resolved.end()) return found->second;
    std::optional<TFontFile> file = Match(family, bold, italic);
    if (!file) file = Match(FallbackFamily, bold, italic);
    if (!file) file = TFontFile{FallbackPath, 0};
    return m_resolved.emplace(key, std::move(file)).first->second;
}

TFontFace* TFontLibrary::FallbackFace(const TFont& font) {
    TFont fallback = font;
    fallback.SetName(FallbackFamily);
    return Face(fallback);
}

TFontFace* TFontLibrary::Face(const TFont& font) {
    const bool bold = font.Style().Has(TFontStyle::fsBold);
    const bool italic = font.Style().Has(TFontStyle::fsItalic);
    TFaceKey key{font.Name(), bold, italic, font.Height()};
    for (auto it = m_faces.begin(); it != m_faces.end(); ++it) {
        if (it->Key == key) {
            if (it != m_faces.begin()) m_faces.splice(m_faces.begin(), m_faces, it);
            return m_faces.front().Face.get();
        }
    }
    if (!m_freetype) return nullptr;
    std::unique_ptr<TFontFace> face;
    const std::optional<TFontFile>& file = Resolve(font.Name(), bold, italic);
    if (file) face = TFontFace::Open(m_freetype, file->Path, file->Index, font.Height(), font.Style());
    if (!face) {
        // The matched file would not open; try the fallback family before giving up.
        std::optional<TFontFile> fallback = Match(FallbackFamily, bold, italic);
        if (fallback)
            face = TFontFace::Open(m_freetype, fallback->Path, fallback->Index, font.Height(), font.Style());
        if (!face) face = TFontFace::Open(m_freetype, FallbackPath, 0, font.Height(), font.Style());
    }
    if (!face) return nullptr;
    m_faces.push_front({key, std::move(face)});
    if (m_faces.size() > MaxCachedFaces) m_faces.pop_back();
    return m_faces.front().Face.get();
}
