#pragma once

#include "platform/os/TRegistryFile.h"
#include "platform/os/TWaitClock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class TSystemRegistryKeys;

// The roots by the registry's numbers: a file that includes <windows.h> must not include this
// header, whose names the system's header defines again.
using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// A string value to be written, by name.
struct TRegNamedString {
    std::string Name;
    std::string Value;
};

struct TRegDataInfo {
    TRegDataType RegData = TRegDataType::rdUnknown;
    int DataSize = 0;
};

// The registry accessor. On Windows the store is the system's registry (below); elsewhere it
// is one file in the registry-export format (see
// TRegistryFile) at ${XDG_CONFIG_HOME:-$HOME/.config}/quibbleton/registry.reg, or at the path
// in the environment variable QUIBBLETON_REGISTRY. Nothing is cached: every call reads the
// file afresh, and every change rewrites it atomically under a lock on a sibling ".lock" file,
// so two processes never interleave and a crash leaves the previous file whole. A change waits
// a bounded time for the lock and fails when another process holds it longer. A file that
// cannot be read or parsed is a store whose keys cannot be opened; it is never overwritten,
// and no change writes a file that reading would refuse.
//
// On Windows every text goes to the registry as UTF-16 from the program's UTF-8 and comes back
// as UTF-8 (so a text value's data size is that of its UTF-8 form with its NUL); there is no
// store file, no lock and no QUIBBLETON_REGISTRY. A key of HKEY_LOCAL_MACHINE that the process
// may not open for writing (a standard user's case) is kept under HKEY_CURRENT_USER instead:
// values are written there, and read from there in preference to those of the machine's key,
// which stay readable. A value written under HKEY_LOCAL_MACHINE is removed from the user's
// key, so that no older copy there hides it. WriteStrings writes the values one by one; when
// one is refused, the ones written before it are given back their former values (or removed),
// as far as the registry lets them be.
class TRegistry {
public:
    // The largest store file that is read; a change that would write a larger one fails.
    static constexpr std::int64_t MaxStoreFileSize = 4LL * 1024 * 1024;
    static constexpr unsigned DefaultLockWaitMs = 3000;

    TRegistry();                               // store from the environment, root HKEY_CURRENT_USER
    explicit TRegistry(std::string storePath); // a given store file (not on Windows)
    ~TRegistry() { CloseKey(); }

    void SetRootKey(HKEY root); // closes the current key
    // The open key's path below the root, without a leading backslash; empty when none is open.
    const std::string& CurrentPath() const { return CurrentPath_; }
    const std::string& StorePath() const { return StorePath_; }
    // How long a change waits for the store's lock, on which clock; the clock must outlive
    // the accessor. DefaultLockWaitMs on the system's clock unless set.
    void SetLockWait(unsigned ms, const TWaitClock& clock);

    // Opens the key (relative to the open key unless it starts with "\"), creating it and
    // writing the store when it is missing and canCreate is set. False when the key is
    // missing and may not be created, when creating it fails (for example in a read-only
    // folder) or when the store cannot be read or parsed; the open key is then unchanged.
    bool OpenKey(std::string_view key, bool canCreate);
    bool KeyExists(std::string_view key) const;
    void CloseKey();

    // Values of the open key; the name "" is the key's default value.
    bool ValueExists(std::string_view name) const;
    TRegDataType GetDataType(std::string_view name) const; // rdUnknown when missing
    bool GetDataInfo(std::string_view name, TRegDataInfo& info) const;
    int GetDataSize(std::string_view name) const; // -1 when missing

    // A missing or zero-size value reads as ""; REG_SZ and REG_EXPAND_SZ read as their text up
    // to the first NUL; any other type throws ERegistryException "Invalid data type for '<name>'".
    std::string ReadString(std::string_view name) const;
    // Throws "Failed to get data for '<name>'" when missing, "Invalid data type for '<name>'"
    // when not a dword.
    std::int32_t ReadInteger(std::string_view name) const;

    // Each throws ERegistryException "Failed to set data for '<name>'" when no key is open, the
    // name holds control characters, the store cannot be parsed, its lock stays held beyond
    // the lock wait, the file would outgrow MaxStoreFileSize, or the file cannot or may not be
    // written (WriteFileAtomically).
    void WriteString(std::string_view name, std::string_view value);
    void WriteExpandString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBinaryData(std::string_view name, std::span<const std::uint8_t> data);
    // Writes the strings (REG_SZ) as one change of the store: all of them are stored, or none
    // is. When none is, it throws "Failed to set data for '<name>'" with the first value the
    // store refused, or with the first of the list when the store as a whole could not be
    // written (no key open, lock, size or file write failing).
    void WriteStrings(std::span<const TRegNamedString> values);

    // ${XDG_CONFIG_HOME:-$HOME/.config}/quibbleton/registry.reg, or $QUIBBLETON_REGISTRY; empty
    // on Windows.
    static std::string DefaultStorePath();
    static std::string RootName(HKEY root); // "HKEY_LOCAL_MACHINE"; empty for an unknown root

private:
    [[noreturn]] static void ThrowSetFailed(std::string_view name);
    // A text value of the type holding the bytes and their NUL.
    static TRegValue TextValue(std::uint32_t type, std::string_view text);

    enum class TStoreState { Missing, Unusable, Loaded };
    struct TLoadedStore {
        TStoreState State = TStoreState::Missing;
        TRegistryFile File = TRegistryFile::Empty();
    };

    TLoadedStore Load() const;
    // Reads, changes and writes the store under its lock; false when the store is unusable,
    // the change refuses, or the write fails (the old file then stays).
    bool Modify(const std::function<bool(TRegistryFile&)>& change);
    std::string FullKey(std::string_view relative) const;
    std::string ResolveKey(std::string_view key) const;
    std::optional<TRegValue> FindValue(std::string_view name) const;
    void WriteValue(std::string_view name, const TRegValue& value);

    std::string StorePath_;
    HKEY RootKey_ = HKEY_CURRENT_USER;
    std::string CurrentPath_;
    bool HasCurrentKey_ = false;
    unsigned LockWaitMs_ = DefaultLockWaitMs;
    const TWaitClock* LockClock_ = &TWaitClock::System();
    // The system's open keys, where the store is the system's registry.
    std::shared_ptr<TSystemRegistryKeys> Keys_;
};
