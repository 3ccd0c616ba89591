#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"

namespace {

const std::string ThreePhrases = "Первая\r\nВторая\r\nТретья\r\n";

// What each click showed: the phrase dialog's text, or "<none>" when no dialog opened.
std::vector<std::string> PhrasesShown(const TRunResult& run) {
    std::vector<std::string> shown;
    for (const auto& dump : run.Dumps()) {
        const auto* dialog = FindWindow(dump, "TfrmFrasa");
        if (!dialog) {
            shown.push_back("<none>");
            continue;
        }
        const auto* label = FindControl(*dialog, "sLabel");
        shown.push_back(label ? label->at("text").get<std::string>() : "<no label>");
    }
    return shown;
}

std::string Clicks(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += script::ClickAndDumpPhrase(i % 2 ? "sButton42" : "sButton1");
    return text;
}

using Phrases = std::vector<std::string>;

} // namespace

TEST(PhraseDialog, ClicksShowThePhrasesInFileOrderAndWrap) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    const TRunResult run = sandbox.Run({"/s"}, Clicks(5));
    EXPECT_EQ(PhrasesShown(run), (Phrases{"Первая", "Вторая", "Третья", "Первая", "Вторая"})) << run.Err;
}

TEST(PhraseDialog, SequenceContinuesAcrossARestart) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    sandbox.Run({"/s"}, Clicks(2) + script::PressBackground());
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "1");
    const TRunResult again = sandbox.Run({"/s"}, Clicks(1));
    EXPECT_EQ(PhrasesShown(again), (Phrases{"Третья"}));
}

TEST(PhraseDialog, OnePhraseShowsAtEveryClick) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("Одна");
    EXPECT_EQ(PhrasesShown(sandbox.Run({"/s"}, Clicks(3))), (Phrases{"Одна", "Одна", "Одна"}));
}

TEST(PhraseDialog, TrailingEmptyLineIsAPhraseOfItsOwn) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("a\r\nb\r\n\r\n");
    EXPECT_EQ(PhrasesShown(sandbox.Run({"/s"}, Clicks(4))), (Phrases{"a", "b", "", "a"}));
}

TEST(PhraseDialog, EightBitPhrasesAreShownDecoded) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"); // "Привет" in Windows-1251
    EXPECT_EQ(PhrasesShown(sandbox.Run({"/s"}, Clicks(1))), (Phrases{"Привет"}));
}

TEST(PhraseDialog, EmptyListShowsNoDialogAndStoresZeroAfterAClick) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("");
    const TRunResult run = sandbox.Run({"/s"}, "click sButton1\ndump -\n" + script::PressBackground());
    EXPECT_EQ(PhrasesShown(run), (Phrases{"<none>"}));
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "0");
}

TEST(PhraseDialog, MissingFileStoresMinusOneWithoutAClick) {
    TProgramSandbox sandbox;
    const TRunResult run = sandbox.Run({"/s"}, script::PressBackground());
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "-1");
}

TEST(PhraseDialog, IsTheDesignedDialogCentredOnTheMainScreen) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    const auto dumps = sandbox.Run({"/s"}, "click sButton5\ndump -\n").Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    const auto* dialog = FindWindow(dumps[0], "TfrmFrasa");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->at("text"), "Случайная фраза");
    EXPECT_TRUE(dialog->at("modal").get<bool>());
    const TRect r = BoundsOf(*dialog);
    EXPECT_EQ(r.Left, (1920 - r.Width()) / 2);
    EXPECT_EQ(r.Top, (1080 - r.Height()) / 2);
    const auto* label = FindControl(*dialog, "sLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->at("class"), "TsLabelFX");
    EXPECT_EQ(BoundsOf(*label), TRect::FromBounds(24, 32, 321, 105));
}

