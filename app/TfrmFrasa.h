#pragma once

#include "app/TSkinManagedForm.h"

class TsLabelFX;

// The phrase dialog: a small stay-on-top dialog titled "Случайная фраза" whose one label
// shows a phrase. It has no code of its own; the main screen creates it per click, fills the
// label, centres it, shows it modally and frees it.
class TfrmFrasa : public TSkinManagedForm {
public:
    explicit TfrmFrasa(TComponent* owner);
    std::string ClassName() const override { return "TfrmFrasa"; }

    TsLabelFX* sLabel = nullptr;
};

// The phrase dialog while it is shown (null otherwise).
extern TfrmFrasa* frmFrasa;
