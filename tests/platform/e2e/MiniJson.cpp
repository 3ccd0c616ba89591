#include "MiniJson.h"

#include <cstdlib>

namespace {

const TJsonValue& NullValue() {
    static const TJsonValue null;
    return null;
}

class TParser {
public:
    explicit TParser(std::string_view text) : m_text(text) {}

    std::optional<TJsonValue> Document() {
        auto value = Value();
        SkipBlanks();
        if (!value || m_pos != m_text.size()) return std::nullopt;
        return value;
    }

private:
    void SkipBlanks() {
        while (m_pos < m_text.size() &&
               std::string_view(" \t\r\n").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
    }
    bool Take(char c) {
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool TakeWord(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) return false;
        m_pos += word.size();
        return true;
    }

    std::optional<std::string> StringBody() {
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size()) return std::nullopt;
            const char e = m_text[m_pos++];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                if (m_pos + 4 > m_text.size()) return std::nullopt;
                const unsigned code =
                    unsigned(std::strtoul(std::string(m_text.substr(m_pos, 4)).c_str(), nullptr, 16));
                m_pos += 4;
                // Enough for the tests: the code point as UTF-8, no surrogate pairs.
                if (code < 0x80) {
                    out += char(code);
                } else if (code < 0x800) {
                    out += char(0xC0 | (code >> 6));
                    out += char(0x80 | (code & 0x3F));
                } else {
                    out += char(0xE0 | (code >> 12));
                    out += char(0x80 | ((code >> 6) & 0x3F));
                    out += char(0x80 | (code & 0x3F));
                }
                break;
            }
            default:
                out += e;
            }
        }
        return std::nullopt;
    }

    std::optional<TJsonValue> Value() {
        SkipBlanks();
        if (m_pos >= m_text.size()) return std::nullopt;
        TJsonValue v;
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_pos;
            v.Kind = TJsonValue::TKind::Object;
            if (Take('}')) return v;
            do {
                if (!Take('"')) return std::nullopt;
                auto key = StringBody();
                if (!key || !Take(':')) return std::nullopt;
                auto item = Value();
                if (!item) return std::nullopt;
                v.Object[*key] = std::move(*item);
            } while (Take(','));
            if (!Take('}')) return std::nullopt;
            return v;
        }
        if (c == '[') {
            ++m_pos;
            v.Kind = TJsonValue::TKind::Array;
            if (Take(']')) return v;
            do {
                auto item = Value();
                if (!item) return std::nullopt;
                v.Array.push_back(std::move(*item));
            } while (Take(','));
            if (!Take(']')) return std::nullopt;
            return v;
        }
        if (c == '"') {
            ++m_pos;
            auto s = StringBody();
            if (!s) return std::nullopt;
            v.Kind = TJsonValue::TKind::String;
            v.String = std::move(*s);
            return v;
        }
        if (TakeWord("true") || TakeWord("false")) {
            v.Kind = TJsonValue::TKind::Bool;
            v.Bool = m_text[m_pos - 1] == 'e' && m_text[m_pos - 2] == 'u';
            return v;
        }
        if (TakeWord("null")) return v;
        const char* start = m_text.data() + m_pos;
        char* end = nullptr;
        const std::string number(start, std::min<std::size_t>(32, m_text.size() - m_pos));
        v.Number = std::strtod(number.c_str(), &end);
        if (end == number.c_str()) return std::nullopt;
        m_pos += std::size_t(end - number.c_str());
        v.Kind = TJsonValue::TKind::Number;
        return v;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

const TJsonValue& TJsonValue::operator[](const std::string& key) const {
    const auto it = Object.find(key);
    return it == Object.end() ? NullValue() : it->second;
}

const TJsonValue& TJsonValue::operator[](std::size_t index) const {
    return index < Array.size() ? Array[index] : NullValue();
}

std::optional<TJsonValue> ParseJson(std::string_view text) {
    return TParser(text).Document();
}
