#pragma once

#include <cstdint>
#include <string_view>

// The phrase index: the index in the phrase list of the phrase shown last, -1 before any.

inline constexpr std::int32_t NoPhraseShown = -1;

// The index of the next phrase: one on, or back to the first after the last. An index
// below -1 (which the program never stores) counts as -1, so the next phrase is the first.
std::int32_t NextPhraseIndex(std::int32_t index, int phraseCount);

// The phrase index a stored "LastFrase" text stands for: the text's integer, -1 when it is
// none, and -1 as well for anything below -1, so that no phrase outside the list is read.
std::int32_t StoredPhraseIndex(std::string_view text);
