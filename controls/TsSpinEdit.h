#pragma once

#include <cstdint>

#include "controls/TsEdit.h"

// The spin edit: an edit holding an integer between MinValue and MaxValue. Up and Down step
// it by Increment. A value set by the program is limited to MinValue ... MaxValue; reading
// Value converts the text and gives MinValue for an empty or unreadable text.
class TsSpinEdit : public TsEdit {
public:
    explicit TsSpinEdit(TComponent* owner);
    std::string ClassName() const override { return "TsSpinEdit"; }

    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    std::int32_t MinValue() const { return m_minValue; }
    void SetMinValue(std::int32_t value);
    std::int32_t MaxValue() const { return m_maxValue; }
    void SetMaxValue(std::int32_t value);
    std::int32_t Increment() const { return m_increment; }
    void SetIncrement(std::int32_t value) { m_increment = value; }
    // The value limited to MinValue ... MaxValue (no limit while both are 0).
    std::int32_t CheckValue(std::int32_t value) const;

    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    bool IsCharAcceptable(char32_t c) const override;
    void KeyDown(int& key, TShiftState shift) override;
    void WMKillFocus(TMessage& m) override;

private:
    std::int32_t m_minValue = 0;
    std::int32_t m_maxValue = 0;
    std::int32_t m_increment = 1;
};
