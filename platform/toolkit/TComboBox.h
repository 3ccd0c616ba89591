#pragma once

#include "platform/toolkit/TCustomComboBox.h"

// The combo box as forms place it.
class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
    std::string ClassName() const override { return "TComboBox"; }
};
