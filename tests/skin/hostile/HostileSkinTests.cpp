// Skins as an adversarial author would write them: extreme numbers, long and looping
// parent chains, tiny files that declare huge contents, and image names that point out of
// the skin. Each must end in a loaded skin or a clear refusal, within bounded memory.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>
#include <random>
#include <span>
#include <string>

#include "platform/graphics/BmpCodec.h"
#include "platform/os/FileSystem.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsInheritedReader.h"
#include "skin/TsSkinImageFinder.h"
#include "skin/TsSkinLoader.h"
#include "skin/hostile/HostileSkinSupport.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;
using namespace hostiletest;

// ---- numbers at the ends of the int range

TEST(HostileRectangles, WidthsOfTheWholeIntRangeSaturate) {
    const TRect all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(all.Width(), INT_MAX);
    EXPECT_EQ(all.Height(), INT_MAX);
    EXPECT_EQ((TRect{INT_MAX, 0, INT_MIN, 0}).Width(), INT_MIN);
}

TEST(HostileRectangles, ExtremeRegionIsHeldToSkinCoordinates) {
    const auto model =
        LoadPackageSkin("[BUTTON]\r\nB=#(-2147483648,-2147483648,2147483647,2147483647)(1,0)\r\n");
    ASSERT_EQ(model->MaskData.size(), 1u);
    const TsMaskData& mask = model->MaskData.front();
    EXPECT_EQ(mask.R, (TRect{-MaxSkinCoordinate, -MaxSkinCoordinate, MaxSkinCoordinate, MaxSkinCoordinate}));
    EXPECT_EQ(mask.WL, ClampToInt16(2 * MaxSkinCoordinate / 3));
    EXPECT_EQ(mask.WT, ClampToInt16(2 * MaxSkinCoordinate / 6));
    EXPECT_EQ(model->GetMaskSize(0).X, 2 * MaxSkinCoordinate);
    EXPECT_EQ(model->MaskWidthLeft(0), mask.WL);
}

TEST(HostileRectangles, EveryFixedFormIsHeld) {
    const auto model = LoadPackageSkin("[EDIT]\r\nG=@9999@9999@-999@-999@1@0\r\n"
                                       "T=~-999~-999~9999~9999~00\r\n");
    ASSERT_EQ(model->MaskData.size(), 2u);
    for (const TsMaskData& mask : model->MaskData) {
        EXPECT_LE(std::abs(mask.R.Left), MaxSkinCoordinate);
        EXPECT_LE(std::abs(mask.R.Right), MaxSkinCoordinate);
    }
}

// ---- parent chains

TEST(HostileChains, LongChainInheritsFromItsFarEnd) {
    const auto model = LoadPackageSkin(Chain(5000, false));
    ASSERT_EQ(model->GeneralData.size(), 5000u);
    EXPECT_EQ(model->GeneralData.back().Color, TColor(123));
    EXPECT_EQ(model->GeneralData.back().ShadowBlur, 6);
}

TEST(HostileChains, LongLoopReachesEverySectionOnce) {
    const auto model = LoadPackageSkin(Chain(5000, true));
    ASSERT_EQ(model->GeneralData.size(), 5000u);
    // Only the last section holds the value; every section reaches it around the loop.
    for (const std::size_t i : {std::size_t(0), std::size_t(1), std::size_t(2999), std::size_t(4999)})
        EXPECT_EQ(model->GeneralData[i].ShadowBlur, 9) << i;
    EXPECT_EQ(model->GeneralData[5].Color, TColor(0xFFFFFF));
    EXPECT_EQ(model->GetMaskIndex(0, "S0", "BORDERSMASK"), -1);
}

TEST(HostileChains, LoopsAreReportedOncePerSection) {
    const TacSkinOptions options =
        TacSkinOptions::Parse(std::string_view("[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=a\r\n[C]"
                                               "\r\nPARENTCLASS=A\r\n[D]\r\nPARENTCLASS=GONE\r\n"));
    TsSkinModel model;
    TsSkinLoader loader(model);
    TsLoadReport report;
    loader.SetReport(&report);
    loader.SectionPass({&options, nullptr, ""});
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[0].Section, "A");
    EXPECT_EQ(report[0].Message, "the parent chain loops back to \"A\"");
    EXPECT_EQ(report[1].Section, "B");
    EXPECT_EQ(report[2].Section, "D");
    EXPECT_EQ(report[2].Message, "names the missing section \"GONE\"");
}

