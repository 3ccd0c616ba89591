#include "platform/os/TRegistry.h"
#include "platform/os/OsTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "platform/os/TFileLock.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kKey = "Software\\Quibbleton";

struct TStore {
    TTempFolder Folder;
    std::string Path = Folder / "quibbleton/registry.reg";

    TRegistry Open() const {
        TRegistry registry(Path);
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        return registry;
    }
    void Write(const std::string& text) const {
        ForceDirectories(ExtractFilePath(Path));
        WriteTextFile(Path, text);
    }
};

// The message of the registry's error that the call raises.
std::string RegistryError(const std::function<void()>& call) {
    try {
        call();
    } catch (const ERegistryException& error) {
        return error.Message();
    }
    return "no error";
}

std::string ReadError(const TRegistry& registry, const char* name) {
    return RegistryError([&] { registry.ReadString(name); });
}

const std::string kStored = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\n"
                            "\"LastFrase\"=\"2\"\n\"FormHue\"=dword:00000032\n\"Empty\"=hex:\n"
                            "\"Expand\"=hex(2):61,62,00,63,00\n";

// A fresh accessor still reads the stored "LastFrase" and can change it.
void ExpectStoreStillWorks(const TStore& store) {
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("LastFrase"), "2");
    registry.WriteString("LastFrase", "5");
    EXPECT_EQ(registry.ReadString("LastFrase"), "5");
}

} // namespace

TEST(Registry, MissingKeyIsCreatedInANewStore) {
    TStore store;
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    EXPECT_EQ(ReadTextFile(store.Path), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\n");
    EXPECT_EQ(registry.ReadString("LastFrase"), "");
    EXPECT_FALSE(registry.ValueExists("LastFrase"));
}

TEST(Registry, MissingKeyWithoutCreationIsNotOpened) {
    TStore store;
    TRegistry registry = store.Open();
    EXPECT_FALSE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(FileExists(store.Path));
}

TEST(Registry, ValueWrittenIsReadByAFreshAccessor) {
    TStore store;
    {
        TRegistry registry = store.Open();
        ASSERT_TRUE(registry.OpenKey(kKey, true));
        registry.WriteString("FormStyle", "Golden \"A\\B\" (internal)");
    }
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("formstyle"), "Golden \"A\\B\" (internal)");
    EXPECT_NE(ReadTextFile(store.Path).find("\"FormStyle\"=\"Golden \\\"A\\\\B\\\" (internal)\""),
              std::string::npos);
}

TEST(Registry, NonStringValueReportsItsTypeAndRefusesText) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    TRegDataInfo info;
    ASSERT_TRUE(registry.GetDataInfo("FormHue", info));
    EXPECT_EQ(info.RegData, TRegDataType::rdInteger);
    EXPECT_EQ(info.DataSize, 4);
    EXPECT_EQ(ReadError(registry, "FormHue"), "Invalid data type for 'FormHue'");
    EXPECT_EQ(registry.ReadInteger("FormHue"), 50);
}

TEST(Registry, ZeroSizeValueReadsAsEmptyText) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.GetDataType("Empty"), TRegDataType::rdBinary);
    EXPECT_EQ(registry.GetDataSize("Empty"), 0);
    EXPECT_EQ(registry.ReadString("Empty"), "");
}

TEST(Registry, ExpandStringReadsUpToFirstNul) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.GetDataType("Expand"), TRegDataType::rdExpandString);
    EXPECT_EQ(registry.ReadString("Expand"), "ab");
}

TEST(Registry, Version5ExpandStringIsUtf16) {
    TStore store;
    store.Write("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\r\n"
                "\"Name\"=hex(2):1f,04,40,04,00,00\r\n");
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("Name"), "Пр");
    registry.WriteExpandString("Other", "Ж");
    EXPECT_NE(ReadTextFile(store.Path).find("\"Other\"=hex(2):16,04,00,00\r\n"), std::string::npos);
    EXPECT_EQ(registry.ReadString("Other"), "Ж");
}

TEST(Registry, UnparsableStoreIsNeitherOpenedNorOverwritten) {
    TStore store;
    const std::string garbage = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\nnot a value\n";
    store.Write(garbage);
    TRegistry registry = store.Open();
    EXPECT_FALSE(registry.OpenKey(kKey, true));
    EXPECT_FALSE(registry.OpenKey("Software\\Other", true));
    EXPECT_EQ(ReadTextFile(store.Path), garbage);
}

TEST(Registry, StoreBrokenAfterOpeningRefusesWrites) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    store.Write("\x89PNG garbage");
    EXPECT_EQ(registry.ReadString("LastFrase"), "");
    try {
        registry.WriteString("LastFrase", "3");
        FAIL() << "no exception";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Failed to set data for 'LastFrase'");
    }
    EXPECT_EQ(ReadTextFile(store.Path), "\x89PNG garbage");
}

