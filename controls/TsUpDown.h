#pragma once

#include "platform/toolkit/TUpDown.h"

// The skinned up-down. Until its skin binding exists it shows the platform up-down's look.
class TsUpDown : public TUpDown {
public:
    explicit TsUpDown(TComponent* owner);
    std::string ClassName() const override { return "TsUpDown"; }
};
