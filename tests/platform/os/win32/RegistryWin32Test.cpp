#include "RegistryTestKey.h"
#include "platform/core/Exceptions.h"
#include "platform/os/TRegistry.h"
#include "platform/os/win32/TSystemRegistryKey.h"

#include <gtest/gtest.h>

namespace {

// The registry's numbers of the value types, as the system's header has them.
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kExpandSz = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kMultiSz = 7;

std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    for (wchar_t unit : text) {
        bytes.push_back(std::uint8_t(unit & 0xFF));
        bytes.push_back(std::uint8_t(unit >> 8));
    }
    return bytes;
}

std::string ErrorOfReading(const TRegistry& registry, const std::string& name) {
    try {
        registry.ReadString(name);
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return std::string();
}

struct RegistryValues : ::testing::Test {
    void SetUp() override {
        Key.CreateSubKey("Values");
        registry.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(registry.OpenKey(Key.Path() + "\\Values", false));
    }
    TRegistryTestKey Key;
    TRegistry registry;
};

// Two keys of the test standing for HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
struct RegistryRoots : ::testing::Test {
    void SetUp() override { Key.CreateSubKey("Machine\\Software\\Quibbleton"); }
    // Opens the settings key the way the program does, with the machine's key writable or not.
    bool OpenSettings(TRegistry& registry, bool machineWritable) {
        if (!machineWritable) {
            // Every key on the way is read-only, as HKEY_LOCAL_MACHINE is to a standard user.
            for (const char* subKey : {"Machine", "Machine\\Software", "Machine\\Software\\Quibbleton"})
                if (!Key.MakeReadOnly(subKey)) return false;
        }
        void* machine = machineWritable ? Key.OpenForWriting("Machine") : Key.OpenForReading("Machine");
        Roots = std::make_unique<TScopedRegistryRoots>(machine, Key.OpenForWriting("User"));
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        return registry.OpenKey("Software\\Quibbleton", true);
    }
    TRegistryTestKey Key;
    std::unique_ptr<TScopedRegistryRoots> Roots;
};

} // namespace

TEST_F(RegistryValues, StringAndExpandStringReadAsTheirText) {
    Key.SetText("Values", L"Plain", L"Golden (internal)");
    Key.SetValue("Values", L"Expand", kExpandSz, Utf16Bytes(std::wstring(L"%TEMP%\\x") + L'\0'));
    EXPECT_EQ(registry.ReadString("Plain"), "Golden (internal)");
    EXPECT_EQ(registry.ReadString("Expand"), "%TEMP%\\x");
    EXPECT_EQ(registry.GetDataType("Expand"), TRegDataType::rdExpandString);
}

TEST_F(RegistryValues, TextStopsAtTheFirstNul) {
    Key.SetValue("Values", L"Two", kSz, Utf16Bytes(std::wstring(L"ab\0cd\0", 6)));
    EXPECT_EQ(registry.ReadString("Two"), "ab");
}

TEST_F(RegistryValues, MissingAndEmptyValuesReadEmpty) {
    Key.SetValue("Values", L"Empty", kSz, {});
    EXPECT_EQ(registry.ReadString("Empty"), "");
    EXPECT_EQ(registry.GetDataSize("Empty"), 0);
    EXPECT_EQ(registry.ReadString("Missing"), "");
    EXPECT_EQ(registry.GetDataSize("Missing"), -1);
}

TEST_F(RegistryValues, NonStringTypesThrowOnReadingAsText) {
    Key.SetValue("Values", L"FormHue", kDword, {40, 0, 0, 0});
    Key.SetValue("Values", L"Binary", kBinary, {1, 2, 3});
    Key.SetValue("Values", L"Multi", kMultiSz, Utf16Bytes(std::wstring(L"a\0b\0\0", 5)));
    EXPECT_EQ(ErrorOfReading(registry, "FormHue"), "Invalid data type for 'FormHue'");
    EXPECT_EQ(ErrorOfReading(registry, "Binary"), "Invalid data type for 'Binary'");
    EXPECT_EQ(ErrorOfReading(registry, "Multi"), "Invalid data type for 'Multi'");
    EXPECT_EQ(registry.ReadInteger("FormHue"), 40);
    EXPECT_EQ(registry.GetDataType("Binary"), TRegDataType::rdBinary);
}

TEST_F(RegistryValues, WritesStringsAsUtf16) {
    registry.WriteString("FormStyle", "Офис «Ч»");
    EXPECT_EQ(Key.Text("Values", L"FormStyle"), std::wstring(L"Офис «Ч»"));
    EXPECT_EQ(registry.ReadString("FormStyle"), "Офис «Ч»");
}

