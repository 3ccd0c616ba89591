// The preview sheet: its layout, the samples at their places and in their states, the
// recolouring, and the command's error rules.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "platform/os/FileSystem.h"
#include "skin/SkinProcessState.h"
#include "skin/storedskins/StoredSkinPackages.h"
#include "platform/graphics/PngReader.h"
#include "tools/quibbleton-skin/SkinPreview.h"
#include "tools/quibbleton-skin/SkinRender.h"
#include "tools/quibbleton-skin/TPreviewSheetLayout.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* StoredSkin = "stored:Office2007 Black (internal)";

using K = TPreviewSampleKind;
using S = TPreviewButtonState;

const TPreviewSheetLayout& Layout() {
    return TPreviewSheetLayout::Instance();
}

TColor Pixel(const TBitmap& b, int x, int y) {
    return b.GetPixel(x, y) & 0xFFFFFF;
}

// How many pixels of the rectangle differ between two bitmaps (or, with one bitmap, between
// two rectangles of the same size).
int DifferingPixels(const TBitmap& a, const TRect& ra, const TBitmap& b, const TRect& rb) {
    int count = 0;
    for (int y = 0; y < ra.Height(); ++y)
        for (int x = 0; x < ra.Width(); ++x)
            if (Pixel(a, ra.Left + x, ra.Top + y) != Pixel(b, rb.Left + x, rb.Top + y)) ++count;
    return count;
}

// The control's own pixels: its rectangle inside two cells of the same shape.
int DifferingControlPixels(const TBitmap& sheet, const TPreviewCell& a, const TPreviewCell& b) {
    return DifferingPixels(sheet, a.Control, sheet, b.Control);
}

bool InsideAnyPaintedArea(int x, int y) {
    if (Layout().Title().Contains(TPoint{x, y})) return true;
    for (const TPreviewCell& cell : Layout().Cells())
        if (cell.Sample.Contains(TPoint{x, y}) || cell.Label.Contains(TPoint{x, y})) return true;
    return false;
}

struct TRun {
    int Status = 0;
    std::string Err;
};

TRun Preview(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    TRun run;
    run.Status = PreviewSkinSheet(args, out, err, StoredSkinPackages());
    run.Err = err.str();
    return run;
}

// One sheet of a stored skin, painted once for the whole suite.
class PreviewSheetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_sheet = std::make_unique<TBitmap>(PaintPreviewSheet(StoredSkin, {}, StoredSkinPackages()));
    }
    static void TearDownTestSuite() { s_sheet.reset(); }
    static const TBitmap& Sheet() { return *s_sheet; }

    static std::unique_ptr<TBitmap> s_sheet;
};

std::unique_ptr<TBitmap> PreviewSheetTest::s_sheet;

class PreviewCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("quibbleton-preview-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }
    fs::path m_root;
};

} // namespace

// ---------------------------------------------------------------- layout

TEST(PreviewSheetLayoutTest, EveryCellLiesOnTheSheetWithItsLabelUnderItsSample) {
    const TRect sheet{0, 0, TPreviewSheetLayout::Width, TPreviewSheetLayout::Height};
    for (const TPreviewCell& cell : Layout().Cells()) {
        EXPECT_TRUE(sheet.Contains(cell.Sample)) << cell.Caption;
        EXPECT_TRUE(sheet.Contains(cell.Label)) << cell.Caption;
        EXPECT_TRUE(cell.Sample.Contains(cell.Control)) << cell.Caption;
        EXPECT_GE(cell.Label.Top, cell.Sample.Bottom) << cell.Caption;
        EXPECT_FALSE(cell.Caption.empty());
        EXPECT_FALSE(cell.Sample.Intersects(Layout().Title())) << cell.Caption;
    }
}

TEST(PreviewSheetLayoutTest, NoTwoCellsOverlap) {
    const auto cells = Layout().Cells();
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = i + 1; j < cells.size(); ++j) {
            for (const TRect& a : {cells[i].Sample, cells[i].Label})
                for (const TRect& b : {cells[j].Sample, cells[j].Label})
                    EXPECT_FALSE(a.Intersects(b)) << cells[i].Caption << " / " << cells[j].Caption;
        }
}

TEST(PreviewSheetLayoutTest, EachSizeClassHasEveryStateAtTheMainScreensSize) {
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass) {
        const TPreviewCell& normal = Layout().Cell(K::Button, sizeClass, S::Normal);
        for (const S state : {S::Normal, S::Hot, S::Pressed, S::Focused, S::Disabled}) {
            const TPreviewCell& cell = Layout().Cell(K::Button, sizeClass, state);
            EXPECT_EQ(cell.SizeClass, sizeClass);
            EXPECT_EQ(cell.State, state);
            EXPECT_EQ(cell.Control.Width(), normal.Control.Width());
            EXPECT_EQ(cell.Control.Height(), normal.Control.Height());
            EXPECT_NE(cell.Caption.find(TPreviewSheetLayout::StateName(state)), std::string::npos);
        }
    }
    EXPECT_THROW(Layout().Cell(K::Button, 6, S::Normal), std::out_of_range);
}