TEST(Registry, WritingKeepsEverythingElseByteForByte) {
    TStore store;
    const std::string before = "REGEDIT4\r\n; settings\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                               "\"Blob\"=hex:00,01,\\\r\n  02,03\r\n@=\"default\"\r\n\r\n"
                               "[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\r\n\"LastFrase\"=\"2\"\r\n"
                               "\"FormStyle\"=\"Golden (internal)\"\r\n";
    store.Write(before);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    registry.WriteString("LastFrase", "-1");
    std::string expected = before;
    expected.replace(expected.find("\"LastFrase\"=\"2\""), 15, "\"LastFrase\"=\"-1\"");
    EXPECT_EQ(ReadTextFile(store.Path), expected);
}

TEST(Registry, NewValueGoesIntoItsOwnKey) {
    TStore store;
    store.Write("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\n\"A\"=\"1\"\n\n"
                "[HKEY_LOCAL_MACHINE\\Software\\Z]\n\"A\"=\"z\"\n");
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    registry.WriteString("B", "2");
    EXPECT_EQ(ReadTextFile(store.Path),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\n\"A\"=\"1\"\n"
              "\"B\"=\"2\"\n\n[HKEY_LOCAL_MACHINE\\Software\\Z]\n\"A\"=\"z\"\n");
}

TEST(Registry, IntegersAndControlCharactersRoundTrip) {
    TStore store;
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("Hue", -1);
    registry.WriteString("Lines", "a\r\nb");
    EXPECT_EQ(registry.ReadInteger("Hue"), -1);
    EXPECT_EQ(registry.ReadString("Lines"), "a\r\nb");
    const std::string text = ReadTextFile(store.Path);
    EXPECT_NE(text.find("\"Hue\"=dword:ffffffff\n"), std::string::npos);
    EXPECT_NE(text.find("\"Lines\"=hex(1):61,0d,0a,62,00\n"), std::string::npos);
}

TEST(Registry, WritingWithoutOpenKeyOrWithBadNameFails) {
    TStore store;
    TRegistry registry = store.Open();
    EXPECT_THROW(registry.WriteString("LastFrase", "1"), ERegistryException);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    EXPECT_THROW(registry.WriteString("Bad\nName", "1"), ERegistryException);
}

TEST(Registry, RelativeAndAbsoluteKeys) {
    TStore store;
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey("Software", true));
    ASSERT_TRUE(registry.OpenKey("Quibbleton", true));
    EXPECT_EQ(registry.CurrentPath(), kKey);
    ASSERT_TRUE(registry.OpenKey("\\Software", false));
    EXPECT_EQ(registry.CurrentPath(), "Software");
    EXPECT_TRUE(registry.KeyExists("\\SOFTWARE\\quibbleton"));
}

TEST(Registry, StoreLocationFromEnvironment) {
    TTempFolder folder;
    TScopedEnv registry("QUIBBLETON_REGISTRY", std::nullopt);
    TScopedEnv home("HOME", folder.Path());
    {
        TScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(TRegistry::DefaultStorePath(), folder.Path() + ".config/quibbleton/registry.reg");
    }
    TScopedEnv config("XDG_CONFIG_HOME", folder / "cfg");
    EXPECT_EQ(TRegistry::DefaultStorePath(), folder / "cfg/quibbleton/registry.reg");
    TScopedEnv explicitPath("QUIBBLETON_REGISTRY", folder / "r.reg");
    EXPECT_EQ(TRegistry().StorePath(), folder / "r.reg");
}

// Runs the body in a child process with the file size limit set to the store's current size,
// so that writing a larger store fails part-way like a full disk.
int WriteInChildWithSizeLimit(const TStore& store, bool ignoreSignal) {
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(ReadTextFile(store.Path).size());
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (ignoreSignal) ::signal(SIGXFSZ, SIG_IGN);
        try {
            TRegistry registry = store.Open();
            if (!registry.OpenKey(kKey, false)) ::_exit(2);
            registry.WriteString("LastFrase", std::string(100000, '7'));
        } catch (const ERegistryException& error) {
            ::_exit(error.Message() == "Failed to set data for 'LastFrase'" ? 0 : 3);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST(RegistryAtomicity, FailedWriteLeavesOldFileAndNoTemporary) {
    TStore store;
    store.Write(kStored);
    const int status = WriteInChildWithSizeLimit(store, true);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
    for (const auto& entry : ListDirectory(ExtractFilePath(store.Path)))
        EXPECT_EQ(entry.Name.find(".tmp"), std::string::npos) << entry.Name;
}

TEST(RegistryAtomicity, CrashMidWriteLeavesOldFileReadable) {
    TStore store;
    store.Write(kStored);
    const int status = WriteInChildWithSizeLimit(store, false);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
    ExpectStoreStillWorks(store);
}

TEST(RegistryAtomicity, ReaderNeverSeesAHalfWrittenStore) {
    TStore store;
    store.Write(kStored);
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            TRegistry registry = store.Open();
            if (!registry.OpenKey(kKey, false)) ::_exit(2);
            for (int i = 0; i < 150; ++i)
                registry.WriteString("Counter", std::to_string(i) + std::string(i * 37 % 4000, 'x'));
        } catch (...) {
            ::_exit(3);
        }
        ::_exit(0);
    }
    int reads = 0, failures = 0, last = -1, backwards = 0, status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        TRegistry registry = store.Open();
        ++reads;
        if (!registry.OpenKey(kKey, false) || registry.ReadString("LastFrase") != "2") {
            ++failures;
            continue;
        }
        const std::string counter = registry.ReadString("Counter");
        const int value = counter.empty() ? -1 : std::stoi(counter);
        backwards += value < last;
        last = value;
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(backwards, 0);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("Counter").substr(0, 3), "149");
}

