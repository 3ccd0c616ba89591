#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "skin/TacSkinConvertor.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;

namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::unique_ptr<TacSkinConvertor> LoadedPtr(const std::vector<std::uint8_t>& package) {
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->SetSource(package);
    reader->LoadPackage();
    return reader;
}

// A package header followed by hand-made entry bytes.
std::vector<std::uint8_t> RawPackage(std::int32_t count, const std::vector<std::uint8_t>& body) {
    std::vector<std::uint8_t> out;
    AppendText(out, "MVzf");
    AppendInt(out, count);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> RawEntry(const std::string& name, std::int32_t size,
                                   const std::vector<std::uint8_t>& stream) {
    std::vector<std::uint8_t> out;
    AppendInt(out, std::int32_t(name.size()));
    AppendText(out, name);
    AppendInt(out, size);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

} // namespace

TEST(PackageReader, SplitsOptionsAndImages) {
    auto reader = LoadedPtr(
        BuildPackage({Entry("Options.dat", "[EDIT]"), Entry("Master.bmp", "abc"), Entry("Wood.jpg", "xyz")}));
    ASSERT_NE(reader->Options(), nullptr);
    EXPECT_EQ(Text(*reader->Options()), "[EDIT]");
    EXPECT_EQ(reader->ImageCount(), 2);
    ASSERT_EQ(reader->Files().size(), 2u);
    EXPECT_EQ(reader->Files()[0].FileName, "Master.bmp");
    EXPECT_TRUE(reader->Files()[0].IsBitmap);
    EXPECT_EQ(Text(reader->Files()[0].Data), "abc");
    EXPECT_FALSE(reader->Files()[1].IsBitmap);
}

TEST(PackageReader, StreamsStartWithDefaultCompressionHeader) {
    const auto package = BuildPackage({Entry("Options.dat", "[A]")});
    const std::size_t streamStart = 4 + 4 + 4 + 11 + 4;
    EXPECT_EQ(package[streamStart], 0x78);
    EXPECT_EQ(package[streamStart + 1], 0x9C);
}

TEST(PackageReader, ZeroEntriesGiveNothing) {
    auto reader = LoadedPtr(RawPackage(0, {}));
    EXPECT_EQ(reader->ImageCount(), -1);
    EXPECT_TRUE(reader->Files().empty());
    EXPECT_EQ(reader->Options(), nullptr);
}

TEST(PackageReader, OptionsNameIgnoresCase) {
    auto reader = LoadedPtr(BuildPackage({Entry("options.DAT", "x"), Entry("master.Bmp", "y")}));
    ASSERT_NE(reader->Options(), nullptr);
    ASSERT_EQ(reader->Files().size(), 1u);
    EXPECT_TRUE(reader->Files()[0].IsBitmap);
}

TEST(PackageReader, LaterOptionsEntryWins) {
    auto reader = LoadedPtr(BuildPackage({Entry("Options.dat", "first"), Entry("Options.dat", "second")}));
    EXPECT_EQ(Text(*reader->Options()), "second");
    EXPECT_TRUE(reader->Files().empty());
}

TEST(PackageReader, WrongMagicWarnsAndClears) {
    TMessageCapture capture;
    auto package = BuildPackage({Entry("Options.dat", "x")});
    package[1] = 'v';
    auto reader = LoadedPtr(package);
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages()[0].Caption, "Warning");
    EXPECT_EQ(capture.Messages()[0].Text, "Loaded data is not packed Murvane file");
    EXPECT_EQ(reader->Options(), nullptr);
    EXPECT_TRUE(reader->Files().empty());
    EXPECT_TRUE(reader->Source().empty());
}

TEST(PackageReader, CorruptStreamKeepsEarlierEntries) {
    auto body = RawEntry("A.bmp", 3, ZlibStream(Bytes("abc")));
    auto broken = ZlibStream(Bytes("defgh"));
    broken[4] ^= 0xFF;
    broken[5] ^= 0xFF;
    auto second = RawEntry("B.bmp", 5, broken);
    body.insert(body.end(), second.begin(), second.end());
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(2, body));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
    ASSERT_EQ(reader.Files().size(), 1u);
    EXPECT_EQ(reader.Files()[0].FileName, "A.bmp");
}

TEST(PackageReader, StreamShorterThanSizeFails) {
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(1, RawEntry("A.bmp", 10, ZlibStream(Bytes("abc")))));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
    EXPECT_TRUE(reader.Files().empty());
}

