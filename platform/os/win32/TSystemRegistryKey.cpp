#include "platform/os/win32/TSystemRegistryKey.h"

#include "platform/core/win32/WideText.h"

// After the store's header, whose value types the system's header defines again as macros.
#include <windows.h>

#include <utility>

namespace {

HKEY MachineRoot = nullptr;
HKEY UserRoot = nullptr;

HKEY SystemRoot(std::uint32_t root) {
    if (root == 0x80000002u && MachineRoot != nullptr) return MachineRoot;
    if (root == 0x80000001u && UserRoot != nullptr) return UserRoot;
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

bool IsTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace

bool TSystemRegistryKey::Open(std::uint32_t root, std::string_view path, TAccess access, bool create) {
    Close();
    const std::wstring widePath = Utf8ToWide(path);
    const REGSAM rights = access == TAccess::Write ? KEY_ALL_ACCESS : KEY_READ;
    HKEY key = nullptr;
    const LSTATUS status = create ? ::RegCreateKeyExW(SystemRoot(root), widePath.c_str(), 0, nullptr,
                                                      REG_OPTION_NON_VOLATILE, rights, nullptr, &key, nullptr)
                                  : ::RegOpenKeyExW(SystemRoot(root), widePath.c_str(), 0, rights, &key);
    if (status != ERROR_SUCCESS) return false;
    Handle_ = key;
    return true;
}

void TSystemRegistryKey::Close() {
    if (Handle_ != nullptr) ::RegCloseKey(static_cast<HKEY>(std::exchange(Handle_, nullptr)));
}

bool TSystemRegistryKey::Exists(std::uint32_t root, std::string_view path) {
    TSystemRegistryKey key;
    return key.Open(root, path, TAccess::Read, false);
}

std::optional<TRegValue> TSystemRegistryKey::Value(std::string_view name) const {
    if (Handle_ == nullptr) return std::nullopt;
    const auto key = static_cast<HKEY>(Handle_);
    const std::wstring wideName = Utf8ToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<std::uint8_t> data;
    // The value may grow between the two questions.
    for (;;) {
        data.resize(size);
        DWORD got = size;
        const LSTATUS status = ::RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &got);
        if (status == ERROR_SUCCESS) {
            data.resize(got);
            break;
        }
        if (status != ERROR_MORE_DATA) return std::nullopt;
        size = got > size ? got : size * 2 + 16;
    }
    TRegValue value;
    value.Type = type;
    if (!IsTextType(type) || data.empty()) {
        value.Data = std::move(data);
        return value;
    }
    std::wstring text(data.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string utf8 = WideToUtf8(text);
    value.Data.assign(utf8.begin(), utf8.end());
    if (value.Data.empty() || value.Data.back() != 0) value.Data.push_back(0);
    return value;
}

bool TSystemRegistryKey::SetValue(std::string_view name, const TRegValue& value) const {
    if (Handle_ == nullptr) return false;
    std::vector<std::uint8_t> data = value.Data;
    if (IsTextType(value.Type)) {
        std::string_view utf8(reinterpret_cast<const char*>(value.Data.data()), value.Data.size());
        if (!utf8.empty() && utf8.back() == '\0') utf8.remove_suffix(1);
        const std::wstring wide = Utf8ToWide(utf8);
        data.clear();
        for (wchar_t unit : wide) {
            data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            data.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
        }
        data.push_back(0);
        data.push_back(0);
    }
    if (data.size() > 0xFFFFFFFFu) return false;
    return ::RegSetValueExW(static_cast<HKEY>(Handle_), Utf8ToWide(name).c_str(), 0, value.Type, data.data(),
                            static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool TSystemRegistryKey::DeleteValue(std::string_view name) const {
    return Handle_ != nullptr &&
           ::RegDeleteValueW(static_cast<HKEY>(Handle_), Utf8ToWide(name).c_str()) == ERROR_SUCCESS;
}

TScopedRegistryRoots::TScopedRegistryRoots(void* machine, void* user)
    : FormerMachine_(MachineRoot), FormerUser_(UserRoot) {
    MachineRoot = static_cast<HKEY>(machine);
    UserRoot = static_cast<HKEY>(user);
}

TScopedRegistryRoots::~TScopedRegistryRoots() {
    MachineRoot = static_cast<HKEY>(FormerMachine_);
    UserRoot = static_cast<HKEY>(FormerUser_);
}
