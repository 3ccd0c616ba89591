#include "RegistryTestKey.h"

#include <windows.h>

#include <random>
#include <sddl.h>

namespace {

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

} // namespace

TRegistryTestKey::TRegistryTestKey() {
    std::random_device random;
    Path_ = "Software\\QuibbletonTests\\" + std::to_string(random()) + std::to_string(random());
    CreateSubKey("");
}

TRegistryTestKey::~TRegistryTestKey() {
    for (void* key : Opened_)
        ::RegCloseKey(static_cast<HKEY>(key));
    // The owner of a read-only key may still change its security, and so gives itself the
    // right to delete it back.
    for (const std::string& subKey : ReadOnly_)
        SetSecurity(subKey, L"D:(A;;KA;;;WD)");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(Path_).c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(Path_).c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuibbletonTests");
}

void TRegistryTestKey::CreateSubKey(const std::string& subKey) {
    const std::string path = subKey.empty() ? Path_ : Path_ + "\\" + subKey;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) == ERROR_SUCCESS)
        ::RegCloseKey(key);
}

void TRegistryTestKey::SetValue(const std::string& subKey, const std::wstring& name, std::uint32_t type,
                                const std::vector<std::uint8_t>& data) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, Wide(Path_ + "\\" + subKey).c_str(), name.c_str(), type, data.data(),
                      DWORD(data.size()));
}

void TRegistryTestKey::SetText(const std::string& subKey, const std::wstring& name,
                               const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    SetValue(subKey, name, REG_SZ, std::vector<std::uint8_t>(bytes, bytes + (text.size() + 1) * 2));
}

std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>>
TRegistryTestKey::Value(const std::string& subKey, const std::wstring& name) const {
    const std::wstring path = Wide(Path_ + "\\" + subKey);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                       nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<std::uint8_t> data(size);
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                       data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return std::make_pair(std::uint32_t(type), data);
}

std::optional<std::wstring> TRegistryTestKey::Text(const std::string& subKey,
                                                   const std::wstring& name) const {
    const auto value = Value(subKey, name);
    if (!value || value->first != REG_SZ) return std::nullopt;
    std::wstring text(value->second.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = wchar_t(value->second[2 * i] | (value->second[2 * i + 1] << 8));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool TRegistryTestKey::MakeReadOnly(const std::string& subKey) {
    CreateSubKey(subKey);
    ReadOnly_.push_back(subKey);
    // A protected list that lets everyone read and no one change the key.
    return SetSecurity(subKey, L"D:P(A;;KR;;;WD)");
}

bool TRegistryTestKey::SetSecurity(const std::string& subKey, const wchar_t* rules) const {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(Path_ + "\\" + subKey).c_str(), 0, WRITE_DAC, &key) !=
        ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = ::ConvertStringSecurityDescriptorToSecurityDescriptorW(rules, SDDL_REVISION_1, &descriptor,
                                                                       nullptr) != 0;
    done = done && ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    if (descriptor != nullptr) ::LocalFree(descriptor);
    ::RegCloseKey(key);
    return done;
}

void* TRegistryTestKey::OpenForReading(const std::string& subKey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(Path_ + "\\" + subKey).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    Opened_.push_back(key);
    return key;
}

void* TRegistryTestKey::OpenForWriting(const std::string& subKey) {
    CreateSubKey(subKey);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(Path_ + "\\" + subKey).c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    Opened_.push_back(key);
    return key;
}
