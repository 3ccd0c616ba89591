#pragma once

#include "platform/toolkit/TCustomEdit.h"

// The single-line edit as forms place it.
class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
    std::string ClassName() const override { return "TEdit"; }
};
