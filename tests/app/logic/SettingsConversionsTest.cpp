#include "app/SettingsConversions.h"
#include "app/PhraseSequence.h"

#include <gtest/gtest.h>

TEST(StrToPhraseIndex, ReadsWhatTheRuntimeConversionReads) {
    EXPECT_EQ(StrToPhraseIndex("7"), 7);
    EXPECT_EQ(StrToPhraseIndex(" 70"), 70);
    EXPECT_EQ(StrToPhraseIndex("$46"), 70);
    EXPECT_EQ(StrToPhraseIndex("0x46"), 70);
    EXPECT_EQ(StrToPhraseIndex("-1"), -1);
    EXPECT_EQ(StrToPhraseIndex("+2"), 2);
}

TEST(StrToPhraseIndex, IsMinusOneForAnythingElse) {
    EXPECT_EQ(StrToPhraseIndex("abc"), -1);
    EXPECT_EQ(StrToPhraseIndex(""), -1);
    EXPECT_EQ(StrToPhraseIndex("7 "), -1);
    EXPECT_EQ(StrToPhraseIndex("4294967296"), -1);
}

TEST(StrToHue, IsZeroWhenNotAnInteger) {
    EXPECT_EQ(StrToHue("abc"), 0);
    EXPECT_EQ(StrToHue(""), 0);
    EXPECT_EQ(StrToHue(" 70"), 70);
    EXPECT_EQ(StrToHue("$46"), 70);
    EXPECT_EQ(StrToHue("5000"), 5000);
    EXPECT_EQ(StrToHue("-30"), -30);
}

TEST(StoredPhraseIndex, KeepsIndexesFromMinusOneUp) {
    EXPECT_EQ(StoredPhraseIndex("-1"), -1);
    EXPECT_EQ(StoredPhraseIndex("2"), 2);
    EXPECT_EQ(StoredPhraseIndex("7"), 7);
}

TEST(StoredPhraseIndex, TreatsIndexesBelowMinusOneAsNoneShown) {
    EXPECT_EQ(StoredPhraseIndex("-5"), NoPhraseShown);
    EXPECT_EQ(StoredPhraseIndex("-2147483648"), NoPhraseShown);
}

TEST(StoredPhraseIndex, IsMinusOneForANonNumber) {
    EXPECT_EQ(StoredPhraseIndex("abc"), NoPhraseShown);
}

TEST(NextPhraseIndex, StepsThroughTheListAndWraps) {
    EXPECT_EQ(NextPhraseIndex(-1, 3), 0);
    EXPECT_EQ(NextPhraseIndex(0, 3), 1);
    EXPECT_EQ(NextPhraseIndex(1, 3), 2);
    EXPECT_EQ(NextPhraseIndex(2, 3), 0);
}

TEST(NextPhraseIndex, StartsAgainFromAnIndexAtOrBeyondTheLast) {
    EXPECT_EQ(NextPhraseIndex(7, 3), 0);
    EXPECT_EQ(NextPhraseIndex(0, 1), 0);
}

TEST(NextPhraseIndex, IsZeroForAnEmptyList) {
    EXPECT_EQ(NextPhraseIndex(-1, 0), 0);
    EXPECT_EQ(NextPhraseIndex(0, 0), 0);
}

TEST(NextPhraseIndex, NeverGoesBelowTheFirstPhrase) {
    EXPECT_EQ(NextPhraseIndex(-5, 3), 0);
    EXPECT_EQ(NextPhraseIndex(-2147483647 - 1, 3), 0);
}
