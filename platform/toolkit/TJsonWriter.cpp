#include "platform/toolkit/TJsonWriter.h"

#include <cstdio>

#include "platform/core/Utf8.h"

void TJsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back()) m_out += ',';
        m_first.back() = false;
    }
}

void TJsonWriter::BeginObject() {
    BeforeValue();
    m_out += '{';
    m_first.push_back(true);
}

void TJsonWriter::EndObject() {
    m_out += '}';
    if (!m_first.empty()) m_first.pop_back();
}

void TJsonWriter::BeginArray() {
    BeforeValue();
    m_out += '[';
    m_first.push_back(true);
}

void TJsonWriter::EndArray() {
    m_out += ']';
    if (!m_first.empty()) m_first.pop_back();
}

void TJsonWriter::Key(std::string_view key) {
    BeforeValue();
    WriteEscaped(key);
    m_out += ':';
    m_afterKey = true;
}

void TJsonWriter::String(std::string_view value) {
    BeforeValue();
    WriteEscaped(value);
}

void TJsonWriter::Int(long long value) {
    BeforeValue();
    m_out += std::to_string(value);
}

void TJsonWriter::Bool(bool value) {
    BeforeValue();
    m_out += value ? "true" : "false";
}

void TJsonWriter::Null() {
    BeforeValue();
    m_out += "null";
}

void TJsonWriter::Bounds(const TRect& r) {
    BeginArray();
    Int(r.Left);
    Int(r.Top);
    Int(r.Width());
    Int(r.Height());
    EndArray();
}

void TJsonWriter::WriteEscaped(std::string_view s) {
    // Decoding and encoding again turns malformed bytes into U+FFFD.
    std::string clean = Utf8::Encode(Utf8::Decode(s));
    m_out += '"';
    for (char ch : clean) {
        auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            m_out += "\\\"";
            break;
        case '\\':
            m_out += "\\\\";
            break;
        case '\n':
            m_out += "\\n";
            break;
        case '\r':
            m_out += "\\r";
            break;
        case '\t':
            m_out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                m_out += buf;
            } else {
                m_out += ch;
            }
        }
    }
    m_out += '"';
}
