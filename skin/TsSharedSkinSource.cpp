#include "skin/TsSharedSkinSource.h"

#include "platform/os/FileSystem.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TsSkinImageFinder.h"

TsSharedSkinSource::TsSharedSkinSource() = default;
TsSharedSkinSource::~TsSharedSkinSource() = default;

std::shared_ptr<TsSharedSkinSource> TsSharedSkinSource::FromPackageFile(const std::string& path) {
    auto source = std::make_shared<TsSharedSkinSource>();
    // Stamped before reading: a change while it is read shows at the next look.
    source->m_images.NoteFile(path);
    ::LoadPackageFile(path, source->m_package, true);
    if (!source->m_package || !source->m_package->Options()) return nullptr;
    source->m_options = TacSkinOptions::Parse(*source->m_package->Options());
    return source;
}

std::shared_ptr<TsSharedSkinSource> TsSharedSkinSource::FromFolder(const std::string& folder) {
    auto source = std::make_shared<TsSharedSkinSource>();
    const std::string options = FindFileIgnoringCase(folder, "Options.dat");
    source->m_images.NoteFile(folder);
    source->m_images.NoteFile(options);
    source->m_options = TacSkinOptions::Parse(ReadFileBytes(options, MaxOptionsTextSize));
    return source;
}
