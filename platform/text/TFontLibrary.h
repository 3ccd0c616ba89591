#pragma once

#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/text/TFont.h"
#include "platform/text/TFontFace.h"
#include "platform/text/TFontFinder.h"

// The process's fonts: family names resolved through fontconfig, FreeType faces opened per
// name, style and height, kept in a small least-recently-used cache. Every use of the
// library or of a face it returns must hold Mutex().
//
// "MS Sans Serif", the system's own font, is a bitmap font: a height one of its strikes
// serves is drawn from that strike, any other height from the scalable "Tahoma" (its bold
// face for bold), and "DejaVu Sans" is the last fallback of every family.
class TFontLibrary {
public:
    static constexpr const char* SystemFamily = "MS Sans Serif";
    static constexpr const char* ScalableFamily = "Tahoma";
    static constexpr const char* FallbackFamily = "DejaVu Sans";

    // The library of the process, finding fonts in TFontFinder::DefaultFontFolder besides
    // the system's.
    static TFontLibrary& Instance();
    // A library of its own whose extra font folder is fontFolder.
    explicit TFontLibrary(const std::string& fontFolder);
    ~TFontLibrary();
    TFontLibrary(const TFontLibrary&) = delete;
    TFontLibrary& operator=(const TFontLibrary&) = delete;

    std::mutex& Mutex() { return m_mutex; }
    // The face for a font, or nullptr when no usable font is installed at all. The face
    // stays valid until the next call (the cache may drop it then).
    TFontFace* Face(const TFont& font);
    // The face of the fallback family at the font's height and style, for characters the
    // font's own face lacks. Keeps the face last returned by Face valid.
    TFontFace* FallbackFace(const TFont& font);

private:
    struct TFontChoice {
        TFontFinder::TFontFile File;
        std::optional<TFontStrike> Strike;
    };
    using TResolveKey = std::tuple<std::string, bool, bool, int>;
    using TFaceKey = std::tuple<std::string, bool, bool, int>;
    struct TCachedFace {
        TFaceKey Key;
        std::unique_ptr<TFontFace> Face;
    };

    const TFontChoice& Resolve(const std::string& family, bool bold, bool italic, int height);
    std::optional<TFontStrike> SystemStrike(int height);
    std::unique_ptr<TFontFace> OpenFallback(int height, TFontStyles styles);

    std::mutex m_mutex;
    FT_Library m_freetype = nullptr;
    TFontFinder m_finder;
    // The system font's bitmap file and its strikes, looked up once.
    bool m_systemLookedUp = false;
    std::optional<TFontFinder::TFontFile> m_systemFile;
    std::vector<TFontStrike> m_systemStrikes;
    std::map<TResolveKey, TFontChoice> m_resolved;
    std::list<TCachedFace> m_faces; // most recently used first
};