// The memoised reads answer exactly what walking each chain answers, over many small
// random graphs with self-references, loops, missing parents and values that count as absent.
TEST(HostileChains, MemoisedReadsMatchTheChainWalk) {
    std::mt19937 random(20260);
    const char* parents[] = {"", "?", "S0", "s1", "S2", "S3", "S4", "S5", "GONE"};
    const char* values[] = {nullptr, "-1", "?", "abc", "7", "0x10", "42"};
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int s = 0; s < 6; ++s) {
            text += "[S" + std::to_string(s) + "]\r\n";
            if (const char* parent = parents[random() % 9]; random() % 5 != 0)
                text += std::string("PARENTCLASS=") + parent + "\r\n";
            if (const char* value = values[random() % 7]) text += std::string("COLOR=") + value + "\r\n";
        }
        const TacSkinOptions options = TacSkinOptions::Parse(std::string_view(text));
        TsInheritedReader reader(options);
        for (std::size_t s = 0; s < options.Sections().size(); ++s) {
            const std::string& name = options.Sections()[s].Name;
            EXPECT_EQ(reader.ReadInteger(s, "COLOR", 5), ReadInheritedInteger(options, name, "COLOR", 5))
                << text;
            EXPECT_EQ(reader.ReadString(s, "COLOR", "x"), ReadInheritedString(options, name, "COLOR", "x"))
                << text;
        }
    }
}

// A reader keeps each key's answers and looks for the next key after the last one read: reads
// in changing order and letter case, numbers and texts of the same key mixed, still answer
// what walking the chain answers.
TEST(HostileChains, MemoisedReadsInAnyOrderMatchTheChainWalk) {
    std::mt19937 random(9);
    const char* keys[] = {"COLOR", "color", "BEVEL", "GradientData", "HOTCOLOR", "Missing"};
    std::string text;
    for (int s = 0; s < 12; ++s) {
        text += "[S" + std::to_string(s) + "]\n";
        text += "PARENTCLASS=S" + std::to_string((s * 5 + 3) % 12) + "\n";
        if (s % 3 == 0) text += "COLOR=" + std::to_string(s) + "\n";
        if (s % 4 == 1) text += "BEVEL=?\nGRADIENTDATA=" + std::to_string(s) + "\n";
        if (s % 5 == 2) text += "hotcolor=-1\n";
    }
    const TacSkinOptions options = TacSkinOptions::Parse(std::string_view(text));
    TsInheritedReader reader(options);
    for (int read = 0; read < 2000; ++read) {
        const std::size_t s = random() % options.Sections().size();
        const char* key = keys[random() % 6];
        const std::string& name = options.Sections()[s].Name;
        if (random() % 2)
            EXPECT_EQ(reader.ReadInteger(s, key, 5), ReadInheritedInteger(options, name, key, 5))
                << name << key;
        else
            EXPECT_EQ(reader.ReadString(s, key, "x"), ReadInheritedString(options, name, key, "x"))
                << name << key;
    }
}

// Mask lookups remember the first sixteen sections of a chain in place and index the
// sections beyond: chains and loops on both sides of that step end as they should.
TEST(HostileChains, MaskLookupAcrossLongChainsAndLoops) {
    for (const int length : {3, 15, 16, 17, 18, 40}) {
        std::string chain;
        for (int s = 0; s < length; ++s) {
            chain += "[S" + std::to_string(s) + "]\n";
            if (s + 1 < length) chain += "PARENTCLASS=S" + std::to_string(s + 1) + "\n";
        }
        const auto found = LoadPackageSkin(chain + "BORDERSMASK=@0000@0000@0030@0030@3@0\n");
        EXPECT_EQ(found->GetMaskIndex(0, "S0", "BORDERSMASK"), 0) << length;
        for (const int back : {0, length / 2, length - 1}) {
            const auto looped = LoadPackageSkin(chain + "PARENTCLASS=S" + std::to_string(back) +
                                                "\n[OTHER]\n" + "BORDERSMASK=@0000@0000@0030@0030@3@0\n");
            EXPECT_EQ(looped->GetMaskIndex(0, "S0", "BORDERSMASK"), -1) << length << " " << back;
            EXPECT_EQ(looped->GetMaskIndex(int(looped->GeneralData.size()) - 1, "OTHER", "BORDERSMASK"), 0);
        }
    }
}

