#pragma once

#include "platform/toolkit/TCustomEdit.h"

class TCustomComboBox;

// The edit inside a csDropDown combo box. It passes the list keys (Up, Down, PageUp,
// PageDown, F4, Alt+Up, Alt+Down, and Enter and Escape while the list is open) to its combo
// box and tells it of every typed change.
class TComboBoxEdit : public TCustomEdit {
public:
    TComboBoxEdit(TComponent* owner, TCustomComboBox* combo);
    std::string ClassName() const override { return "TComboBoxEdit"; }

protected:
    void Change() override;
    TLResult DialogCode() const override;
    void KeyDown(int& key, TShiftState shift) override;
    void WMSysKeyDown(TWMKey& m) override;
    void KeyPress(char32_t& key) override;

private:
    TCustomComboBox* m_combo;
};
