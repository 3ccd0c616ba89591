#include "platform/os/TRegistryFile.h"

#include <gtest/gtest.h>

namespace {

bool Parses(const std::string& body) {
    return TRegistryFile::Parse("REGEDIT4\n" + body).has_value();
}

} // namespace

TEST(RegistryFileParsing, RejectsWhatIsNotAnExport) {
    EXPECT_FALSE(TRegistryFile::Parse("").has_value());
    EXPECT_FALSE(TRegistryFile::Parse("REGEDIT5\n").has_value());
    EXPECT_FALSE(TRegistryFile::Parse(std::string("REGEDIT4\n\0", 10)).has_value());
    EXPECT_FALSE(Parses("\"A\"=\"before any key\"\n"));
    EXPECT_FALSE(Parses("[-HKEY_LOCAL_MACHINE\\Software]\n"));
    EXPECT_FALSE(Parses("[HKEY_NOWHERE\\Software]\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\Software\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=-\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=\"bad \\n escape\"\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=\"unterminated\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=dword:123456789\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=hex:1,,2\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=hex:123\n"));
    EXPECT_FALSE(Parses("[HKEY_LOCAL_MACHINE\\S]\n\"A\"=hex:01,\\\n"));
}

TEST(RegistryFileParsing, ReadsEveryValueForm) {
    const auto file = TRegistryFile::Parse("REGEDIT4\n; note\n[HKEY_LOCAL_MACHINE\\S]\n@=\"d\"\n"
                                           "\"Bin\"=hex:0a,\\\n    0B,\n\"Multi\"=hex(7):61,00,62,00,00\n");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->FindValue("HKEY_LOCAL_MACHINE\\S", "")->Data, (std::vector<std::uint8_t>{'d', 0}));
    EXPECT_EQ(file->FindValue("HKEY_LOCAL_MACHINE\\S", "Bin")->Data, (std::vector<std::uint8_t>{10, 11}));
    EXPECT_EQ(file->FindValue("HKEY_LOCAL_MACHINE\\S", "Multi")->Type, REG_MULTI_SZ);
    EXPECT_EQ(file->ValueNames("hkey_local_machine\\s"), (std::vector<std::string>{"", "Bin", "Multi"}));
}

TEST(RegistryFileParsing, LaterDefinitionWins) {
    const auto file = TRegistryFile::Parse("REGEDIT4\n[HKEY_LOCAL_MACHINE\\S]\n\"A\"=\"1\"\n"
                                           "[HKEY_LOCAL_MACHINE\\s]\n\"a\"=\"2\"\n");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->FindValue("HKEY_LOCAL_MACHINE\\S", "A")->Data, (std::vector<std::uint8_t>{'2', 0}));
}

TEST(RegistryFile, ParentKeysExistThroughTheirChildren) {
    auto file = TRegistryFile::Empty();
    EXPECT_TRUE(file.AddKey("HKEY_LOCAL_MACHINE\\Software\\Quibbleton"));
    EXPECT_TRUE(file.KeyExists("HKEY_LOCAL_MACHINE\\Software"));
    EXPECT_FALSE(file.KeyExists("HKEY_LOCAL_MACHINE\\Soft"));
    EXPECT_FALSE(file.AddKey("NOWHERE\\Software"));
    EXPECT_EQ(file.Format(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\n");
}

TEST(RegistryFile, LongBinaryDataWrapsAndParsesBack) {
    auto file = TRegistryFile::Empty();
    TRegValue value{REG_BINARY, std::vector<std::uint8_t>(100, 0xAB)};
    ASSERT_TRUE(file.SetValue("HKEY_CURRENT_USER\\X", "Blob", value));
    const auto parsed = TRegistryFile::Parse(file.Format());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed->FindValue("HKEY_CURRENT_USER\\X", "Blob"), value);
    EXPECT_NE(file.Format().find(",\\\n  ab,"), std::string::npos);
}
