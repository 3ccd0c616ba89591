#include "platform/text/freetype/TFontFinder.h"

#include <sys/stat.h>

#include <fontconfig/fontconfig.h>

namespace {

// The system's configuration turns bitmap-only fonts away; the system's own font is one, so
// this process accepts that family.
constexpr const char* AcceptSystemFont = R"(<?xml version="1.0"?>
<fontconfig><selectfont><acceptfont><pattern>
<patelt name="family"><string>MS Sans Serif</string></patelt>
</pattern></acceptfont></selectfont></fontconfig>)";

bool IsFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool HasFamily(FcPattern* pattern, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (name && FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
            return true;
    return false;
}

std::optional<TFontFinder::TFontFile> FileOf(FcPattern* pattern) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &path) != FcResultMatch || !path) return std::nullopt;
    TFontFinder::TFontFile file;
    file.Path = reinterpret_cast<const char*>(path);
    int index = 0;
    if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) == FcResultMatch) file.Index = index;
    return file;
}

} // namespace

TFontFinder::TFontFinder(const std::string& fontFolder) {
    m_config = FcInitLoadConfig();
    if (!m_config) return;
    FcConfigParseAndLoadFromMemory(m_config, reinterpret_cast<const FcChar8*>(AcceptSystemFont), FcFalse);
    FcConfigBuildFonts(m_config);
    // fontconfig keeps a cache of the folder's fonts, so only the first start scans it.
    if (IsFolder(fontFolder))
        m_hasFolder = FcConfigAppFontAddDir(m_config, reinterpret_cast<const FcChar8*>(fontFolder.c_str()));
}

TFontFinder::~TFontFinder() {
    if (m_config) FcConfigDestroy(m_config);
}

std::optional<TFontFinder::TFontFile> TFontFinder::MatchPattern(const std::string& family, bool bold,
                                                                bool italic, bool exactFamily) const {
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
    if (!exactFamily || HasFamily(match, family)) file = FileOf(match);
    FcPatternDestroy(match);
    return file;
}

std::optional<TFontFinder::TFontFile> TFontFinder::Match(const std::string& family, bool bold,
                                                         bool italic) const {
    return MatchPattern(family, bold, italic, false);
}

std::optional<TFontFinder::TFontFile> TFontFinder::MatchExactly(const std::string& family, bool bold,
                                                                bool italic) const {
    return MatchPattern(family, bold, italic, true);
}

std::optional<TFontFinder::TFontFile> TFontFinder::BitmapFont(const std::string& family) const {
    if (!m_config) return std::nullopt;
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family.c_str(), FC_SCALABLE,
                                        FcTypeBool, FcFalse, nullptr);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_CHARSET, nullptr);
    FcFontSet* listed = pattern && objects ? FcFontList(m_config, pattern, objects) : nullptr;
    std::optional<TFontFile> best;
    FcChar32 bestCount = 0;
    for (int i = 0; listed && i < listed->nfont; ++i) {
        FcPattern* font = listed->fonts[i];
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch || !charset) continue;
        // The program's captions are Russian; a face of one Western code page will not do.
        if (!FcCharSetHasChar(charset, U'A') || !FcCharSetHasChar(charset, U'Ж')) continue;
        const FcChar32 count = FcCharSetCount(charset);
        if (count <= bestCount) continue;
        if (std::optional<TFontFile> file = FileOf(font)) {
            best = std::move(file);
            bestCount = count;
        }
    }
    if (listed) FcFontSetDestroy(listed);
    if (objects) FcObjectSetDestroy(objects);
    if (pattern) FcPatternDestroy(pattern);
    return best;
}
