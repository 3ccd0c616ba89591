#include "controls/TsSpinEdit.h"

#include <algorithm>

#include "platform/core/StrToInt.h"
#include "platform/core/VirtualKeys.h"
#include "platform/toolkit/TJsonWriter.h"

TsSpinEdit::TsSpinEdit(TComponent* owner) : TsEdit(owner) {
    SetText("0");
}

std::int32_t TsSpinEdit::CheckValue(std::int32_t value) const {
    if (m_minValue == 0 && m_maxValue == 0) return value;
    return std::clamp(value, m_minValue, std::max(m_minValue, m_maxValue));
}

std::int32_t TsSpinEdit::Value() const {
    std::int32_t value = 0;
    if (Text().empty() || !TryStrToInt(Text(), value)) return m_minValue;
    return value;
}

void TsSpinEdit::SetValue(std::int32_t value) {
    SetText(IntToStr(CheckValue(value)));
}

void TsSpinEdit::SetMinValue(std::int32_t value) {
    m_minValue = value;
}

void TsSpinEdit::SetMaxValue(std::int32_t value) {
    m_maxValue = value;
}

bool TsSpinEdit::IsCharAcceptable(char32_t c) const {
    return (c >= U'0' && c <= U'9') || (c == U'-' && m_minValue < 0);
}

void TsSpinEdit::KeyDown(int& key, TShiftState shift) {
    if (key == VK_UP || key == VK_DOWN) {
        SetValue(Value() + (key == VK_UP ? m_increment : -m_increment));
        key = 0;
        return;
    }
    TsEdit::KeyDown(key, shift);
}

void TsSpinEdit::WMKillFocus(TMessage& m) {
    TsEdit::WMKillFocus(m);
    if (CheckValue(Value()) != Value() || Text().empty()) SetValue(Value());
}

void TsSpinEdit::WriteDumpFields(TJsonWriter& json) const {
    TsEdit::WriteDumpFields(json);
    json.Field("value", int(Value()));
}
