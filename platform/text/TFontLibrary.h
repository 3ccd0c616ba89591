#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/text/TFont.h"
#include "platform/text/TFontFace.h"

// The process's fonts: family names resolved through the platform's font services, faces
// opened per name, style and height, kept in a small least-recently-used cache. Every use of
// the library or of a face it returns must hold Mutex().
//
// "MS Sans Serif", the system's own font, is a bitmap font. Where the system has no such font
// of its own (fontconfig), a height one of its strikes serves is drawn from that strike, any
// other height from the scalable "Tahoma" (its bold face for bold), and "DejaVu Sans" is the
// last fallback of every family. Where the system has it (GDI), the system chooses and
// substitutes, and "Tahoma" draws the characters a face lacks.
class TFontLibrary {
public:
    static constexpr const char* SystemFamily = "MS Sans Serif";
    static constexpr const char* ScalableFamily = "Tahoma";
    static constexpr const char* FallbackFamily = "DejaVu Sans";

    // The folder of fonts the program adds to the system's: Wine's fonts on Linux, none where
    // the system has its own font.
    static std::string DefaultFontFolder();
    // The library of the process, with DefaultFontFolder() besides the system's fonts.
    static TFontLibrary& Instance();
    // A library of its own whose extra font folder is fontFolder (a missing one is left out).
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
    struct TState;

    std::mutex m_mutex;
    std::unique_ptr<TState> m_state;
};
