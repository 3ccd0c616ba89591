#include "platform/automation/ScriptParser.h"

#include <array>
#include <cctype>
#include <charconv>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"

namespace {

constexpr long long MaxCoordinate = 1'000'000;
constexpr long long MaxScreenSide = THeadlessBackend::MaxScreenSide;
constexpr long long MaxWheelDelta = 1'000'000;
constexpr long long MaxWaitMs = 86'400'000; // one day of virtual time

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

// Splits at runs of blanks.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<long long> ParseInteger(std::string_view word, long long min, long long max) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

bool IsName(std::string_view word) {
    if (word.empty() || std::isdigit(static_cast<unsigned char>(word.front())) || word.front() == '-')
        return false;
    for (char c : word)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

struct TNamedKey {
    std::string_view Name;
    int Key;
    std::string_view Text;
};

constexpr std::array NamedKeys{
    TNamedKey{"Escape", VK_ESCAPE, ""},  TNamedKey{"Enter", VK_RETURN, ""},
    TNamedKey{"Space", VK_SPACE, " "},   TNamedKey{"Tab", VK_TAB, ""},
    TNamedKey{"Up", VK_UP, ""},          TNamedKey{"Down", VK_DOWN, ""},
    TNamedKey{"Left", VK_LEFT, ""},      TNamedKey{"Right", VK_RIGHT, ""},
    TNamedKey{"Home", VK_HOME, ""},      TNamedKey{"End", VK_END, ""},
    TNamedKey{"Backspace", VK_BACK, ""}, TNamedKey{"Delete", VK_DELETE, ""},
    TNamedKey{"F4", VK_F1 + 3, ""},
};

// The characters of the digit keys with Shift held, on the usual US layout.
constexpr std::string_view ShiftedDigits = ")!@#$%^&*(";

std::optional<TKeyStroke> ParsePlainKey(std::string_view name, std::uint32_t modifiers) {
    TKeyStroke stroke;
    stroke.Modifiers = modifiers;
    const bool shift = (modifiers & ssShift) != 0;
    const bool typesNothing = (modifiers & (ssCtrl | ssAlt)) != 0;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        stroke.Key = upper;
        if (!typesNothing)
            stroke.Text = std::string(
                1, shift ? upper : static_cast<char>(std::tolower(static_cast<unsigned char>(upper))));
        return stroke;
    }
    if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0]))) {
        stroke.Key = name[0];
        if (!typesNothing)
            stroke.Text = std::string(1, shift ? ShiftedDigits[std::size_t(name[0] - '0')] : name[0]);
        return stroke;
    }
    for (const TNamedKey& key : NamedKeys) {
        if (EqualsNoCase(name, key.Name)) {
            stroke.Key = key.Key;
            if (!typesNothing) stroke.Text = std::string(key.Text);
            return stroke;
        }
    }
    return std::nullopt;
}

// The line as an error message may quote it: control and stray bytes become '?', and long
// lines are cut.
std::string Printable(std::string_view line) {
    constexpr std::size_t MaxQuoted = 120;
    const std::string_view shown = line.substr(0, MaxQuoted);
    std::string out;
    for (std::size_t i = 0; i < shown.size();) {
        const auto lead = static_cast<unsigned char>(shown[i]);
        if (lead < 0x80) {
            out += lead < 0x20 || lead == 0x7F ? '?' : char(lead);
            ++i;
            continue;
        }
        // Whole UTF-8 sequences pass; anything else is one '?' per byte.
        char32_t ignored = 0;
        const std::size_t length = Utf8::DecodeOne(shown, i, ignored);
        if (length != 0) {
            out += shown.substr(i, length);
            i += length;
        } else {
            out += '?';
            ++i;
        }
    }
    if (line.size() > MaxQuoted) out += "...";
    return out;
}

TScriptLineResult Fail(int lineNumber, std::string_view line, const std::string& why) {
    TScriptLineResult result;
    result.Error = "line " + std::to_string(lineNumber) + ": " + why + ": \"" + Printable(line) + "\"";
    return result;
}

TScriptLineResult Succeed(TScriptCommand command) {
    TScriptLineResult result;
    result.Command = std::move(command);
    return result;
}

} // namespace

std::optional<TMouseButton> ParseMouseButton(std::string_view name) {
    if (name == "left") return TMouseButton::mbLeft;
    if (name == "right") return TMouseButton::mbRight;
    if (name == "middle") return TMouseButton::mbMiddle;
    return std::nullopt;
}

std::optional<TKeyStroke> ParseKeyName(std::string_view name) {
    std::uint32_t modifiers = 0;
    for (;;) {
        const std::size_t plus = name.find('+');
        // A lone "+" or a trailing "+" names no key.
        if (plus == std::string_view::npos) break;
        const std::string_view prefix = name.substr(0, plus);
        if (EqualsNoCase(prefix, "Ctrl"))
            modifiers |= ssCtrl;
        else if (EqualsNoCase(prefix, "Shift"))
            modifiers |= ssShift;
        else if (EqualsNoCase(prefix, "Alt"))
            modifiers |= ssAlt;
        else
            return std::nullopt;
        name.remove_prefix(plus + 1);
    }
    return ParsePlainKey(name, modifiers);
}