TEST(PackageReader, StreamLongerThanSizeIsRejected) {
    auto body = RawEntry("A.bmp", 2, ZlibStream(Bytes("abcdef")));
    auto next = RawEntry("B.bmp", 1, ZlibStream(Bytes("z")));
    body.insert(body.end(), next.begin(), next.end());
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(2, body));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
    EXPECT_TRUE(reader.Files().empty());
}

TEST(PackageReader, TruncatedSourceFails) {
    auto package = BuildPackage({Entry("Options.dat", std::string(1000, 'q')), Entry("M.bmp", "abc")});
    package.resize(package.size() - 3);
    TacSkinConvertor reader;
    reader.SetSource(package);
    EXPECT_THROW(reader.LoadPackage(), EReadError);
    ASSERT_NE(reader.Options(), nullptr);
}

TEST(PackageReader, NegativeCountIsRejected) {
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(-3, {}));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
}

TEST(PackageReader, CountBeyondInputIsRejected) {
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(0x7FFFFFFF, RawEntry("A", 1, ZlibStream(Bytes("a")))));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
    EXPECT_TRUE(reader.Files().empty());
}

TEST(PackageReader, NameLengthBeyondInputIsRejected) {
    std::vector<std::uint8_t> body;
    AppendInt(body, 1 << 30);
    body.resize(40, 0);
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(1, body));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
}

TEST(PackageReader, NegativeNameLengthIsRejected) {
    std::vector<std::uint8_t> body;
    AppendInt(body, -5);
    body.resize(40, 0);
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(1, body));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
}

TEST(PackageReader, ImpossibleSizeIsRejectedBeforeInflating) {
    TacSkinConvertor reader;
    reader.SetSource(RawPackage(1, RawEntry("A.bmp", 0x7FFFFFFF, ZlibStream(Bytes("abc")))));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
    reader.SetSource(RawPackage(1, RawEntry("A.bmp", -1, ZlibStream(Bytes("abc")))));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
}

TEST(PackageReader, ShortHeaderFails) {
    TacSkinConvertor reader;
    reader.SetSource(Bytes("MV"));
    EXPECT_THROW(reader.LoadPackage(), EReadError);
}

TEST(PackageReader, FindImageComparesUpperCaseAndHonoursImageCount) {
    // Without an options entry the last image lies beyond the image count.
    auto reader = LoadedPtr(BuildPackage({Entry("Master.bmp", "a"), Entry("Other.bmp", "b")}));
    ASSERT_NE(reader->FindImage("MASTER.BMP"), nullptr);
    EXPECT_EQ(reader->FindImage("OTHER.BMP"), nullptr);
}

TEST(PackageReader, LentSourceStaysWithItsOwner) {
    const auto package = BuildPackage({Entry("Options.dat", "x")});
    {
        TacSkinConvertor reader;
        reader.LendSource(package);
        reader.LoadPackage();
        reader.ReleaseSource();
    }
    EXPECT_EQ(package[0], 'M');
}

TEST(PackageFile, MissingFileLeavesReferenceUnchanged) {
    std::unique_ptr<TacSkinConvertor> reader;
    LoadPackageFile("/nonexistent/folder/Skin.mvz", reader, true);
    EXPECT_EQ(reader, nullptr);
}

TEST(PackageFile, ReadsFileAndReleasesSource) {
    TTempFolder folder;
    const auto path = folder.Write("Blue.mvz", BuildPackage({Entry("Options.dat", "[X]")}));
    std::unique_ptr<TacSkinConvertor> reader;
    LoadPackageFile(path.string(), reader, true);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(Text(*reader->Options()), "[X]");
    EXPECT_TRUE(reader->Source().empty());
}

TEST(PackageFile, ReusedReaderIsClearedFirst) {
    TTempFolder folder;
    const auto first = folder.Write("A.mvz", BuildPackage({Entry("Options.dat", "a"), Entry("A.bmp", "1")}));
    const auto second = folder.Write("B.mvz", BuildPackage({Entry("Options.dat", "b")}));
    std::unique_ptr<TacSkinConvertor> reader;
    LoadPackageFile(first.string(), reader, true);
    TacSkinConvertor* same = reader.get();
    LoadPackageFile(second.string(), reader, true);
    EXPECT_EQ(reader.get(), same);
    EXPECT_TRUE(reader->Files().empty());
    EXPECT_EQ(Text(*reader->Options()), "b");
}
