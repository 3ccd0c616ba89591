#include "platform/toolkit/TFormDesign.h"

#include "platform/core/Exceptions.h"
#include "platform/toolkit/TCustomForm.h"

TFormDesign& TFormDesign::Form(std::function<void(TCustomForm&)> setter) {
    m_form.push_back(std::move(setter));
    return *this;
}

void ReadFormDesign(TCustomForm& form, const TFormDesign& design) {
    std::vector<TComponent*> loaded{&form};
    form.SetLoadingState(true);
    for (const auto& setter : design.FormProperties())
        setter(form);
    for (const auto& entry : design.Entries()) {
        TComponent* c = entry.Create(&form);
        if (!c) throw EReadError("Component " + entry.Name + " could not be created");
        c->SetLoadingState(true);
        loaded.push_back(c);
        c->SetName(entry.Name);
        if (auto* control = dynamic_cast<TControl*>(c)) {
            TWinControl* parent = &form;
            if (!entry.ParentName.empty()) {
                parent = dynamic_cast<TWinControl*>(form.FindComponent(entry.ParentName));
                if (!parent)
                    throw EReadError("Parent " + entry.ParentName + " of " + entry.Name + " not found");
            }
            control->SetParent(parent);
        }
        for (const auto& setter : entry.Properties)
            setter(*c);
        c->ClearReadingState();
    }
    form.ClearReadingState();
    for (TComponent* c : loaded)
        c->Loaded();
}
