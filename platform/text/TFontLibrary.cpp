#include "platform/text/TFontLibrary.h"

#include <strings.h>

namespace {

constexpr std::size_t MaxCachedFaces = 32;
// Used when nothing fontconfig finds opens; it covers Latin and Cyrillic.
constexpr const char* FallbackPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int DefaultHeight = -11;

bool IsSystemFamily(const std::string& family) {
    return strcasecmp(family.c_str(), TFontLibrary::SystemFamily) == 0;
}

} // namespace

TFontLibrary& TFontLibrary::Instance() {
    static TFontLibrary library(TFontFinder::DefaultFontFolder);
    return library;
}

TFontLibrary::TFontLibrary(const std::string& fontFolder) : m_finder(fontFolder) {
    if (FT_Init_FreeType(&m_freetype) != 0) m_freetype = nullptr;
}

TFontLibrary::~TFontLibrary() {
    m_faces.clear();
    if (m_freetype) FT_Done_FreeType(m_freetype);
}

std::optional<TFontStrike> TFontLibrary::SystemStrike(int height) {
    if (!m_systemLookedUp) {
        m_systemLookedUp = true;
        m_systemFile = m_finder.BitmapFont(SystemFamily);
        if (m_systemFile && m_freetype)
            m_systemStrikes = TFontFace::Strikes(m_freetype, m_systemFile->Path, m_systemFile->Index);
    }
    if (height == 0) height = DefaultHeight;
    for (const TFontStrike& strike : m_systemStrikes)
        if (height < 0 ? strike.Ascent == -height : strike.Height == height) return strike;
    return std::nullopt;
}

const TFontLibrary::TFontChoice& TFontLibrary::Resolve(const std::string& family, bool bold, bool italic,
                                                       int height) {
    const bool system = IsSystemFamily(family);
    TResolveKey key{family, bold, italic, system ? height : 0};
    auto found = m_resolved.find(key);
    if (found != m_resolved.end()) return found->second;
    TFontChoice choice;
    std::optional<TFontFinder::TFontFile> file;
    if (system) {
        if (std::optional<TFontStrike> strike = SystemStrike(height)) {
            file = m_systemFile;
            choice.Strike = strike;
        } else {
            file = m_finder.MatchExactly(ScalableFamily, bold, italic);
        }
    } else {
        file = m_finder.Match(family, bold, italic);
    }
    if (!file) file = m_finder.Match(FallbackFamily, bold, italic);
    choice.File = file ? *file : TFontFinder::TFontFile{FallbackPath, 0};
    return m_resolved.emplace(key, std::move(choice)).first->second;
}

TFontFace* TFontLibrary::FallbackFace(const TFont& font) {
    TFont fallback = font;
    fallback.SetName(FallbackFamily);
    return Face(fallback);
}

std::unique_ptr<TFontFace> TFontLibrary::OpenFallback(int height, TFontStyles styles) {
    const bool bold = styles.Has(TFontStyle::fsBold);
    const bool italic = styles.Has(TFontStyle::fsItalic);
    std::unique_ptr<TFontFace> face;
    if (std::optional<TFontFinder::TFontFile> file = m_finder.Match(FallbackFamily, bold, italic))
        face = TFontFace::Open(m_freetype, file->Path, file->Index, height, styles);
    if (!face) face = TFontFace::Open(m_freetype, FallbackPath, 0, height, styles);
    return face;
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
    const TFontChoice& choice = Resolve(font.Name(), bold, italic, font.Height());
    std::unique_ptr<TFontFace> face =
        choice.Strike
            ? TFontFace::OpenStrike(m_freetype, choice.File.Path, choice.File.Index, *choice.Strike,
                                    font.Style())
            : TFontFace::Open(m_freetype, choice.File.Path, choice.File.Index, font.Height(), font.Style());
    // The chosen file would not open; the fallback family is the last resort.
    if (!face) face = OpenFallback(font.Height(), font.Style());
    if (!face) return nullptr;
    m_faces.push_front({key, std::move(face)});
    if (m_faces.size() > MaxCachedFaces) m_faces.pop_back();
    return m_faces.front().Face.get();
}
