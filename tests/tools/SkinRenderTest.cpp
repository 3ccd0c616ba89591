#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "controls/ButtonFace.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/PngWriter.h"
#include "platform/graphics/SystemColors.h"
#include "platform/os/FileSystem.h"
#include "platform/text/TextFlags.h"
#include "skin/TsSkinLoader.h"
#include "skin/storedskins/StoredSkinPackages.h"
#include "platform/graphics/PngReader.h"
#include "tools/quibbleton-skin/SkinRender.h"
#include "tools/quibbleton-skin/SkinTool.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status = 0;
    std::string Err;
};

TRun Render(const std::vector<std::string>& rest) {
    std::vector<std::string> args;
    args.reserve(rest.size() + 1);
    args.emplace_back("render");
    for (const std::string& arg : rest)
        args.push_back(arg);
    std::ostringstream out, err;
    TRun run;
    run.Status = RenderSkinFace(args, out, err, StoredSkinPackages());
    run.Err = err.str();
    return run;
}

nlohmann::json Dump(const std::string& skin) {
    std::ostringstream out, err;
    EXPECT_EQ(RunSkinTool({"dump", skin}, out, err, StoredSkinPackages()), 0) << err.str();
    return nlohmann::json::parse(out.str());
}

const nlohmann::json& Named(const nlohmann::json& list, const std::string& key, const std::string& name) {
    for (const auto& item : list)
        if (item.value(key, "") == name) return item;
    throw std::runtime_error("no " + name);
}

// The row colours of a vertical gradient by its rule: single-precision accumulators,
// double-precision steps, ties to even.
std::vector<TColor> VerticalGradientRows(const nlohmann::json& segments, int height) {
    std::vector<TColor> rows(std::size_t(height), 0);
    int e = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const TColor from = segments[i][0], to = segments[i][1];
        const int percent = segments[i][2];
        const int s = e;
        e = i + 1 == segments.size() ? height - 1 : std::min(percent * height / 100 + s, height - 1);
        if (e - s <= 0) continue;
        float acc[3] = {float(GetRValue(from)), float(GetGValue(from)), float(GetBValue(from))};
        const double inc[3] = {double(GetRValue(to) - GetRValue(from)) / (e - s),
                               double(GetGValue(to) - GetGValue(from)) / (e - s),
                               double(GetBValue(to) - GetBValue(from)) / (e - s)};
        for (int y = s; y <= e; ++y) {
            int v[3];
            for (int c = 0; c < 3; ++c) {
                v[c] = int(std::nearbyint(acc[c]));
                acc[c] = float(double(acc[c]) + inc[c]);
            }
            rows[std::size_t(y)] = MakeColor(std::uint8_t(v[0]), std::uint8_t(v[1]), std::uint8_t(v[2]));
        }
    }
    return rows;
}

int MaskBlend(int dst, int s, int a) {
    return std::clamp(((dst - s) * a + s * 256) >> 8, 0, 255);
}

// Where a face pixel comes from in the border mask's 3 x 3 grid (borders that fit the face).
int GridSource(int p, int size, int start, int lead, int trail, int cell) {
    const int centre = std::max(0, cell - lead - trail);
    if (p < lead) return start + p;
    if (p >= size - trail) return start + lead + centre + (p - (size - trail));
    return start + lead + (centre > 0 ? (p - lead) % centre : p - lead);
}

class SkinRender : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("quibbleton-render-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    fs::path m_dir;
};

} // namespace

