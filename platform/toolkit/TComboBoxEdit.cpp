#include "platform/toolkit/TComboBoxEdit.h"

#include "platform/toolkit/TCustomComboBox.h"

TComboBoxEdit::TComboBoxEdit(TComponent* owner, TCustomComboBox* combo) : TCustomEdit(owner), m_combo(combo) {
    SetBorderStyle(TBorderStyle::bsNone);
    SetAutoSelect(true);
}

void TComboBoxEdit::Change() {
    TCustomEdit::Change();
    m_combo->EditTextChanged();
}

TLResult TComboBoxEdit::DialogCode() const {
    TLResult code = TCustomEdit::DialogCode();
    if (m_combo->DroppedDown()) code |= DLGC_WANTALLKEYS;
    return code;
}

void TComboBoxEdit::KeyDown(int& key, TShiftState shift) {
    bool listKey = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_F4;
    bool openKey = m_combo->DroppedDown() && (key == VK_RETURN || key == VK_ESCAPE);
    if ((listKey || openKey) && m_combo->HandleListKey(key, shift)) {
        key = 0;
        return;
    }
    TCustomEdit::KeyDown(key, shift);
}

void TComboBoxEdit::WMSysKeyDown(TWMKey& m) {
    int key = m.CharCode;
    if ((key == VK_DOWN || key == VK_UP) && m_combo->HandleListKey(key, ssAlt)) return;
    TCustomEdit::WMSysKeyDown(m);
}

void TComboBoxEdit::KeyPress(char32_t& key) {
    // Enter and Escape close an open list; they never reach the text.
    if (key == U'\r' || key == 0x1B) {
        key = 0;
        return;
    }
    TCustomEdit::KeyPress(key);
}
