#include "platform/automation/TScriptReader.h"

#include <fstream>
#include <iostream>

TScriptReader::TScriptReader(std::unique_ptr<std::istream> owned)
    : m_owned(std::move(owned)), m_stream(m_owned.get()) {}

TScriptReader::TScriptReader(std::istream& borrowed) : m_stream(&borrowed) {}

std::unique_ptr<TScriptReader> TScriptReader::Open(const std::string& path) {
    if (path == "-") return std::make_unique<TScriptReader>(std::cin);
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) return nullptr;
    return std::make_unique<TScriptReader>(std::move(file));
}

std::optional<TScriptReader::TLine> TScriptReader::Next() {
    if (!m_stream || !*m_stream) return std::nullopt;
    TLine line;
    int c = 0;
    bool any = false;
    while ((c = m_stream->get()) != std::char_traits<char>::eof()) {
        any = true;
        if (c == '\n') break;
        if (line.Text.size() < MaxLineLength)
            line.Text += static_cast<char>(c);
        else
            line.IsTooLong = true;
    }
    if (!any) return std::nullopt;
    line.Number = ++m_lineNumber;
    return line;
}