// Renders the "BUTTON" face of every stored skin in three states (with the extra options) and
// checks pixels computed from the skin's model.
void CheckStoredButtonFaces(const fs::path& dir, const std::vector<std::string>& extra) {
    const auto Path = [&dir](const std::string& name) { return (dir / name).string(); };
    ASSERT_FALSE(StoredSkinPackages().empty());
    for (const TStoredSkinPackage& package : StoredSkinPackages()) {
        const std::string skin = "stored:" + std::string(package.Name);
        const nlohmann::json model = Dump(skin);
        const nlohmann::json& section = Named(model["sections"], "ClassName", "BUTTON");
        const nlohmann::json* mask = nullptr;
        for (const auto& m : model["masks"])
            if (m["ClassName"] == "BUTTON" && m["PropertyName"] == "BORDERSMASK") mask = &m;
        ASSERT_NE(mask, nullptr) << skin;
        ASSERT_EQ(section["GradientPercent"], 100) << skin;
        ASSERT_EQ((*mask)["MaskType"], 1) << skin;

        // The master bitmap's pixels, from the same loaded model.
        const TOpenedSkin opened = OpenSkin(skin, StoredSkinPackages());
        TsSkinModel loaded;
        TsSkinLoader(loaded).Load({&opened.Options, opened.Package.get(), opened.SkinPath});
        const TBitmap& master = loaded.MasterBitmap;

        const int n = (*mask)["ImageCount"], wl = (*mask)["WL"], wt = (*mask)["WT"], wr = (*mask)["WR"],
                  wb = (*mask)["WB"];
        const auto r = (*mask)["R"];
        const int cellW = (int(r[2]) - int(r[0])) / n, cellH = (int(r[3]) - int(r[1])) / 2;
        std::vector<TBitmap> faces;
        for (int state = 0; state < 3; ++state) {
            const std::string out = Path(std::to_string(state) + ".png");
            std::vector<std::string> args = {
                skin, "BUTTON", "170x40", "-o", out, "--state", std::to_string(state)};
            args.insert(args.end(), extra.begin(), extra.end());
            const TRun run = Render(args);
            ASSERT_EQ(run.Status, 0) << run.Err;
            auto face = ReadPngFile(out);
            ASSERT_TRUE(face) << skin;
            ASSERT_EQ(face->Size(), (TSize{170, 40}));
            const auto rows =
                VerticalGradientRows(section[state == 0 ? "GradientArray" : "HotGradientArray"], 40);
            const int x0 = int(r[0]) + std::min(state, n - 1) * cellW, y0 = r[1];
            for (const TPoint p : {TPoint{0, 0}, TPoint{3, 20}, TPoint{85, 2}, TPoint{85, 20},
                                   TPoint{169, 39}, TPoint{100, 37}}) {
                const int sx = GridSource(p.X, 170, x0, wl, wr, cellW);
                const int sy = GridSource(p.Y, 40, y0, wt, wb, cellH);
                const TColor s = master.GetPixel(sx, sy), a = master.GetPixel(sx, sy + cellH);
                const bool corner = (p.X < wl || p.X >= 170 - wr) && (p.Y < wt || p.Y >= 40 - wb);
                TColor expected;
                if (corner && s == clFuchsia) {
                    expected = ColorToRGB(clBtnFace); // the plain parent's colour
                } else {
                    const TColor d = rows[std::size_t(p.Y)];
                    expected = MakeColor(std::uint8_t(MaskBlend(GetRValue(d), GetRValue(s), GetRValue(a))),
                                         std::uint8_t(MaskBlend(GetGValue(d), GetGValue(s), GetGValue(a))),
                                         std::uint8_t(MaskBlend(GetBValue(d), GetBValue(s), GetBValue(a))));
                }
                EXPECT_EQ(face->GetPixel(p.X, p.Y), expected)
                    << skin << " state " << state << " at " << p.X << "," << p.Y;
            }
            faces.push_back(std::move(*face));
        }
        EXPECT_NE(faces[0], faces[1]) << skin;
        EXPECT_NE(faces[1], faces[2]) << skin;
        EXPECT_NE(faces[0], faces[2]) << skin;
    }
}

TEST_F(SkinRender, EveryStoredButtonShowsItsOwnColoursInThreeDifferentStates) {
    CheckStoredButtonFaces(m_dir, {});
}

TEST_F(SkinRender, PushButtonFacesFollowTheSameRules) {
    CheckStoredButtonFaces(m_dir, {"--button"});
}