// ---------------------------------------------------------------- the sheet of a stored skin

TEST_F(PreviewSheetTest, TheSheetHasTheLayoutsSize) {
    EXPECT_EQ(Sheet().Width(), TPreviewSheetLayout::Width);
    EXPECT_EQ(Sheet().Height(), TPreviewSheetLayout::Height);
}

TEST_F(PreviewSheetTest, EverySampleShowsInItsCellAndNothingOutsideTheCells) {
    for (const TPreviewCell& cell : Layout().Cells()) {
        int painted = 0;
        for (int y = cell.Sample.Top; y < cell.Sample.Bottom; ++y)
            for (int x = cell.Sample.Left; x < cell.Sample.Right; ++x)
                if (Pixel(Sheet(), x, y) != TPreviewSheetLayout::Background) ++painted;
        // At least a quarter of the cell: a window or a control with the form around it.
        EXPECT_GT(painted, cell.Sample.Width() * cell.Sample.Height() / 4) << cell.Caption;
    }
    int outside = 0;
    for (int y = 0; y < Sheet().Height(); ++y)
        for (int x = 0; x < Sheet().Width(); ++x)
            if (!InsideAnyPaintedArea(x, y) && Pixel(Sheet(), x, y) != TPreviewSheetLayout::Background)
                ++outside;
    EXPECT_EQ(outside, 0);
}

TEST_F(PreviewSheetTest, EveryLabelAndTheTitleAreWritten) {
    for (const TPreviewCell& cell : Layout().Cells()) {
        int ink = 0;
        for (int y = cell.Label.Top; y < cell.Label.Bottom; ++y)
            for (int x = cell.Label.Left; x < cell.Label.Right; ++x)
                if (Pixel(Sheet(), x, y) != TPreviewSheetLayout::Background) ++ink;
        EXPECT_GT(ink, 10) << cell.Caption;
    }
    const TRect title = Layout().Title();
    int ink = 0;
    for (int y = title.Top; y < title.Bottom; ++y)
        for (int x = title.Left; x < title.Right; ++x)
            if (Pixel(Sheet(), x, y) != TPreviewSheetLayout::Background) ++ink;
    EXPECT_GT(ink, 100);
}

TEST_F(PreviewSheetTest, HotPressedAndDisabledButtonsDifferFromEachOther) {
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass) {
        const TPreviewCell& normal = Layout().Cell(K::Button, sizeClass, S::Normal);
        const TPreviewCell& hot = Layout().Cell(K::Button, sizeClass, S::Hot);
        const TPreviewCell& pressed = Layout().Cell(K::Button, sizeClass, S::Pressed);
        const TPreviewCell& disabled = Layout().Cell(K::Button, sizeClass, S::Disabled);
        EXPECT_GT(DifferingControlPixels(Sheet(), normal, hot), 0) << sizeClass;
        EXPECT_GT(DifferingControlPixels(Sheet(), hot, pressed), 0) << sizeClass;
        EXPECT_GT(DifferingControlPixels(Sheet(), normal, disabled), 0) << sizeClass;
    }
}

// The last frame of a fade shows each channel v of the new face as (255 v + 127) >> 8.
TColor AfterFade(TColor c) {
    const auto channel = [](int v) { return std::uint8_t((255 * v + 127) >> 8); };
    return MakeColor(channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)));
}

// The sheet shows the faces the button's own face rebuild makes for the states 0, 1 and 2,
// the hot and pressed ones as a finished fade leaves them (this skin's button section is
// opaque, so the edges do not depend on the background; the captions cover the sides of the
// smallest buttons and a pressed caption moves down onto the row above the bottom one, so the
// middles of the top edge and of the bottom row are compared).
TEST_F(PreviewSheetTest, ButtonEdgesAreTheFacesOfTheirStates) {
    const fs::path folder =
        fs::temp_directory_path() /
        ("quibbleton-preview-faces-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(folder);
    const std::pair<S, int> states[] = {{S::Normal, 0}, {S::Hot, 1}, {S::Pressed, 2}};
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass)
        for (const auto& [state, faceState] : states) {
            const TRect r = Layout().Cell(K::Button, sizeClass, state).Control;
            const std::string file = (folder / "face.png").string();
            std::ostringstream out, err;
            ASSERT_EQ(RenderSkinFace({"render", StoredSkin, "BUTTON",
                                      std::to_string(r.Width()) + "x" + std::to_string(r.Height()), "-o",
                                      file, "--button", "--state", std::to_string(faceState)},
                                     out, err, StoredSkinPackages()),
                      0)
                << err.str();
            const std::optional<TBitmap> face = ReadPngFile(file);
            ASSERT_TRUE(face);
            for (const TPoint p : {TPoint{r.Width() / 2, 1}, TPoint{r.Width() / 2, r.Height() - 1}}) {
                const TColor made = Pixel(*face, p.X, p.Y);
                EXPECT_EQ(Pixel(Sheet(), r.Left + p.X, r.Top + p.Y), faceState == 0 ? made : AfterFade(made))
                    << "size " << sizeClass << " state " << faceState << " at " << p.X << "," << p.Y;
            }
        }
    fs::remove_all(folder);
}

