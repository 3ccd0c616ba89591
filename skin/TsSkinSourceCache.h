#pragma once

#include <memory>
#include <string>

class TsSharedSkinSource;

// The skin files and folders loaded in the process, so that managers loading the same skin
// share one TsSharedSkinSource. A source is kept only while a manager holds it, and found
// again only while its files are unchanged; a changed file is read again.
class TsSkinSourceCache {
public:
    // The package file's source; null when the file is no skin.
    static std::shared_ptr<TsSharedSkinSource> Package(const std::string& path);
    // The skin folder's source (the folder ends with "/").
    static std::shared_ptr<TsSharedSkinSource> Folder(const std::string& folder);
    // The number of sources that managers hold now.
    static std::size_t HeldCount();
};
