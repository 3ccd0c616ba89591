#pragma once

#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>

#include "platform/text/TFont.h"
#include "platform/text/TFontFace.h"

// The process's fonts: family names resolved through fontconfig, FreeType faces opened per
// name, style and height, kept in a small least-recently-used cache. Every use of the
// library or of a face it returns must hold Mutex().
class TFontLibrary {
public:
    static TFontLibrary& Instance();
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
    struct TFontFile {
        std::string Path;
        int Index = 0;
    };
    using TResolveKey = std::tuple<std::string, bool, bool>;
    using TFaceKey = std::tuple<std::string, bool, bool, int>;
    struct TCachedFace {
        TFaceKey Key;
        std::unique_ptr<TFontFace> Face;
    };

    TFontLibrary();
    std::optional<TFontFile> Match(const std::string& family, bool bold, bool italic);
    const std::optional<TFontFile>& Resolve(const std::string& family, bool bold, bool italic);

    std::mutex m_mutex;
    FT_Library m_freetype = nullptr;
    struct _FcConfig* m_config = nullptr;
    std::map<TResolveKey, std::optional<TFontFile>> m_resolved;
    std::list<TCachedFace> m_faces; // most recently used first
};
