#include "platform/text/TFaceCache.h"

namespace {

constexpr std::size_t MaxCachedFaces = 32;

} // namespace

TFaceCache::TKey TFaceCache::KeyOf(const TFont& font) {
    return {font.Name(), font.Style().Has(TFontStyle::fsBold), font.Style().Has(TFontStyle::fsItalic),
            font.Height()};
}

TFontFace* TFaceCache::Find(const TKey& key) {
    for (auto it = m_faces.begin(); it != m_faces.end(); ++it) {
        if (it->Key == key) {
            if (it != m_faces.begin()) m_faces.splice(m_faces.begin(), m_faces, it);
            return m_faces.front().Face.get();
        }
    }
    return nullptr;
}

TFontFace* TFaceCache::Add(const TKey& key, std::unique_ptr<TFontFace> face) {
    m_faces.push_front({key, std::move(face)});
    if (m_faces.size() > MaxCachedFaces) m_faces.pop_back();
    return m_faces.front().Face.get();
}