TEST(RegistryAtomicity, TwoWritersLoseNoUpdate) {
    TStore store;
    store.Write(kStored);
    auto writeAll = [&](const char* name) {
        TRegistry registry = store.Open();
        if (!registry.OpenKey(kKey, false)) return false;
        for (int i = 0; i < 60; ++i)
            registry.WriteString(name, std::to_string(i));
        return true;
    };
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            ::_exit(writeAll("A") ? 0 : 1);
        } catch (...) {
            ::_exit(2);
        }
    }
    EXPECT_TRUE(writeAll("B"));
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(registry.ReadString("A"), "59");
    EXPECT_EQ(registry.ReadString("B"), "59");
    EXPECT_EQ(registry.ReadString("LastFrase"), "2");
}

TEST(Registry, KeyNotOpenedWhenTheStoreCannotBeCreated) {
    TTempFolder folder;
    WriteTextFile(folder / "plain", "x");
    TRegistry inFile(folder / "plain/registry.reg");
    inFile.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(inFile.OpenKey(kKey, true));
    TRegistry isFolder(folder.Path());
    isFolder.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(isFolder.OpenKey(kKey, true));
    EXPECT_TRUE(DirectoryExists(folder.Path()));
}

// ---------------------------------------------------------------- several values as one change

namespace {

std::string WriteStringsError(TRegistry& registry, const std::vector<TRegNamedString>& values) {
    return RegistryError([&] { registry.WriteStrings(values); });
}

} // namespace

TEST(Registry, SeveralStringsAreStoredTogether) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    registry.WriteStrings(std::vector<TRegNamedString>{{"FormStyle", "Golden"}, {"FormHue", "50"}});
    EXPECT_EQ(registry.ReadString("FormStyle"), "Golden");
    EXPECT_EQ(registry.ReadString("FormHue"), "50");
    EXPECT_EQ(registry.GetDataType("FormHue"), TRegDataType::rdString);
    EXPECT_EQ(registry.ReadString("LastFrase"), "2");
}

TEST(Registry, OneRefusedStringStoresNoneOfTheOthers) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    const std::vector<TRegNamedString> values{{"FormStyle", "Golden"}, {"Bad\nName", "1"}, {"FormHue", "5"}};
    EXPECT_EQ(WriteStringsError(registry, values), "Failed to set data for 'Bad\nName'");
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
}

TEST(Registry, StringsThatCannotTakeTheLockNameTheFirstValue) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    ForceDirectories(store.Path + ".lock");
    const std::vector<TRegNamedString> values{{"FormStyle", "Golden"}, {"FormHue", "5"}};
    EXPECT_EQ(WriteStringsError(registry, values), "Failed to set data for 'FormStyle'");
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
}

TEST(Registry, StringsWithoutAnOpenKeyAreRefused) {
    TStore store;
    TRegistry registry = store.Open();
    EXPECT_EQ(WriteStringsError(registry, {{"FormStyle", "Golden"}}), "Failed to set data for 'FormStyle'");
    EXPECT_FALSE(FileExists(store.Path));
}

TEST(Registry, NoStringsChangeNothing) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    registry.WriteStrings({});
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
}

// ---------------------------------------------------------------- lock wait, size and rights

namespace {

// A clock that moves only when slept on.
class TFakeClock : public TWaitClock {
public:
    std::uint64_t NowMs() const override { return Now; }
    void Sleep(unsigned ms) const override { Now += ms; }
    mutable std::uint64_t Now = 0;
};

// A blocking wait for the lock would end the test binary here instead of holding the run.
class NoHang {
public:
    NoHang() { ::alarm(20); }
    ~NoHang() { ::alarm(0); }
};

std::string WriteError(TRegistry& registry, const char* name, const std::string& value) {
    return RegistryError([&] { registry.WriteString(name, value); });
}

} // namespace

