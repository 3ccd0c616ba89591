#include "platform/text/gdi/TPrivateFonts.h"

#include <windows.h>

#include <cwctype>

#include "platform/os/win32/WidePath.h"

namespace {

// The font files GDI reads.
bool IsFontFile(const std::wstring& name) {
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    std::wstring extension = name.substr(dot + 1);
    for (wchar_t& c : extension)
        c = wchar_t(std::towlower(c));
    return extension == L"fon" || extension == L"ttf" || extension == L"ttc" || extension == L"otf";
}

} // namespace

TPrivateFonts::TPrivateFonts(const std::string& folder) {
    if (folder.empty()) return;
    std::wstring prefix = WidePath(folder);
    if (!prefix.empty() && prefix.back() != L'\\') prefix.push_back(L'\\');
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsFontFile(found.cFileName)) continue;
        std::wstring file = prefix + found.cFileName;
        if (AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) > 0) m_files.push_back(std::move(file));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

TPrivateFonts::~TPrivateFonts() {
    for (const std::wstring& file : m_files)
        RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
}