TEST(PhraseDialog, LargerThanTheScreenItIsCentredWithTheHalfTruncatedTowardZero) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    sandbox.SetScreen(300, 101);
    const auto dumps = sandbox.Run({"/s"}, "click sButton5\ndump -\n").Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    const auto* dialog = FindWindow(dumps[0], "TfrmFrasa");
    ASSERT_NE(dialog, nullptr);
    const TRect r = BoundsOf(*dialog);
    ASSERT_GT(r.Width(), 300);
    ASSERT_GT(r.Height(), 101);
    // -(excess div 2): a negative odd difference loses its half pixel toward the edge.
    EXPECT_EQ(r.Left, -((r.Width() - 300) / 2));
    EXPECT_EQ(r.Top, -((r.Height() - 101) / 2));
}

TEST(PhraseDialog, IsFreedAfterItCloses) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    const auto dumps = sandbox.Run({"/s"}, Clicks(1) + "dump -\n").Dumps();
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(FindWindow(dumps[1], "TfrmFrasa"), nullptr);
}

struct TStoredIndexCase {
    std::string Stored;
    std::string FirstPhrase;
};

void PrintTo(const TStoredIndexCase& c, std::ostream* out) {
    *out << "stored \"" << c.Stored << "\"";
}

class StoredPhraseIndex : public ::testing::TestWithParam<TStoredIndexCase> {};

TEST_P(StoredPhraseIndex, DecidesTheFirstPhraseShown) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    sandbox.WriteSetting("LastFrase", GetParam().Stored);
    const TRunResult run = sandbox.Run({"/s"}, Clicks(1));
    EXPECT_EQ(PhrasesShown(run), (Phrases{GetParam().FirstPhrase}))
        << "stored: " << GetParam().Stored << run.Err;
}

INSTANTIATE_TEST_SUITE_P(Values, StoredPhraseIndex,
                         ::testing::Values(TStoredIndexCase{"0", "Вторая"}, TStoredIndexCase{"7", "Первая"},
                                           TStoredIndexCase{"2", "Первая"}, TStoredIndexCase{"abc", "Первая"},
                                           TStoredIndexCase{"", "Первая"}, TStoredIndexCase{"-5", "Первая"},
                                           TStoredIndexCase{" 1", "Третья"},
                                           TStoredIndexCase{"$1", "Третья"}));

TEST(StoredPhraseIndexBelowMinusOne, IsStoredBackAsMinusOneWithoutAClick) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    sandbox.WriteSetting("LastFrase", "-5");
    sandbox.Run({"/s"}, script::PressBackground());
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "-1");
}

TEST(StoredPhraseIndexEmpty, LeavesTheIndexUnchanged) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases(ThreePhrases);
    sandbox.WriteSetting("LastFrase", "");
    sandbox.Run({"/s"}, script::PressBackground());
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "-1");
}

TEST(UnreadablePhraseFile, IsReportedAndTheWindowStillOpensUnscaled) {
    TProgramSandbox sandbox;
    std::filesystem::create_directory(sandbox.PhrasePath());
    const TRunResult run = sandbox.Run({"/s"}, "dump -\nkey Enter\ndump -\n" + Clicks(1));
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 3u) << run.Err;
    const std::string first = dumps[0].dump();
    EXPECT_NE(first.find("TMessageForm"), std::string::npos);
    EXPECT_NE(first.find(sandbox.PhrasePath().string()), std::string::npos) << first;
    const auto* form = FindWindow(dumps[1], "TForm1");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->at("visible").get<bool>());
    EXPECT_EQ(FindWindow(dumps[1], "TMessageForm"), nullptr);
    // The rest of the creation was skipped: no layout records, so the buttons keep their
    // design bounds on a 1920 x 1080 screen; and clicks show nothing.
    EXPECT_EQ(BoundsOf(*FindControl(*form, "sButton5")), TRect::FromBounds(416, 296, 241, 129));
    EXPECT_EQ(FindWindow(dumps[2], "TfrmFrasa"), nullptr);
}
