#pragma once

#include "platform/toolkit/TLabel.h"

// The skinned label: a plain label whose text colour comes from the default manager's skin
// once the skin binding exists.
class TsLabel : public TLabel {
public:
    explicit TsLabel(TComponent* owner);
    std::string ClassName() const override { return "TsLabel"; }
};
