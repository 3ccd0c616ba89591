#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <tuple>

#include "platform/text/TFont.h"
#include "platform/text/TFontFace.h"

// The faces a font library has opened, by family name, bold, italic and height, the most
// recently used first; the least recently used is dropped beyond a few dozen.
class TFaceCache {
public:
    using TKey = std::tuple<std::string, bool, bool, int>;

    static TKey KeyOf(const TFont& font);
    // The cached face for key, now the most recently used, or nullptr.
    TFontFace* Find(const TKey& key);
    // Keeps face as the most recently used; returns it.
    TFontFace* Add(const TKey& key, std::unique_ptr<TFontFace> face);
    void Clear() { m_faces.clear(); }

private:
    struct TEntry {
        TKey Key;
        std::unique_ptr<TFontFace> Face;
    };

    std::list<TEntry> m_faces;
};
