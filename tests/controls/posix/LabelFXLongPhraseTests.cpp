#include "../LabelFXTestFixture.h"

#include "skin/support/ChildProcess.h"

using namespace labelfxtest;

// ---------------------------------------------------------------- long phrases

namespace {

std::string WordLine(std::size_t bytes) {
    std::string line;
    line.reserve(bytes);
    while (line.size() + 5 <= bytes)
        line += "word ";
    return line;
}

} // namespace

TEST_F(LabelFXTest, AFortyMegabytePhraseShowsItsStartInBoundedMemory) {
    // The phrase dialog's label: 321 x 105, word wrap, a one-pass glow.
    constexpr std::int64_t MB = 1024 * 1024;
    constexpr std::size_t PhraseBytes = std::size_t(40 * MB);
    LoadGlobalInfo(0, 16777215, 0, 1, 1);
    TsLabelFX* label = Phrase();
    label->SetBounds(24, 32, 321, 105);
    auto paintWith = [&](std::size_t bytes) {
        std::string phrase = WordLine(bytes);
        label->SetCaption(phrase);
        phrase = std::string();
        return PaintOver(*label, Behind);
    };
    const TBitmap start = paintWith(4000);
    const skintest::TChildResult shortRun =
        skintest::RunInChild(2048 * MB, [&] { return paintWith(4000) == start ? 0 : 1; });
    const skintest::TChildResult longRun =
        skintest::RunInChild(2048 * MB, [&] { return paintWith(PhraseBytes) == start ? 0 : 1; });
    EXPECT_TRUE(shortRun.Exited);
    EXPECT_EQ(shortRun.Code, 0);
    EXPECT_TRUE(longRun.Exited);
    EXPECT_EQ(longRun.Code, 0) << "the long phrase shows what its first words show";
    // The phrase is held twice at most (the test's line and the caption), and nothing more
    // grows with it.
    EXPECT_LT(longRun.PeakBytes - shortRun.PeakBytes, std::int64_t(2 * PhraseBytes + 24 * MB));
}
