#include "platform/os/win32/WidePath.h"

#include "platform/core/win32/WideText.h"

#include <windows.h>

#include <algorithm>

namespace {

// Below this length every call takes a plain path; folders are held to 12 less than MAX_PATH.
constexpr std::size_t kClassicLimit = MAX_PATH - 12;

} // namespace

std::wstring WidePath(const std::string& path) {
    std::wstring wide = Utf8ToWide(path);
    if (wide.size() < kClassicLimit || wide.starts_with(L"\\\\?\\")) return wide;
    // A "\\?\" path is taken as it stands, so it must be full, with "\" only and no "." or "..".
    const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return wide;
    full.resize(length);
    std::replace(full.begin(), full.end(), L'/', L'\\');
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string ProgramPath(const std::wstring& path) {
    std::wstring plain = path;
    if (plain.starts_with(L"\\\\?\\UNC\\"))
        plain = L"\\\\" + plain.substr(8);
    else if (plain.starts_with(L"\\\\?\\"))
        plain = plain.substr(4);
    std::string utf8 = WideToUtf8(plain);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return utf8;
}

std::string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer != nullptr) text = WideToUtf8(std::wstring_view(buffer, length));
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = "System error " + std::to_string(error);
    return text;
}
