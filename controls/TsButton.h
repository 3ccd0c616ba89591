#pragma once

#include "platform/toolkit/TButton.h"

// The skinned push button. Until its skin binding exists it shows the platform button's look;
// its class name is its own so that the windows' designs and the automation dump name it.
class TsButton : public TButton {
public:
    explicit TsButton(TComponent* owner);
    std::string ClassName() const override { return "TsButton"; }
};
