#include "skin/TsSkinSourceCache.h"

#include <unordered_map>

#include "platform/os/FileSystem.h"
#include "skin/TsSharedSkinSource.h"

namespace {

using TEntries = std::unordered_map<std::string, std::weak_ptr<TsSharedSkinSource>>;

// The process's one table of skin sources in use, by kind and real path.
TEntries& Entries() {
    static TEntries entries;
    return entries;
}

std::string KeyOf(char kind, const std::string& path) {
    const std::string resolved = RealPath(path);
    return std::string(1, kind) + (resolved.empty() ? path : resolved);
}

template <typename Make> std::shared_ptr<TsSharedSkinSource> Find(const std::string& key, Make make) {
    TEntries& entries = Entries();
    std::erase_if(entries, [](const auto& entry) { return entry.second.expired(); });
    if (const auto found = entries.find(key); found != entries.end())
        if (std::shared_ptr<TsSharedSkinSource> source = found->second.lock(); source && source->Unchanged())
            return source;
    std::shared_ptr<TsSharedSkinSource> source = make();
    if (source)
        entries[key] = source;
    else
        entries.erase(key);
    return source;
}

} // namespace

std::shared_ptr<TsSharedSkinSource> TsSkinSourceCache::Package(const std::string& path) {
    return Find(KeyOf('P', path), [&] { return TsSharedSkinSource::FromPackageFile(path); });
}

std::shared_ptr<TsSharedSkinSource> TsSkinSourceCache::Folder(const std::string& folder) {
    return Find(KeyOf('F', folder), [&] { return TsSharedSkinSource::FromFolder(folder); });
}

std::size_t TsSkinSourceCache::HeldCount() {
    TEntries& entries = Entries();
    std::erase_if(entries, [](const auto& entry) { return entry.second.expired(); });
    return entries.size();
}