TEST_F(SkinRender, PushButtonCaptionMovesWhenPressed) {
    const std::string skin = "stored:" + std::string(StoredSkinPackages().front().Name);
    const auto face = [&](const std::string& state, const std::string& caption) {
        const std::string out = Path(state + caption + ".png");
        EXPECT_EQ(Render({skin, "BUTTON", "130x25", "-o", out, "--button", "--state", state, "--caption",
                          caption, "--font-size", "10"})
                      .Status,
                  0);
        return ReadPngFile(out).value_or(TBitmap());
    };
    // The caption's pixels: where the face with it differs from the face without.
    const auto captionPixels = [](const TBitmap& with, const TBitmap& without) {
        TRect box{with.Width(), with.Height(), 0, 0};
        for (int y = 0; y < with.Height(); ++y)
            for (int x = 0; x < with.Width(); ++x)
                if (with.GetPixel(x, y) != without.GetPixel(x, y))
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    };
    const TRect normal = captionPixels(face("0", "Кнопка"), face("0", ""));
    const TRect pressed = captionPixels(face("2", "Кнопка"), face("2", ""));
    ASSERT_GT(normal.Width(), 0);
    EXPECT_EQ(pressed, normal.Offset(1, 1));
}

TEST_F(SkinRender, PushButtonFocusShowsOnlyWhereTheSectionAsksForIt) {
    for (const TStoredSkinPackage& package : StoredSkinPackages()) {
        const std::string skin = "stored:" + std::string(package.Name);
        const bool showFocus = Named(Dump(skin)["sections"], "ClassName", "BUTTON")["ShowFocus"];
        const auto face = [&](bool focused) {
            const std::string out = Path(std::string(focused ? "f" : "n") + ".png");
            std::vector<std::string> args = {skin,       "BUTTON",  "130x25", "-o",        out,
                                             "--button", "--state", "1",      "--caption", "Кнопка"};
            if (focused) args.push_back("--focused");
            EXPECT_EQ(Render(args).Status, 0);
            return ReadPngFile(out).value_or(TBitmap());
        };
        if (showFocus)
            EXPECT_NE(face(true), face(false)) << skin;
        else
            EXPECT_EQ(face(true), face(false)) << skin;
    }
}

TEST_F(SkinRender, PushButtonFocusFrameSurroundsTheCaption) {
    // A copy of a skin folder whose "BUTTON" section asks for the focus frame.
    const fs::path folder = m_dir / "Focused";
    fs::copy(fs::path(QUIBBLETON_SOURCE_DIR) / "skins" / "Office2007Blue", folder);
    const std::vector<std::uint8_t> bytes = ReadFileBytes((folder / "Options.dat").string());
    std::string text(bytes.begin(), bytes.end());
    // Whatever the skin itself says, the section's first key asks for the frame (the first
    // of two equal keys is the one read).
    const std::size_t button = text.find("[BUTTON]\r\n");
    ASSERT_NE(button, std::string::npos);
    text.insert(button + 10, "SHOWFOCUS=TRUE\r\n");
    std::ofstream(folder / "Options.dat", std::ios::binary) << text;

    const std::string out = Path("focused.png");
    ASSERT_EQ(Render({folder.string(), "BUTTON", "130x25", "-o", out, "--button", "--state", "1", "--caption",
                      "Кнопка", "--focused"})
                  .Status,
              0);
    const auto face = ReadPngFile(out);
    ASSERT_TRUE(face);
    // The caption measured in the tool's 8-point font, placed by the button's rule, enlarged by
    // the focus margin of 1.
    TBitmap scratch(4, 4);
    TCanvas canvas(scratch);
    TFont font;
    font.SetSize(8);
    canvas.SetFont(font);
    TRect measured{0, 0, 128, 0};
    canvas.DrawText("Кнопка", measured,
                    TextFlags::DT_CALCRECT | TextFlags::DT_CENTER | TextFlags::DT_EXPANDTABS |
                        TextFlags::DT_WORDBREAK);
    const TRect frame =
        ButtonCaptionRect({130, 25}, {measured.Width(), measured.Height()}, bfsHot).Inflate(1, 1);
    for (int i = 0; i <= frame.Width() / 3; ++i)
        EXPECT_EQ(face->GetPixel(frame.Left + 3 * i, frame.Top), clBlack) << i;
    for (int j = 0; j <= frame.Height() / 3; ++j)
        EXPECT_EQ(face->GetPixel(frame.Left, frame.Top + 3 * j), clBlack) << j;
    EXPECT_EQ(face->GetPixel(frame.Left - 1, frame.Top - 1), clWhite);
}