TEST(RegistryLock, HeldLockFailsTheWriteAfterTheWait) {
    NoHang guard;
    TStore store;
    store.Write(kStored);
    TFileLock holder;
    ASSERT_EQ(holder.Lock(store.Path + ".lock"), TLockResult::Acquired);
    TFakeClock clock;
    TRegistry registry = store.Open();
    registry.SetLockWait(TRegistry::DefaultLockWaitMs, clock);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    EXPECT_EQ(WriteError(registry, "LastFrase", "7"), "Failed to set data for 'LastFrase'");
    EXPECT_EQ(clock.Now, TRegistry::DefaultLockWaitMs);
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
}

TEST(RegistryLock, HeldLockFailsSeveralStringsNamingTheFirst) {
    NoHang guard;
    TStore store;
    store.Write(kStored);
    TFileLock holder;
    ASSERT_EQ(holder.Lock(store.Path + ".lock"), TLockResult::Acquired);
    TFakeClock clock;
    TRegistry registry = store.Open();
    registry.SetLockWait(500, clock);
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_EQ(WriteStringsError(registry, {{"FormStyle", "Golden"}, {"FormHue", "5"}}),
              "Failed to set data for 'FormStyle'");
    EXPECT_EQ(clock.Now, 500u);
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
}

TEST(RegistryLock, KeyThatMustBeCreatedUnderAHeldLockIsNotOpened) {
    NoHang guard;
    TStore store;
    ForceDirectories(ExtractFilePath(store.Path));
    TFileLock holder;
    ASSERT_EQ(holder.Lock(store.Path + ".lock"), TLockResult::Acquired);
    TFakeClock clock;
    TRegistry registry = store.Open();
    registry.SetLockWait(500, clock);
    EXPECT_FALSE(registry.OpenKey(kKey, true));
    EXPECT_FALSE(FileExists(store.Path));
}

TEST(RegistryLock, FreeLockWritesWithoutWaiting) {
    TStore store;
    store.Write(kStored);
    TFakeClock clock;
    TRegistry registry = store.Open();
    registry.SetLockWait(500, clock);
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    registry.WriteString("LastFrase", "7");
    EXPECT_EQ(registry.ReadString("LastFrase"), "7");
    EXPECT_EQ(clock.Now, 0u);
}

namespace {

// The store grown by one value to exactly the given size; the value's line is "Name"="text"
// and its line break.
void GrowStoreTo(TRegistry& registry, const TStore& store, std::int64_t size) {
    const std::int64_t now = std::int64_t(ReadTextFile(store.Path).size());
    const std::string line = "\"Filler\"=\"\"\n";
    registry.WriteString("Filler", std::string(std::size_t(size - now - std::int64_t(line.size())), 'x'));
}

} // namespace

TEST(RegistrySize, StoreAtTheReadLimitIsWrittenAndRead) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    GrowStoreTo(registry, store, TRegistry::MaxStoreFileSize);
    ASSERT_EQ(std::int64_t(ReadTextFile(store.Path).size()), TRegistry::MaxStoreFileSize);
    TRegistry fresh = store.Open();
    ASSERT_TRUE(fresh.OpenKey(kKey, false));
    EXPECT_EQ(fresh.ReadString("LastFrase"), "2");
}

TEST(RegistrySize, ChangeBeyondTheReadLimitIsRefusedAndTheStoreStaysReadable) {
    TStore store;
    store.Write(kStored);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    GrowStoreTo(registry, store, TRegistry::MaxStoreFileSize - 20);
    const std::string before = ReadTextFile(store.Path);
    EXPECT_EQ(WriteStringsError(registry, {{"FormStyle", "Golden (internal)"}, {"FormHue", "50"}}),
              "Failed to set data for 'FormStyle'");
    EXPECT_EQ(WriteError(registry, "LastFrase", std::string(22, '9')), "Failed to set data for 'LastFrase'");
    EXPECT_EQ(ReadTextFile(store.Path), before);
    ExpectStoreStillWorks(store);
}

TEST(RegistryRights, ReadOnlyStoreIsReadButNeverReplaced) {
    TStore store;
    store.Write(kStored);
    ASSERT_EQ(::chmod(store.Path.c_str(), 0444), 0);
    TRegistry registry = store.Open();
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    EXPECT_EQ(registry.ReadString("LastFrase"), "2");
    EXPECT_EQ(WriteError(registry, "LastFrase", "7"), "Failed to set data for 'LastFrase'");
    EXPECT_EQ(WriteStringsError(registry, {{"FormStyle", "Golden"}}), "Failed to set data for 'FormStyle'");
    EXPECT_EQ(ReadTextFile(store.Path), kStored);
    struct stat info {};
    ::stat(store.Path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
}