TEST_F(PreviewSheetTest, TheActiveAndInactiveDialogsAndTheCloseButtonStatesDiffer) {
    const TPreviewCell& active = Layout().Cell(K::DialogActive);
    const TPreviewCell& inactive = Layout().Cell(K::DialogInactive);
    const TPreviewCell& hot = Layout().Cell(K::DialogCloseHot);
    const TPreviewCell& pressed = Layout().Cell(K::DialogClosePressed);
    EXPECT_GT(DifferingPixels(Sheet(), active.Sample, Sheet(), inactive.Sample), 0);
    EXPECT_GT(DifferingPixels(Sheet(), active.Sample, Sheet(), hot.Sample), 0);
    EXPECT_GT(DifferingPixels(Sheet(), hot.Sample, Sheet(), pressed.Sample), 0);
    // Only the title band changes with the close button's state: the client area stays.
    const int bottom = active.Sample.Height() * 3 / 4;
    const TRect lowerActive = TRect::FromBounds(active.Sample.Left, active.Sample.Top + bottom,
                                                active.Sample.Width(), active.Sample.Height() - bottom);
    const TRect lowerHot = lowerActive.Offset(hot.Sample.Left - active.Sample.Left, 0);
    EXPECT_EQ(DifferingPixels(Sheet(), lowerActive, Sheet(), lowerHot), 0);
}

TEST_F(PreviewSheetTest, TheFocusedEditAndTheOpenListDifferFromTheirPlainOnes) {
    EXPECT_GT(DifferingControlPixels(Sheet(), Layout().Cell(K::Edit), Layout().Cell(K::EditFocused)), 0);
    // The open list lies below the closed box.
    const TPreviewCell& closed = Layout().Cell(K::ComboBox);
    const TPreviewCell& open = Layout().Cell(K::ComboBoxOpen);
    const TRect belowOpen =
        TRect::FromBounds(open.Control.Left, open.Control.Bottom + 2, open.Control.Width(), 40);
    int changed = 0;
    for (int y = belowOpen.Top; y < belowOpen.Bottom; ++y)
        for (int x = belowOpen.Left; x < belowOpen.Right; ++x)
            if (Pixel(Sheet(), x, y) != Pixel(Sheet(), x - open.Control.Left + closed.Control.Left,
                                              y - open.Control.Top + closed.Control.Top))
                ++changed;
    EXPECT_GT(changed, belowOpen.Width() * belowOpen.Height() / 2);
}

TEST_F(PreviewSheetTest, TheSameSkinGivesTheSameSheetAndLeavesTheDefaultManagerAlone) {
    TsSkinManager* before = DefaultManager();
    const TBitmap again = PaintPreviewSheet(StoredSkin, {}, StoredSkinPackages());
    EXPECT_EQ(DefaultManager(), before);
    const TRect whole{0, 0, Sheet().Width(), Sheet().Height()};
    EXPECT_EQ(DifferingPixels(Sheet(), whole, again, whole), 0);
}

TEST_F(PreviewSheetTest, AHueOffsetRecoloursTheSamplesAndNamesItInTheTitle) {
    const TBitmap shifted = PaintPreviewSheet(StoredSkin, {120, 0}, StoredSkinPackages());
    const TPreviewCell& hot = Layout().Cell(K::Button, 5, S::Hot);
    EXPECT_GT(DifferingPixels(Sheet(), hot.Control, shifted, hot.Control), hot.Control.Width());
    EXPECT_GT(DifferingPixels(Sheet(), Layout().Title(), shifted, Layout().Title()), 0);
    // The layout does not move: the labels are the same.
    for (const TPreviewCell& cell : Layout().Cells())
        EXPECT_EQ(DifferingPixels(Sheet(), cell.Label, shifted, cell.Label), 0) << cell.Caption;
}

