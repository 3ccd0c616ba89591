#pragma once

#include "controls/TsCustomComboBox.h"

// The skinned combo box as forms place it (the options dialog's skin lists, the main screen's
// hidden chooser).
class TsComboBox : public TsCustomComboBox {
public:
    explicit TsComboBox(TComponent* owner) : TsCustomComboBox(owner) {}
    std::string ClassName() const override { return "TsComboBox"; }
};
