#include "render/SkinDump.h"

#include "platform/toolkit/TJsonWriter.h"
#include "render/TsCommonData.h"
#include "skin/TsSkinManager.h"

void WriteSkinDumpField(TJsonWriter& json, const TsCommonData& binding, int state) {
    json.Key("skin");
    json.BeginObject();
    json.Key("manager");
    if (const TsSkinManager* manager = binding.SkinManager())
        json.String(manager->Name());
    else
        json.Null();
    json.Field("section", binding.SkinSection());
    json.Field("skinned", binding.Skinned(true));
    json.Field("state", state);
    json.EndObject();
}