TEST(PreviewFolderSkinTest, ASkinFolderIsPaintedWithItsOwnLook) {
    const std::string folder = std::string(QUIBBLETON_SOURCE_DIR) + "/skins/extra/Marble";
    const TBitmap sheet = PaintPreviewSheet(folder, {}, StoredSkinPackages());
    const TBitmap stored = PaintPreviewSheet(StoredSkin, {}, StoredSkinPackages());
    const TPreviewCell& normal = Layout().Cell(K::Button, 4, S::Normal);
    EXPECT_GT(DifferingPixels(sheet, normal.Sample, stored, normal.Sample), 0);
}

// A skin that holds nothing but a button colour: frames, edits and lists keep the platform's
// look, and the sheet is still whole.
TEST_F(PreviewCommandTest, ASkinWithOnlyAButtonSectionStillFillsEveryCell) {
    const fs::path folder = m_root / "Tiny";
    fs::create_directories(folder);
    const std::string options = "[GLOBALINFO]\r\nVERSION=5.41\r\n[BUTTON]\r\nCOLOR=255\r\n";
    WriteFileAtomically(
        (folder / "Options.dat").string(),
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(options.data()), options.size()));
    const TBitmap sheet =
        PaintPreviewSheet(folder.string(), {2147483647, -2147483647 - 1}, StoredSkinPackages());
    ASSERT_EQ(sheet.Width(), TPreviewSheetLayout::Width);
    for (const TPreviewCell& cell : Layout().Cells()) {
        int painted = 0;
        for (int y = cell.Sample.Top; y < cell.Sample.Bottom; ++y)
            for (int x = cell.Sample.Left; x < cell.Sample.Right; ++x)
                if (Pixel(sheet, x, y) != TPreviewSheetLayout::Background) ++painted;
        EXPECT_GT(painted, 0) << cell.Caption;
    }
}

// ---------------------------------------------------------------- the command

TEST_F(PreviewCommandTest, WritesTheSheetAsAPng) {
    const std::string file = (m_root / "sheet.png").string();
    const TRun run = Preview({"preview", StoredSkin, "-o", file, "--hue", "30", "--saturation", "-20"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::optional<TBitmap> png = ReadPngFile(file);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->Width(), TPreviewSheetLayout::Width);
    EXPECT_EQ(png->Height(), TPreviewSheetLayout::Height);
}

TEST_F(PreviewCommandTest, AnUnknownSkinIsAnErrorAndWritesNothing) {
    const std::string file = (m_root / "sheet.png").string();
    const TRun stored = Preview({"preview", "stored:No Such Skin", "-o", file});
    EXPECT_EQ(stored.Status, 1);
    EXPECT_NE(stored.Err.find("no stored skin 'No Such Skin'"), std::string::npos) << stored.Err;
    const TRun missing = Preview({"preview", (m_root / "absent.mvz").string(), "-o", file});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("no package file"), std::string::npos) << missing.Err;
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(PreviewCommandTest, MissingOutputSkinOrNumberAreErrors) {
    const TRun noOutput = Preview({"preview", StoredSkin});
    EXPECT_EQ(noOutput.Status, 1);
    EXPECT_NE(noOutput.Err.find("needs -o OUT.png"), std::string::npos) << noOutput.Err;
    const TRun noFile = Preview({"preview", StoredSkin, "-o"});
    EXPECT_EQ(noFile.Status, 1);
    EXPECT_NE(noFile.Err.find("'-o' needs a file name"), std::string::npos) << noFile.Err;
    const TRun noSkin = Preview({"preview", "-o", "x.png"});
    EXPECT_EQ(noSkin.Status, 1);
    EXPECT_NE(noSkin.Err.find("needs a skin"), std::string::npos) << noSkin.Err;
    const TRun badHue = Preview({"preview", StoredSkin, "-o", "x.png", "--hue", "red"});
    EXPECT_EQ(badHue.Status, 1);
    EXPECT_NE(badHue.Err.find("'red' is not a number"), std::string::npos) << badHue.Err;
    const TRun noHue = Preview({"preview", StoredSkin, "-o", "x.png", "--hue"});
    EXPECT_EQ(noHue.Status, 1);
    EXPECT_NE(noHue.Err.find("'--hue' needs a number"), std::string::npos) << noHue.Err;
    const TRun unknown = Preview({"preview", StoredSkin, "-o", "x.png", "--glow"});
    EXPECT_EQ(unknown.Status, 1);
    EXPECT_NE(unknown.Err.find("unknown option '--glow'"), std::string::npos) << unknown.Err;
    EXPECT_FALSE(fs::exists("x.png"));
}

TEST_F(PreviewCommandTest, TheHelpNamesTheCommand) {
    std::ostringstream out, err;
    EXPECT_EQ(RunSkinTool({"--help"}, out, err, {}), 0);
    EXPECT_NE(out.str().find("preview SKIN -o OUT.png"), std::string::npos);
}
