#pragma once

class TJsonWriter;
class TsCommonData;

// The automation dump's "skin" field of a control that carries a binding:
// "skin":{"manager":NAME,"section":SECTION,"skinned":BOOL,"state":N} with the effective
// manager's name (null without one), the section, whether it paints skinned with an active
// skin, and the face state it would paint now (0 normal, 1 hot, 2 pressed).
void WriteSkinDumpField(TJsonWriter& json, const TsCommonData& binding, int state);
