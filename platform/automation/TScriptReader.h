#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>

// Hands out an automation script's lines one at a time, as the driver needs them, so that a
// script on standard input can be fed while the program runs.
class TScriptReader {
public:
    // Longer lines are cut here and reported as malformed by the parser's caller.
    static constexpr std::size_t MaxLineLength = 65536;

    struct TLine {
        std::string Text;
        int Number = 0;
        bool IsTooLong = false;
    };

    explicit TScriptReader(std::unique_ptr<std::istream> owned);
    // Reads from a stream that lives longer than the reader (standard input).
    explicit TScriptReader(std::istream& borrowed);

    // Opens a file, or standard input for "-"; null when the file cannot be opened.
    static std::unique_ptr<TScriptReader> Open(const std::string& path);

    // The next line; nothing at the end of the script.
    std::optional<TLine> Next();

private:
    std::unique_ptr<std::istream> m_owned;
    std::istream* m_stream;
    int m_lineNumber = 0;
};
