#include "platform/text/TFontLibrary.h"

#include "platform/text/TFaceCache.h"
#include "platform/text/gdi/TGdiFace.h"
#include "platform/text/gdi/TPrivateFonts.h"

// Family names resolved by GDI itself, which substitutes what the system lacks.
struct TFontLibrary::TState {
    explicit TState(const std::string& fontFolder) : Folder(fontFolder) {}
    ~TState() { Faces.Clear(); }

    std::unique_ptr<TFontFace> Open(const TFont& font);

    TPrivateFonts Folder;
    TFaceCache Faces;
};

std::string TFontLibrary::DefaultFontFolder() {
    return {};
}

TFontLibrary& TFontLibrary::Instance() {
    static TFontLibrary library(DefaultFontFolder());
    return library;
}

TFontLibrary::TFontLibrary(const std::string& fontFolder) : m_state(std::make_unique<TState>(fontFolder)) {}

TFontLibrary::~TFontLibrary() = default;

std::unique_ptr<TFontFace> TFontLibrary::TState::Open(const TFont& font) {
    std::unique_ptr<TGdiFace> face = TGdiFace::Open(font.Name(), font.Height(), font.Style());
    // The program's captions are Russian: where the system's code page gives the family a face
    // without Cyrillic (a bitmap font is one code page per file), the family's Cyrillic face
    // draws them, Latin included.
    if (face && !face->HasGlyphFor(U'Ж')) {
        std::unique_ptr<TGdiFace> cyrillic =
            TGdiFace::Open(font.Name(), font.Height(), font.Style(), TGdiFace::CyrillicCharSet);
        if (cyrillic && cyrillic->FamilyName() == face->FamilyName() && cyrillic->HasGlyphFor(U'Ж') &&
            cyrillic->HasGlyphFor(U'A'))
            face = std::move(cyrillic);
    }
    return face;
}

TFontFace* TFontLibrary::Face(const TFont& font) {
    TState& s = *m_state;
    const TFaceCache::TKey key = TFaceCache::KeyOf(font);
    if (TFontFace* cached = s.Faces.Find(key)) return cached;
    std::unique_ptr<TFontFace> face = s.Open(font);
    if (!face) return nullptr;
    return s.Faces.Add(key, std::move(face));
}

TFontFace* TFontLibrary::FallbackFace(const TFont& font) {
    // Every system since Windows 2000 has the scalable family, with Latin, Greek and Cyrillic.
    TFont fallback = font;
    fallback.SetName(ScalableFamily);
    return Face(fallback);
}