TEST(HostilePaths, JpegNamesAreFoundInAnyLetterCase) {
    EXPECT_TRUE(NamesJpegImage("a.jPeG"));
    EXPECT_TRUE(NamesJpegImage("SKY.JPG.BMP"));
    EXPECT_TRUE(NamesJpegImage(".jpg"));
    EXPECT_FALSE(NamesJpegImage("a.jp"));
    EXPECT_FALSE(NamesJpegImage("JPEG.BMP"));
    EXPECT_FALSE(NamesJpegImage(""));
}

// ---- memory

TEST(HostileMemory, SmallerPackageTotalRefusesTheEntryThatPassesIt) {
    // Three entries of 32 KB of zeros: the program's total holds them all, a total of
    // 80 KB (the package file counts too) holds the first two and refuses the third.
    const std::vector<std::uint8_t> zeros = ZeroStream(32 * 1024);
    std::vector<std::uint8_t> package = {'M', 'V', 'z', 'f'};
    AppendInt(package, 3);
    for (int i = 0; i < 3; ++i) {
        const std::string name = "Z" + std::to_string(i) + ".BMP";
        AppendInt(package, std::int32_t(name.size()));
        AppendText(package, name);
        AppendInt(package, 32 * 1024);
        package.insert(package.end(), zeros.begin(), zeros.end());
    }
    TacSkinConvertor whole;
    whole.LendSource(package);
    whole.LoadPackage();
    EXPECT_EQ(whole.Files().size(), 3u);
    whole.ReleaseSource();

    TacSkinConvertor limited;
    limited.SetTotalLimit(80 * 1024);
    limited.LendSource(package);
    EXPECT_THROW(limited.LoadPackage(), ESkinTooLarge);
    EXPECT_EQ(limited.Files().size(), 2u);
    limited.ReleaseSource();
}

TEST(HostileMemory, EntriesAreCountedTogetherBeforeInflating) {
    // One real megabyte, then an entry whose declared size passes the budget with it: the
    // second is refused before a byte of it is inflated.
    std::vector<std::uint8_t> package = {'M', 'V', 'z', 'f'};
    AppendInt(package, 2);
    AppendInt(package, 5);
    AppendText(package, "A.BMP");
    AppendInt(package, std::int32_t(MB));
    const std::vector<std::uint8_t> small = ZeroStream(MB);
    package.insert(package.end(), small.begin(), small.end());
    AppendInt(package, 5);
    AppendText(package, "B.BMP");
    AppendInt(package, std::int32_t(MaxPackageEntrySize));
    const std::vector<std::uint8_t> large = ZeroStream(MaxPackageEntrySize);
    package.insert(package.end(), large.begin(), large.end());
    TacSkinConvertor reader;
    reader.LendSource(package);
    EXPECT_THROW(reader.LoadPackage(), ESkinTooLarge);
    ASSERT_EQ(reader.Files().size(), 1u);
    EXPECT_EQ(reader.Files()[0].Data.size(), std::size_t(MB));
    reader.ReleaseSource();
}

