#include "platform/text/TFontLibrary.h"

#include <strings.h>

#include <map>
#include <optional>
#include <vector>

#include "platform/text/TFaceCache.h"
#include "platform/text/freetype/TFontFinder.h"
#include "platform/text/freetype/TFreeTypeFace.h"

namespace {

// Used when nothing fontconfig finds opens; it covers Latin and Cyrillic.
constexpr const char* FallbackPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int DefaultHeight = -11;

bool IsSystemFamily(const std::string& family) {
    return strcasecmp(family.c_str(), TFontLibrary::SystemFamily) == 0;
}

} // namespace

// Family names resolved through fontconfig, FreeType faces opened from the files it finds.
struct TFontLibrary::TState {
    struct TFontChoice {
        TFontFinder::TFontFile File;
        std::optional<TFontStrike> Strike;
    };
    using TResolveKey = std::tuple<std::string, bool, bool, int>;

    explicit TState(const std::string& fontFolder) : Finder(fontFolder) {
        if (FT_Init_FreeType(&FreeType) != 0) FreeType = nullptr;
    }
    ~TState() {
        Faces.Clear();
        if (FreeType) FT_Done_FreeType(FreeType);
    }

    const TFontChoice& Resolve(const std::string& family, bool bold, bool italic, int height);
    std::optional<TFontStrike> SystemStrike(int height);
    std::unique_ptr<TFontFace> OpenFallback(int height, TFontStyles styles);

    FT_Library FreeType = nullptr;
    TFontFinder Finder;
    // The system font's bitmap file and its strikes, looked up once.
    bool SystemLookedUp = false;
    std::optional<TFontFinder::TFontFile> SystemFile;
    std::vector<TFontStrike> SystemStrikes;
    std::map<TResolveKey, TFontChoice> Resolved;
    TFaceCache Faces;
};

std::string TFontLibrary::DefaultFontFolder() {
    return TFontFinder::DefaultFontFolder;
}

TFontLibrary& TFontLibrary::Instance() {
    static TFontLibrary library(DefaultFontFolder());
    return library;
}

TFontLibrary::TFontLibrary(const std::string& fontFolder) : m_state(std::make_unique<TState>(fontFolder)) {}

TFontLibrary::~TFontLibrary() = default;

std::optional<TFontStrike> TFontLibrary::TState::SystemStrike(int height) {
    if (!SystemLookedUp) {
        SystemLookedUp = true;
        SystemFile = Finder.BitmapFont(SystemFamily);
        if (SystemFile && FreeType)
            SystemStrikes = TFreeTypeFace::Strikes(FreeType, SystemFile->Path, SystemFile->Index);
    }
    if (height == 0) height = DefaultHeight;
    for (const TFontStrike& strike : SystemStrikes)
        if (height < 0 ? strike.Ascent == -height : strike.Height == height) return strike;
    return std::nullopt;
}

const TFontLibrary::TState::TFontChoice& TFontLibrary::TState::Resolve(const std::string& family, bool bold,
                                                                       bool italic, int height) {
    const bool system = IsSystemFamily(family);
    TResolveKey key{family, bold, italic, system ? height : 0};
    auto found = Resolved.find(key);
    if (found != Resolved.end()) return found->second;
    TFontChoice choice;
    std::optional<TFontFinder::TFontFile> file;
    if (system) {
        if (std::optional<TFontStrike> strike = SystemStrike(height)) {
            file = SystemFile;
            choice.Strike = strike;
        } else {
            file = Finder.MatchExactly(ScalableFamily, bold, italic);
        }
    } else {
        file = Finder.Match(family, bold, italic);
    }
    if (!file) file = Finder.Match(FallbackFamily, bold, italic);
    choice.File = file ? *file : TFontFinder::TFontFile{FallbackPath, 0};
    return Resolved.emplace(key, std::move(choice)).first->second;
}

TFontFace* TFontLibrary::FallbackFace(const TFont& font) {
    TFont fallback = font;
    fallback.SetName(FallbackFamily);
    return Face(fallback);
}

std::unique_ptr<TFontFace> TFontLibrary::TState::OpenFallback(int height, TFontStyles styles) {
    const bool bold = styles.Has(TFontStyle::fsBold);
    const bool italic = styles.Has(TFontStyle::fsItalic);
    std::unique_ptr<TFontFace> face;
    if (std::optional<TFontFinder::TFontFile> file = Finder.Match(FallbackFamily, bold, italic))
        face = TFreeTypeFace::Open(FreeType, file->Path, file->Index, height, styles);
    if (!face) face = TFreeTypeFace::Open(FreeType, FallbackPath, 0, height, styles);
    return face;
}

TFontFace* TFontLibrary::Face(const TFont& font) {
    TState& s = *m_state;
    const TFaceCache::TKey key = TFaceCache::KeyOf(font);
    if (TFontFace* cached = s.Faces.Find(key)) return cached;
    if (!s.FreeType) return nullptr;
    const TState::TFontChoice& choice =
        s.Resolve(font.Name(), std::get<1>(key), std::get<2>(key), font.Height());
    std::unique_ptr<TFontFace> face =
        choice.Strike ? TFreeTypeFace::OpenStrike(s.FreeType, choice.File.Path, choice.File.Index,
                                                  *choice.Strike, font.Style())
                      : TFreeTypeFace::Open(s.FreeType, choice.File.Path, choice.File.Index, font.Height(),
                                            font.Style());
    // The chosen file would not open; the fallback family is the last resort.
    if (!face) face = s.OpenFallback(font.Height(), font.Style());
    if (!face) return nullptr;
    return s.Faces.Add(key, std::move(face));
}
