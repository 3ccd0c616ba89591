#pragma once

#include <cstdint>

#include "controls/TsBaseSpinEdit.h"

// The integer spin edit. Its value lives only in its text: reading converts the text (empty
// or unreadable text reads as MinValue); writing sets the text to the value limited to
// MinValue .. MaxValue (no limit when the two are equal). Leaving the field writes back a
// value outside the range, clamped. The arrows, the Up and Down keys and the wheel step by
// Increment.
class TsSpinEdit : public TsBaseSpinEdit {
public:
    explicit TsSpinEdit(TComponent* owner);
    std::string ClassName() const override { return "TsSpinEdit"; }

    std::int32_t MinValue() const { return m_minValue; }
    void SetMinValue(std::int32_t v) { m_minValue = v; }
    std::int32_t MaxValue() const { return m_maxValue; }
    void SetMaxValue(std::int32_t v) { m_maxValue = v; }
    std::int32_t Increment() const { return m_increment; }
    void SetIncrement(std::int32_t v) { m_increment = v; }
    std::int32_t Value() const;
    void SetValue(std::int32_t v);
    // The value limited to the range; any value when MinValue equals MaxValue.
    std::int32_t CheckValue(std::int64_t v) const;

    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    void StepUp() override;
    void StepDown() override;
    void WMKillFocus(TWMFocus& m) override;
    void WMMouseWheel(TWMMouseWheel& m) override;

private:
    void StepBy(std::int64_t delta);

    std::int32_t m_minValue = 0;
    std::int32_t m_maxValue = 0;
    std::int32_t m_increment = 1;
};
