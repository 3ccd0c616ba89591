#pragma once

#include <optional>
#include <string>

struct _FcConfig;

// Finds font files through fontconfig for this process only: the system's fonts plus one
// extra folder of the program's own fonts (Wine's, where "MS Sans Serif" and "Tahoma" live),
// added to the process's configuration, never to the system's.
class TFontFinder {
public:
    // Where Debian's fonts-wine puts its fonts.
    static constexpr const char* DefaultFontFolder = "/usr/share/wine/fonts";

    struct TFontFile {
        std::string Path;
        int Index = 0;
    };

    // A missing or unreadable folder is left out; the system's fonts are still found.
    explicit TFontFinder(const std::string& fontFolder = DefaultFontFolder);
    ~TFontFinder();
    TFontFinder(const TFontFinder&) = delete;
    TFontFinder& operator=(const TFontFinder&) = delete;

    // Whether the extra folder was added.
    bool HasFontFolder() const { return m_hasFolder; }
    // fontconfig's best match for the family, which may be a substitute of another family.
    std::optional<TFontFile> Match(const std::string& family, bool bold, bool italic) const;
    // Only a scalable face of exactly this family, never a substitute.
    std::optional<TFontFile> MatchExactly(const std::string& family, bool bold, bool italic) const;
    // The bitmap-only file of the family that covers most characters among those holding both
    // Latin and Cyrillic letters, or nothing.
    std::optional<TFontFile> BitmapFont(const std::string& family) const;

private:
    std::optional<TFontFile> MatchPattern(const std::string& family, bool bold, bool italic,
                                          bool exactFamily) const;

    _FcConfig* m_config = nullptr;
    bool m_hasFolder = false;
};
