#include "controls/TsComboBox.h"

TsComboBox::TsComboBox(TComponent* owner) : TComboBox(owner) {}

int TsComboBox::IndexOfText(const std::string& text) const {
    for (int i = 0; i < Items().Count(); ++i)
        if (Items()[i] == text) return i;
    return -1;
}