TEST(HostileMemory, OptionsTextOfTooManySectionsIsRefusedBeforeItsRecordsAreBuilt) {
    // 400,000 sections of a few bytes each: a 4 MB text whose records would take far more
    // than any real skin; refused with the count named, while its text was small.
    const int count = int(SkinLoadBudgetBytes / SectionLoadBytes) + 100000;
    std::string text = "[GLOBALINFO]\r\n";
    for (int i = 0; i < count; ++i)
        text += "[S" + std::to_string(i) + "]\r\n";
    const TacSkinOptions options = TacSkinOptions::Parse(text);
    TsSkinModel model;
    TsSkinLoader loader(model);
    try {
        loader.Load({&options, nullptr, ""});
        FAIL() << "a text of " << count << " sections loaded";
    } catch (const ESkinTooLarge& e) {
        EXPECT_NE(std::string(e.what()).find(std::to_string(count + 1) + " sections"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(model.GeneralData.empty());
}

TEST(HostileMemory, FiftyThousandChainedSectionsStillLoad) {
    const TacSkinOptions options = TacSkinOptions::Parse(Chain(50000, false));
    TsSkinModel model;
    TsSkinLoader loader(model);
    loader.Load({&options, nullptr, ""});
    ASSERT_EQ(model.GeneralData.size(), 50000u);
    EXPECT_EQ(model.GeneralData.back().Color, 123);
}

TEST(HostileMemory, PictureNamedManyTimesWithinTheBudgetLoads) {
    TTempFolder folder;
    std::string options = "[GLOBALINFO]\r\n[BUTTON]\r\n";
    for (int i = 0; i < 20; ++i)
        options += "K" + std::to_string(i) + "=!SMALL.BMP!1!0!0\r\n";
    folder.Write("Options.dat", options);
    folder.Write("SMALL.BMP", BmpFile(SolidBitmap(30, 20, MakeColor(1, 2, 3), TPixelFormat::pf8bit)));
    const TacSkinOptions parsed =
        TacSkinOptions::Parse(ReadFileBytes((folder.Path() / "Options.dat").string()));
    TsSkinModel model;
    TsSkinLoader loader(model);
    loader.Load({&parsed, nullptr, folder.Path().string() + "/"});
    ASSERT_EQ(model.MaskData.size(), 20u);
    for (const TsMaskData& mask : model.MaskData) {
        ASSERT_TRUE(mask.Bmp);
        EXPECT_EQ(mask.Bmp->PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_EQ(mask.R, (TRect{0, 0, 30, 20}));
    }
}

TEST(HostileMemory, BudgetCountsEveryCopyAndConversion) {
    // One 8-bit 100 x 100 picture: 10,000 bytes decoded, and per entry a 10,000-byte copy
    // and a 30,000-byte conversion. Two entries need 90,000 bytes.
    const std::string options = "[BUTTON]\r\nA=!P.BMP!1!0!0\r\nB=!P.BMP!1!0!0\r\n";
    const TacPackageEntry picture =
        Entry("P.BMP", BmpFile(SolidBitmap(100, 100, MakeColor(1, 2, 3), TPixelFormat::pf8bit)));
    const std::vector<std::uint8_t> bytes = BuildPackage({Entry("Options.dat", options), picture});
    for (const std::int64_t limit :
         {std::int64_t(89000), std::int64_t(92000) + std::int64_t(bytes.size()) * 4}) {
        TacSkinConvertor reader;
        reader.LendSource(bytes);
        reader.LoadPackage();
        const TacSkinOptions parsed = TacSkinOptions::Parse(*reader.Options());
        TsSkinModel model;
        TsSkinLoader loader(model);
        loader.SetBudgetLimit(limit + reader.UnpackedSize());
        if (limit < 90000)
            EXPECT_THROW(loader.Load({&parsed, &reader, ""}), ESkinTooLarge);
        else
            EXPECT_NO_THROW(loader.Load({&parsed, &reader, ""}));
        reader.ReleaseSource();
    }
}

TEST(HostileMemory, InheritedGradientsWithinTheBudgetLoadInEveryHeir) {
    const TacSkinOptions options = TacSkinOptions::Parse(InheritedGradients(1000, 30));
    TsSkinModel model;
    TsSkinLoader loader(model);
    loader.Load({&options, nullptr, ""});
    ASSERT_EQ(model.GeneralData.size(), 32u);
    const TsGeneralData& button = model.GeneralData[1];
    ASSERT_EQ(button.GradientArray.size(), 1000u);
    EXPECT_EQ(button.GradientArray[7].Color1, 7u);
    for (const TsGeneralData& heir : std::span(model.GeneralData).subspan(2)) {
        EXPECT_EQ(heir.GradientArray, button.GradientArray);
        EXPECT_EQ(heir.HotGradientArray, button.HotGradientArray);
    }
}

TEST(HostileMemory, HeirsBetweenOtherGradientsGetTheirOwnParentsItems) {
    const TacSkinOptions options = TacSkinOptions::Parse(
        "[A]\r\nGRADIENTDATA=1;2;3;0;0;\r\n[B]\r\nPARENTCLASS=A\r\n"
        "[C]\r\nGRADIENTDATA=4;5;6;1;0;\r\n[D]\r\nPARENTCLASS=A\r\n[E]\r\nPARENTCLASS=C\r\n");
    TsSkinModel model;
    TsSkinLoader loader(model);
    loader.Load({&options, nullptr, ""});
    const auto items = [&](const char* name) {
        return model.GeneralData[std::size_t(model.GetSkinIndex(name))].GradientArray;
    };
    EXPECT_EQ(items("A"), ParseGradientData("1;2;3;0;0;"));
    EXPECT_EQ(items("C"), ParseGradientData("4;5;6;1;0;"));
    EXPECT_EQ(items("B"), items("A"));
    EXPECT_EQ(items("D"), items("A"));
    EXPECT_EQ(items("E"), items("C"));
    EXPECT_NE(items("A"), items("C"));
}

TEST(HostileMemory, BudgetCountsEveryRecordsGradientTextAndItems) {
    // Each record holds a 10-byte text and one 20-byte item per gradient: 60 bytes, and the
    // sections' own share.
    const std::string text = "[A]\r\nGRADIENTDATA=1;2;3;0;0;\r\nHOTGRADIENTDATA=1;2;3;0;0;\r\n"
                             "[B]\r\nPARENTCLASS=A\r\n";
    const TacSkinOptions options = TacSkinOptions::Parse(text);
    const std::int64_t record = 2 * (10 + std::int64_t(sizeof(TsGradItem)));
    for (const std::int64_t limit :
         {2 * SectionLoadBytes + 2 * record, 2 * SectionLoadBytes + 2 * record - 1}) {
        TsSkinModel model;
        TsSkinLoader loader(model);
        loader.SetBudgetLimit(limit);
        if (limit < 2 * SectionLoadBytes + 2 * record)
            EXPECT_THROW(loader.Load({&options, nullptr, ""}), ESkinTooLarge);
        else
            EXPECT_NO_THROW(loader.Load({&options, nullptr, ""}));
    }
}

// ---- names that lead out of the skin

TEST(HostilePaths, ReferenceThroughAFolderNamedLikeABitmapFindsNothing) {
    TTempFolder folder;
    std::filesystem::create_directory(folder.Path() / "X.BMP");
    folder.Write("Options.dat", "[BUTTON]\r\nA=!X.BMP/../../../../../../../../../../dev/zero!1!0!0\r\n");
    const TacSkinOptions options =
        TacSkinOptions::Parse(ReadFileBytes((folder.Path() / "Options.dat").string()));
    TsSkinModel model;
    TsSkinLoader loader(model);
    TsLoadReport report;
    loader.SetReport(&report);
    loader.Load({&options, nullptr, folder.Path().string() + "/"});
    EXPECT_TRUE(model.MaskData.empty());
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].Message.find("is not named as a .BMP file"), std::string::npos);
}

TEST(HostilePaths, FinderDecodesEachImageOnce) {
    TTempFolder folder;
    folder.Write("A.BMP", BmpFile(SolidBitmap(10, 10, MakeColor(1, 2, 3))));
    TsSkinLoadBudget budget;
    const TsSkinImageFinder finder(nullptr, folder.Path().string() + "/", &budget);
    ASSERT_TRUE(finder.ReadImage("A.BMP"));
    EXPECT_EQ(budget.Used(), 2 * 300); // decoded once, one copy handed out
    // The file is gone, but the image was decoded already.
    std::filesystem::remove(folder.Path() / "A.BMP");
    ASSERT_TRUE(finder.ReadImage("a.bmp"));
    EXPECT_EQ(budget.Used(), 3 * 300);
}
