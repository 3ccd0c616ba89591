#include "app/SettingsConversions.h"

#include "platform/core/StrToInt.h"

std::int32_t StrToHue(std::string_view text) {
    return StrToIntDef(text, 0);
}

std::int32_t StrToPhraseIndex(std::string_view text) {
    return StrToIntDef(text, -1);
}
