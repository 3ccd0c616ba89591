#pragma once

#include "platform/toolkit/TComboBox.h"

// The skinned combo box. Until its skin binding exists it shows the platform combo box's look.
class TsComboBox : public TComboBox {
public:
    explicit TsComboBox(TComponent* owner);
    std::string ClassName() const override { return "TsComboBox"; }
    int IndexOfText(const std::string& text) const;
};
