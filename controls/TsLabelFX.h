#pragma once

#include "platform/toolkit/TLabel.h"

// The effect label: text drawn with the skin's text colour and a glow behind it. Until the
// skin binding exists it draws as a plain label in its own font and colour.
class TsLabelFX : public TLabel {
public:
    explicit TsLabelFX(TComponent* owner);
    std::string ClassName() const override { return "TsLabelFX"; }
};
