#pragma once

#include "platform/toolkit/TCustomForm.h"

// The form class the program's windows derive from.
class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    std::string ClassName() const override { return "TForm"; }
};
