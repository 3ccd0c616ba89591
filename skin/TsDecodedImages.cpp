#include "skin/TsDecodedImages.h"

#include <algorithm>

const TsDecodedImages::TDecoded* TsDecodedImages::Find(const std::string& key) const {
    const auto found = m_images.find(key);
    return found == m_images.end() ? nullptr : &found->second;
}

const TsDecodedImages::TDecoded& TsDecodedImages::Add(const std::string& key, TDecoded decoded) {
    return m_images.insert_or_assign(key, std::move(decoded)).first->second;
}

void TsDecodedImages::NoteFile(const std::string& path) {
    if (!m_files.contains(path)) m_files.emplace(path, StampOfFile(path));
}

bool TsDecodedImages::FilesUnchanged() const {
    return std::all_of(m_files.begin(), m_files.end(),
                       [](const auto& file) { return StampOfFile(file.first) == file.second; });
}
