#pragma once

#include <string>
#include <vector>

// The font files of one folder added to GDI for this process only, removed again when this
// goes. A missing folder adds nothing.
class TPrivateFonts {
public:
    explicit TPrivateFonts(const std::string& folder);
    ~TPrivateFonts();
    TPrivateFonts(const TPrivateFonts&) = delete;
    TPrivateFonts& operator=(const TPrivateFonts&) = delete;

    std::size_t Count() const { return m_files.size(); }

private:
    std::vector<std::wstring> m_files;
};
