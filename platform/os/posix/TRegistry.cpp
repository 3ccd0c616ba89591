#include "platform/os/TRegistry.h"

#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "platform/os/TFileLock.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

TRegistry::TRegistry() : StorePath_(DefaultStorePath()) {}

TRegistry::TRegistry(std::string storePath) : StorePath_(std::move(storePath)) {}

std::string TRegistry::DefaultStorePath() {
    if (const char* path = std::getenv("QUIBBLETON_REGISTRY"); path != nullptr && *path != '\0') return path;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        config = xdg;
    } else {
        std::string home;
        if (const char* value = std::getenv("HOME"); value != nullptr && value[0] == '/') {
            home = value;
        } else if (const passwd* entry = ::getpwuid(::getuid());
                   entry != nullptr && entry->pw_dir != nullptr) {
            home = entry->pw_dir;
        }
        if (home.empty()) return std::string();
        config = IncludeTrailingPathDelimiter(home) + ".config";
    }
    return IncludeTrailingPathDelimiter(config) + "quibbleton/registry.reg";
}

TRegistry::TLoadedStore TRegistry::Load() const {
    TLoadedStore store;
    if (StorePath_.empty()) {
        store.State = TStoreState::Unusable;
        return store;
    }
    if (!FileExists(StorePath_) && !DirectoryExists(StorePath_)) return store;
    try {
        const auto bytes = ReadFileBytes(StorePath_, MaxStoreFileSize);
        auto parsed =
            TRegistryFile::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        if (!parsed) {
            store.State = TStoreState::Unusable;
            return store;
        }
        store.File = std::move(*parsed);
        store.State = TStoreState::Loaded;
    } catch (const EFOpenError&) {
        store.State = TStoreState::Unusable;
    }
    return store;
}

bool TRegistry::Modify(const std::function<bool(TRegistryFile&)>& change) {
    if (StorePath_.empty()) return false;
    const std::string folder = ExtractFilePath(StorePath_);
    if (!folder.empty() && !ForceDirectories(folder)) return false;
    TFileLock lock;
    if (lock.Lock(StorePath_ + ".lock", LockWaitMs_, *LockClock_) != TLockResult::Acquired) return false;
    TLoadedStore store = Load();
    if (store.State == TStoreState::Unusable) return false;
    if (!change(store.File)) return false;
    const std::string text = store.File.Format();
    // A file that the next read refuses would lose every setting at once.
    if (std::int64_t(text.size()) > MaxStoreFileSize) return false;
    try {
        WriteFileAtomically(StorePath_, text);
    } catch (const EFCreateError&) {
        return false;
    }
    return true;
}

std::string TRegistry::FullKey(std::string_view relative) const {
    const std::string root = RootName(RootKey_);
    if (relative.empty()) return root;
    return root + "\\" + std::string(relative);
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    if (RootName(RootKey_).empty()) return false;
    const std::string relative = ResolveKey(key);
    const std::string full = FullKey(relative);
    if (!TRegistryFile::IsValidKey(full)) return false;
    const TLoadedStore store = Load();
    if (store.State == TStoreState::Unusable) return false;
    bool opened = store.File.KeyExists(full);
    if (!opened && canCreate) opened = Modify([&](TRegistryFile& file) { return file.AddKey(full); });
    if (opened) {
        CurrentPath_ = relative;
        HasCurrentKey_ = true;
    }
    return opened;
}

bool TRegistry::KeyExists(std::string_view key) const {
    if (RootName(RootKey_).empty()) return false;
    const TLoadedStore store = Load();
    return store.State != TStoreState::Unusable && store.File.KeyExists(FullKey(ResolveKey(key)));
}

std::optional<TRegValue> TRegistry::FindValue(std::string_view name) const {
    if (!HasCurrentKey_) return std::nullopt;
    const TLoadedStore store = Load();
    if (store.State != TStoreState::Loaded) return std::nullopt;
    return store.File.FindValue(FullKey(CurrentPath_), name);
}

void TRegistry::WriteValue(std::string_view name, const TRegValue& value) {
    if (!HasCurrentKey_) ThrowSetFailed(name);
    const std::string full = FullKey(CurrentPath_);
    if (!Modify([&](TRegistryFile& file) { return file.SetValue(full, name, value); })) ThrowSetFailed(name);
}

void TRegistry::WriteStrings(std::span<const TRegNamedString> values) {
    if (values.empty()) return;
    if (!HasCurrentKey_) ThrowSetFailed(values.front().Name);
    const std::string full = FullKey(CurrentPath_);
    std::string_view refused = values.front().Name;
    const bool stored = Modify([&](TRegistryFile& file) {
        for (const TRegNamedString& value : values) {
            if (!file.SetValue(full, value.Name, TextValue(REG_SZ, value.Value))) {
                refused = value.Name;
                return false;
            }
        }
        return true;
    });
    if (!stored) ThrowSetFailed(refused);
}
