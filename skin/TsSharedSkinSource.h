#pragma once

#include <memory>
#include <string>

#include "skin/TacSkinOptions.h"
#include "skin/TsDecodedImages.h"

class TacSkinConvertor;

// What a skin file or folder gives every manager that loads it, whatever that manager's hue
// and saturation: the unpacked package, the options text parsed, and the images decoded
// before any recolouring. The managers wearing the skin hold it, so a hue step neither
// unpacks nor decodes again; each manager's recoloured copies stay its own.
class TsSharedSkinSource {
public:
    // The package file; null when it is no skin (vanished, wrong magic, no options entry).
    static std::shared_ptr<TsSharedSkinSource> FromPackageFile(const std::string& path);
    // The skin folder (ending with "/") and its "Options.dat".
    static std::shared_ptr<TsSharedSkinSource> FromFolder(const std::string& folder);

    TsSharedSkinSource();
    ~TsSharedSkinSource();
    TsSharedSkinSource(const TsSharedSkinSource&) = delete;
    TsSharedSkinSource& operator=(const TsSharedSkinSource&) = delete;

    const TacSkinOptions& Options() const { return m_options; }
    // Null for a skin folder.
    const TacSkinConvertor* Package() const { return m_package.get(); }
    TsDecodedImages& Images() { return m_images; }
    // True while every file it was read from (package, options text, image files, and the
    // folders they were looked for in) is as it was.
    bool Unchanged() const { return m_images.FilesUnchanged(); }

private:
    std::unique_ptr<TacSkinConvertor> m_package;
    TacSkinOptions m_options;
    TsDecodedImages m_images;
};