TEST_F(RegistryValues, EightBitTextIsStoredFromTheAnsiCodePage) {
    // Bytes that are not UTF-8 are the ANSI code page's, as everywhere in the program.
    const std::string eightBit = "caf\xE9";
    registry.WriteString("Name", eightBit);
    const auto stored = Key.Text("Values", L"Name");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), 4u);
    EXPECT_EQ(stored->substr(0, 3), L"caf");
}

TEST_F(RegistryValues, OtherTypesAreWrittenAsGiven) {
    registry.WriteInteger("Number", -2);
    registry.WriteBinaryData("Blob", std::vector<std::uint8_t>{9, 8});
    EXPECT_EQ(Key.Value("Values", L"Number"),
              std::make_pair(kDword, std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Key.Value("Values", L"Blob"), std::make_pair(kBinary, std::vector<std::uint8_t>{9, 8}));
}

TEST_F(RegistryValues, RefusedNameThrowsSetFailed) {
    try {
        registry.WriteString("Bad\x01", "x");
        FAIL() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Bad\x01'");
    }
}

TEST_F(RegistryValues, WriteStringsGivesBackTheValuesBeforeARefusal) {
    Key.SetText("Values", L"FormStyle", L"Old");
    const std::vector<TRegNamedString> values = {{"FormStyle", "New"}, {"FormHue", "10"}, {"Bad\x01", "x"}};
    EXPECT_THROW(registry.WriteStrings(values), ERegistryException);
    EXPECT_EQ(Key.Text("Values", L"FormStyle"), std::wstring(L"Old"));
    EXPECT_FALSE(Key.Value("Values", L"FormHue").has_value());
}

TEST_F(RegistryValues, WriteStringsStoresEveryValue) {
    registry.WriteStrings(std::vector<TRegNamedString>{{"FormStyle", "A"}, {"FormHue", "5"}});
    EXPECT_EQ(Key.Text("Values", L"FormStyle"), std::wstring(L"A"));
    EXPECT_EQ(Key.Text("Values", L"FormHue"), std::wstring(L"5"));
}

TEST_F(RegistryValues, MissingKeyIsCreatedOnlyWhenAsked) {
    TRegistry other;
    other.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_FALSE(other.OpenKey(Key.Path() + "\\New", false));
    EXPECT_TRUE(other.OpenKey(Key.Path() + "\\New", true));
    EXPECT_TRUE(other.KeyExists("\\" + Key.Path() + "\\New"));
}

TEST_F(RegistryRoots, WritableMachineKeyKeepsTheSettings) {
    TRegistry registry;
    ASSERT_TRUE(OpenSettings(registry, true));
    registry.WriteString("LastFrase", "3");
    EXPECT_EQ(Key.Text("Machine\\Software\\Quibbleton", L"LastFrase"), std::wstring(L"3"));
    EXPECT_FALSE(Key.Value("User\\Software\\Quibbleton", L"LastFrase").has_value());
}

// The user's key does not exist before: it is created.
TEST_F(RegistryRoots, ReadOnlyMachineKeySendsWritesToTheUsersKey) {
    Key.SetText("Machine\\Software\\Quibbleton", L"FormStyle", L"Machine skin");
    TRegistry registry;
    ASSERT_TRUE(OpenSettings(registry, false));
    registry.WriteString("LastFrase", "7");
    EXPECT_EQ(Key.Text("User\\Software\\Quibbleton", L"LastFrase"), std::wstring(L"7"));
    EXPECT_FALSE(Key.Value("Machine\\Software\\Quibbleton", L"LastFrase").has_value());
    EXPECT_EQ(registry.ReadString("LastFrase"), "7");
    EXPECT_EQ(registry.ReadString("FormStyle"), "Machine skin");
}

TEST_F(RegistryRoots, UsersValuesComeBeforeTheMachines) {
    Key.SetText("Machine\\Software\\Quibbleton", L"FormStyle", L"Machine skin");
    Key.SetText("Machine\\Software\\Quibbleton", L"FormHue", L"40");
    Key.SetText("User\\Software\\Quibbleton", L"FormStyle", L"User skin");
    TRegistry registry;
    ASSERT_TRUE(OpenSettings(registry, false));
    EXPECT_EQ(registry.ReadString("FormStyle"), "User skin");
    EXPECT_EQ(registry.ReadString("FormHue"), "40");
}

TEST_F(RegistryRoots, WriteToTheMachineKeyRemovesTheUsersOlderCopy) {
    Key.SetText("User\\Software\\Quibbleton", L"LastFrase", L"1");
    TRegistry registry;
    ASSERT_TRUE(OpenSettings(registry, true));
    registry.WriteString("LastFrase", "9");
    EXPECT_EQ(registry.ReadString("LastFrase"), "9");
    EXPECT_FALSE(Key.Value("User\\Software\\Quibbleton", L"LastFrase").has_value());
}