TEST_F(SkinRender, ParentColourShowsInKeyCornersAndAParentImageBehindThem) {
    const std::string skin = "stored:" + std::string(StoredSkinPackages().front().Name);
    ASSERT_EQ(Render({skin, "BUTTON", "60x30", "-o", Path("plain.png"), "--parent", "336699"}).Status, 0);
    TBitmap parent(80, 40);
    parent.Fill(MakeColor(1, 2, 3));
    WritePng(parent, Path("parent.png"));
    ASSERT_EQ(
        Render({skin, "BUTTON", "60x30", "-o", Path("over.png"), "--parent", Path("parent.png")}).Status, 0);
    const auto plain = ReadPngFile(Path("plain.png"));
    const auto over = ReadPngFile(Path("over.png"));
    ASSERT_TRUE(plain && over);
    // The stored buttons have rounded corners: their top-left pixel is transparent.
    EXPECT_EQ(plain->GetPixel(0, 0), MakeColor(0x33, 0x66, 0x99));
    EXPECT_EQ(over->GetPixel(0, 0), MakeColor(1, 2, 3));
}

TEST_F(SkinRender, CaptionAndDisabledLookChangeTheFace) {
    const std::string skin = "stored:" + std::string(StoredSkinPackages().front().Name);
    ASSERT_EQ(Render({skin, "BUTTON", "80x24", "-o", Path("a.png")}).Status, 0);
    ASSERT_EQ(
        Render({skin, "BUTTON", "80x24", "-o", Path("b.png"), "--caption", "Кнопка", "--font-size", "10"})
            .Status,
        0);
    ASSERT_EQ(Render({skin, "BUTTON", "80x24", "-o", Path("c.png"), "--disabled", "grayed"}).Status, 0);
    const auto a = ReadPngFile(Path("a.png")), b = ReadPngFile(Path("b.png")), c = ReadPngFile(Path("c.png"));
    ASSERT_TRUE(a && b && c);
    EXPECT_NE(*a, *b);
    const TColor grey = c->GetPixel(40, 12), colour = a->GetPixel(40, 12);
    EXPECT_EQ(GetRValue(grey), (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3);
    EXPECT_EQ(GetRValue(grey), GetBValue(grey));
}

TEST_F(SkinRender, BadRequestsReportOneLineAndWriteNothing) {
    const std::string skin = "stored:" + std::string(StoredSkinPackages().front().Name);
    const std::string out = Path("never.png");
    const std::vector<std::vector<std::string>> bad = {
        {skin, "BUTTON", "10x10", "-o", out, "--focused"},
        {skin, "NOSUCHSECTION", "10x10", "-o", out},
        {skin, "BUTTON", "0x10", "-o", out},
        {skin, "BUTTON", "10x8193", "-o", out},
        {skin, "BUTTON", "10by10", "-o", out},
        {skin, "BUTTON", "10x10"},
        {skin, "BUTTON", "10x10", "-o", out, "--state", "3"},
        {skin, "BUTTON", "10x10", "-o", out, "--hue", "red"},
        {skin, "BUTTON", "10x10", "-o", out, "--parent", "33669"},
        {skin, "BUTTON", "10x10", "-o", out, "--parent", Path("missing.png")},
        {skin, "BUTTON", "10x10", "-o", out, "--disabled", "faded"},
        {skin, "BUTTON", "10x10", "-o", out, "--font-size"},
        {skin, "BUTTON", "10x10", "-o", out, "--frobnicate", "1"},
        {"stored:No such skin", "BUTTON", "10x10", "-o", out},
    };
    for (const auto& args : bad) {
        const TRun run = Render(args);
        EXPECT_EQ(run.Status, 1) << args[2];
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_FALSE(fs::exists(out)) << run.Err;
    }
}

TEST_F(SkinRender, ParentImageSmallerThanTheFaceIsRefused) {
    const std::string skin = "stored:" + std::string(StoredSkinPackages().front().Name);
    WritePng(TBitmap(20, 20), Path("small.png"));
    const TRun run = Render({skin, "BUTTON", "30x10", "-o", Path("x.png"), "--parent", Path("small.png")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("smaller"), std::string::npos);
}
