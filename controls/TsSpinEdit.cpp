#include "controls/TsSpinEdit.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/core/StrToInt.h"
#include "platform/toolkit/TJsonWriter.h"

TsSpinEdit::TsSpinEdit(TComponent* owner) : TsBaseSpinEdit(owner) {}

std::int32_t TsSpinEdit::Value() const {
    if (Text().empty()) return m_minValue;
    std::int32_t value = 0;
    return TryStrToInt(Text(), value) ? value : m_minValue;
}

void TsSpinEdit::SetValue(std::int32_t v) {
    SetText(std::to_string(CheckValue(v)));
}

std::int32_t TsSpinEdit::CheckValue(std::int64_t v) const {
    if (m_minValue != m_maxValue) v = std::clamp<std::int64_t>(v, m_minValue, m_maxValue);
    // Steps past the ends of the integer range stop there instead of wrapping around.
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

void TsSpinEdit::StepBy(std::int64_t delta) {
    SetValue(CheckValue(std::int64_t(Value()) + delta));
}

void TsSpinEdit::StepUp() {
    StepBy(m_increment);
}

void TsSpinEdit::StepDown() {
    StepBy(-std::int64_t(m_increment));
}

void TsSpinEdit::WMKillFocus(TWMFocus& m) {
    TsBaseSpinEdit::WMKillFocus(m);
    const std::int32_t value = Value();
    if (CheckValue(value) != value) SetValue(value);
}

void TsSpinEdit::WMMouseWheel(TWMMouseWheel& m) {
    StepBy(std::int64_t(WheelDeltaFromWParam(m.Message.WParam) / 120) * m_increment);
    m.Result = 1;
}

void TsSpinEdit::WriteDumpFields(TJsonWriter& json) const {
    TsBaseSpinEdit::WriteDumpFields(json);
    json.Field("value", Value());
}
