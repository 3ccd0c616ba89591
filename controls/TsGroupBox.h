#pragma once

#include "platform/toolkit/TGroupBox.h"

// The skinned group box. Until its skin binding exists it shows the platform group box's look.
class TsGroupBox : public TGroupBox {
public:
    explicit TsGroupBox(TComponent* owner);
    std::string ClassName() const override { return "TsGroupBox"; }
};
