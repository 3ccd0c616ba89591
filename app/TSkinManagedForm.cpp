#include "app/TSkinManagedForm.h"

#include "platform/toolkit/TJsonWriter.h"
#include "skin/TsSkinManager.h"

void TSkinManagedForm::WriteDumpFields(TJsonWriter& json) const {
    TForm::WriteDumpFields(json);
    json.Key("managers");
    json.BeginArray();
    for (const TComponent* component : ComponentList()) {
        const auto* manager = dynamic_cast<const TsSkinManager*>(component);
        if (!manager) continue;
        json.BeginObject();
        json.Field("name", manager->Name());
        json.Field("SkinName", manager->SkinName());
        json.Field("HueOffset", int(manager->HueOffset()));
        json.Field("Saturation", int(manager->Saturation()));
        json.Field("Active", manager->Active());
        json.Field("IsDefault", manager->IsDefault());
        json.EndObject();
    }
    json.EndArray();
}
