#include "app/PhraseSequence.h"

#include "app/SettingsConversions.h"

std::int32_t NextPhraseIndex(std::int32_t index, int phraseCount) {
    if (index < NoPhraseShown) index = NoPhraseShown;
    if (index < phraseCount - 1) return index + 1;
    return 0;
}

std::int32_t StoredPhraseIndex(std::string_view text) {
    const std::int32_t index = StrToPhraseIndex(text);
    return index < NoPhraseShown ? NoPhraseShown : index;
}