TScriptLineResult ParseScriptLine(std::string_view line, int lineNumber) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') return {};

    const std::vector<std::string_view> words = SplitWords(trimmed);
    const std::string_view verb = words[0];
    // Everything after the verb and the blanks that follow it.
    std::string_view rest = trimmed.substr(verb.size());
    while (!rest.empty() && IsSpace(rest.front()))
        rest.remove_prefix(1);

    TScriptCommand command;
    command.Line = lineNumber;
    const std::size_t argc = words.size() - 1;

    auto readPoint = [&](std::size_t first) -> bool {
        const auto x = ParseInteger(words[first], -MaxCoordinate, MaxCoordinate);
        const auto y = ParseInteger(words[first + 1], -MaxCoordinate, MaxCoordinate);
        if (!x || !y) return false;
        command.Point = {int(*x), int(*y)};
        return true;
    };
    // An optional mouse button after the given number of arguments.
    auto readButton = [&](std::size_t fixed) -> bool {
        if (argc == fixed) return true;
        if (argc != fixed + 1) return false;
        const auto button = ParseMouseButton(words[fixed + 1]);
        if (!button) return false;
        command.Button = *button;
        return true;
    };

    if (verb == "screen") {
        command.Kind = TScriptCommandKind::Screen;
        if (argc != 2) return Fail(lineNumber, line, "screen needs a width and a height");
        const auto w = ParseInteger(words[1], 1, MaxScreenSide);
        const auto h = ParseInteger(words[2], 1, MaxScreenSide);
        if (!w || !h)
            return Fail(lineNumber, line,
                        "screen size must be 1 to " + std::to_string(MaxScreenSide) + " pixels each way");
        command.Size = {int(*w), int(*h)};
        return Succeed(command);
    }
    if (verb == "move") {
        command.Kind = TScriptCommandKind::Move;
        if (argc != 2 || !readPoint(1)) return Fail(lineNumber, line, "move needs X and Y");
        return Succeed(command);
    }
    if (verb == "press" || verb == "release") {
        command.Kind = verb == "press" ? TScriptCommandKind::Press : TScriptCommandKind::Release;
        if (argc < 2 || !readPoint(1) || !readButton(2))
            return Fail(lineNumber, line,
                        std::string(verb) + " needs X and Y and an optional left, right or middle");
        return Succeed(command);
    }
    if (verb == "click") {
        if (argc >= 1 && IsName(words[1])) {
            command.Kind = TScriptCommandKind::ClickName;
            command.Text = std::string(words[1]);
            if (!readButton(1))
                return Fail(lineNumber, line, "click needs a name and an optional left, right or middle");
            return Succeed(command);
        }
        command.Kind = TScriptCommandKind::Click;
        if (argc < 2 || !readPoint(1) || !readButton(2))
            return Fail(lineNumber, line,
                        "click needs X and Y or a name, and an optional left, right or middle");
        return Succeed(command);
    }
    if (verb == "wheel") {
        command.Kind = TScriptCommandKind::Wheel;
        if (argc != 3 || !readPoint(1)) return Fail(lineNumber, line, "wheel needs X, Y and a delta");
        const auto delta = ParseInteger(words[3], -MaxWheelDelta, MaxWheelDelta);
        if (!delta) return Fail(lineNumber, line, "wheel needs X, Y and a delta");
        command.WheelDelta = int(*delta);
        return Succeed(command);
    }
    if (verb == "key" || verb == "keydown" || verb == "keyup") {
        command.Kind = verb == "key"       ? TScriptCommandKind::Key
                       : verb == "keydown" ? TScriptCommandKind::KeyDown
                                           : TScriptCommandKind::KeyUp;
        if (argc != 1) return Fail(lineNumber, line, std::string(verb) + " needs one key name");
        const auto stroke = ParseKeyName(words[1]);
        if (!stroke) return Fail(lineNumber, line, "unknown key \"" + Printable(words[1]) + "\"");
        command.Stroke = *stroke;
        return Succeed(command);
    }
    if (verb == "type") {
        command.Kind = TScriptCommandKind::Type;
        // The text is the rest of the line after the single blank that follows the verb.
        std::string_view text = line.substr(line.find("type") + 4);
        if (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
        if (text.empty()) return Fail(lineNumber, line, "type needs text");
        command.Text = std::string(text);
        return Succeed(command);
    }
    if (verb == "wait") {
        command.Kind = TScriptCommandKind::Wait;
        if (argc != 1) return Fail(lineNumber, line, "wait needs milliseconds");
        const auto ms = ParseInteger(words[1], 0, MaxWaitMs);
        if (!ms) return Fail(lineNumber, line, "wait needs 0 to 86400000 milliseconds");
        command.Milliseconds = std::uint64_t(*ms);
        return Succeed(command);
    }
    if (verb == "dump") {
        command.Kind = TScriptCommandKind::Dump;
        if (rest.empty()) return Fail(lineNumber, line, "dump needs a file name or -");
        command.Text = std::string(rest);
        return Succeed(command);
    }
    if (verb == "shot") {
        command.Kind = TScriptCommandKind::Shot;
        if (rest.size() <= 4 || !EqualsNoCase(rest.substr(rest.size() - 4), ".png"))
            return Fail(lineNumber, line, "shot needs a file name ending in .png");
        command.Text = std::string(rest);
        return Succeed(command);
    }
    return Fail(lineNumber, line, "unknown command \"" + Printable(verb) + "\"");
}
