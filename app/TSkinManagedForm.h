#pragma once

#include "platform/toolkit/TForm.h"

// A window of the program that owns skin managers. Its automation dump lists them, so that
// scripts can see which skin and hue each manager wears:
// "managers":[{"name","SkinName","HueOffset","Saturation","Active","IsDefault"}].
class TSkinManagedForm : public TForm {
public:
    explicit TSkinManagedForm(TComponent* owner) : TForm(owner) {}
    void WriteDumpFields(TJsonWriter& json) const override;
};
