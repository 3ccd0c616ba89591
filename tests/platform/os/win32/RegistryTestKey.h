#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A key of its own, HKEY_CURRENT_USER\Software\QuibbletonTests\<random>, deleted with
// everything below it when the object goes. Paths below it are relative ("Machine\Software").
// Written through the system's calls directly, so that what the accessor does is seen as the
// registry holds it. The handles are the system's HKEY, as void*.
class TRegistryTestKey {
public:
    TRegistryTestKey();
    ~TRegistryTestKey();
    TRegistryTestKey(const TRegistryTestKey&) = delete;
    TRegistryTestKey& operator=(const TRegistryTestKey&) = delete;

    // Below HKEY_CURRENT_USER, for the accessor's OpenKey.
    const std::string& Path() const { return Path_; }

    void SetValue(const std::string& subKey, const std::wstring& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data);
    void SetText(const std::string& subKey, const std::wstring& name, const std::wstring& text);
    // The value's type and data; nothing when the key or value is missing.
    std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>> Value(const std::string& subKey,
                                                                             const std::wstring& name) const;
    // The text of a REG_SZ value without its NUL; nothing when missing or of another type.
    std::optional<std::wstring> Text(const std::string& subKey, const std::wstring& name) const;
    void CreateSubKey(const std::string& subKey);
    // Lets everyone only read the key (created when missing) from now on.
    bool MakeReadOnly(const std::string& subKey);
    // The key opened for reading only, kept open until the object goes.
    void* OpenForReading(const std::string& subKey);
    void* OpenForWriting(const std::string& subKey);

private:
    bool SetSecurity(const std::string& subKey, const wchar_t* rules) const;

    std::string Path_;
    std::vector<std::string> ReadOnly_;
    std::vector<void*> Opened_;
};
