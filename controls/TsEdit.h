#pragma once

#include "platform/toolkit/TEdit.h"

// The skinned single-line edit. Until its skin binding exists it shows the platform edit's look.
class TsEdit : public TEdit {
public:
    explicit TsEdit(TComponent* owner);
    std::string ClassName() const override { return "TsEdit"; }
};
