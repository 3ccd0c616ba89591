#include "platform/os/TNamedMutex.h"
#include "platform/os/OsTestSupport.h"
#include "platform/os/FileSystem.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kProbeVariable = "QUIBBLETON_MUTEX_PROBE";
constexpr int kProbeBase = 40;

// Starts this test program anew in a child that only creates the named lock and reports the
// result in its exit status.
TMutexCreation ProbeFromAnotherProgram(const std::string& name) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv(kProbeVariable, name.c_str(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl("/proc/self/exe", "platform_tests", "--gtest_filter=NamedMutexProbe.*", nullptr);
        ::_exit(99);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return TMutexCreation::Failed;
    return static_cast<TMutexCreation>(WEXITSTATUS(status) - kProbeBase);
}

struct NamedMutex : ::testing::Test {
    TTempFolder Runtime;
    TScopedEnv RuntimeDir{"XDG_RUNTIME_DIR", Runtime.Path()};
};

} // namespace

// Inside a started child, this case is the probe itself; run normally, it checks the probe's
// own path in this process.
TEST(NamedMutexProbe, CreatesTheNamedLock) {
    if (const char* name = std::getenv(kProbeVariable)) {
        TNamedMutex mutex(name);
        std::_Exit(kProbeBase + static_cast<int>(mutex.Creation()));
    }
    TTempFolder runtime;
    TScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.Path());
    TNamedMutex mutex("Quibbleton_455777");
    EXPECT_EQ(mutex.Creation(), TMutexCreation::Created);
    EXPECT_EQ(ExtractFilePath(mutex.LockFileName()), runtime.Path());
}

TEST_F(NamedMutex, SecondCreationInThisProcessFindsItExisting) {
    auto first = std::make_unique<TNamedMutex>("Quibbleton_455777");
    ASSERT_EQ(first->Creation(), TMutexCreation::Created);
    EXPECT_TRUE(TNamedMutex("Quibbleton_455777").AlreadyExists());
    EXPECT_EQ(TNamedMutex("Quibbleton_other").Creation(), TMutexCreation::Created);
    first.reset();
    EXPECT_EQ(TNamedMutex("Quibbleton_455777").Creation(), TMutexCreation::Created);
}

TEST_F(NamedMutex, AnotherProgramSeesItExistingWhileHeld) {
    {
        TNamedMutex held("Quibbleton_455777");
        ASSERT_EQ(held.Creation(), TMutexCreation::Created);
        EXPECT_EQ(ProbeFromAnotherProgram("Quibbleton_455777"), TMutexCreation::AlreadyExists);
    }
    EXPECT_EQ(ProbeFromAnotherProgram("Quibbleton_455777"), TMutexCreation::Created);
}

namespace {

// A child that holds the lock until the parent closes the control pipe, then ends normally
// or is killed.
void HolderEndsAndFreesTheLock(bool crash) {
    int ready[2], control[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(control), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(control[1]);
        TNamedMutex mutex("Quibbleton_455777");
        const char state = static_cast<char>(mutex.Creation());
        (void)!::write(ready[1], &state, 1);
        char byte;
        while (::read(control[0], &byte, 1) > 0) {
        }
        if (crash) ::raise(SIGKILL);
        ::_exit(0);
    }
    ::close(control[0]);
    char state = -1;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    EXPECT_EQ(state, static_cast<char>(TMutexCreation::Created));
    EXPECT_TRUE(TNamedMutex("Quibbleton_455777").AlreadyExists());
    ::close(control[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WIFSIGNALED(status), crash);
    EXPECT_EQ(TNamedMutex("Quibbleton_455777").Creation(), TMutexCreation::Created);
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace

TEST_F(NamedMutex, FreedWhenHolderExits) {
    HolderEndsAndFreesTheLock(false);
}

TEST_F(NamedMutex, FreedWhenHolderIsKilled) {
    HolderEndsAndFreesTheLock(true);
}

TEST_F(NamedMutex, StartedProgramsDoNotInheritTheLock) {
    auto held = std::make_unique<TNamedMutex>("Quibbleton_455777");
    int input[2], execDone[2];
    ASSERT_EQ(::pipe(input), 0);
    ASSERT_EQ(::pipe2(execDone, O_CLOEXEC), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(input[0], 0);
        ::close(input[1]);
        ::execlp("cat", "cat", nullptr);
        ::_exit(99);
    }
    ::close(input[0]);
    ::close(execDone[1]);
    char byte;
    EXPECT_EQ(::read(execDone[0], &byte, 1), 0); // end of file once cat has started
    held.reset();
    EXPECT_EQ(TNamedMutex("Quibbleton_455777").Creation(), TMutexCreation::Created);
    ::close(input[1]);
    ::close(execDone[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(NamedMutex, OtherFailureIsReportedAsFailed) {
    ASSERT_EQ(::mkdir(TNamedMutex::LockFileFor("Blocked").c_str(), 0700), 0);
    TNamedMutex mutex("Blocked");
    EXPECT_EQ(mutex.Creation(), TMutexCreation::Failed);
    EXPECT_EQ(mutex.Error(), EISDIR);
}

TEST_F(NamedMutex, NamesBecomeDistinctSafeFileNames) {
    const std::string slash = TNamedMutex::LockFileFor("a/b");
    EXPECT_EQ(ExtractFilePath(slash), Runtime.Path());
    EXPECT_NE(slash, TNamedMutex::LockFileFor("a_b"));
    EXPECT_NE(TNamedMutex::LockFileFor(".."), TNamedMutex::LockFileFor("%2E%2E"));
    const std::string longName(5000, 'q');
    EXPECT_LT(ExtractFileName(TNamedMutex::LockFileFor(longName)).size(), 255u);
    EXPECT_NE(TNamedMutex::LockFileFor(longName), TNamedMutex::LockFileFor(longName + "r"));
    EXPECT_EQ(TNamedMutex(longName).Creation(), TMutexCreation::Created);
}

TEST(NamedMutexFolder, TemporaryFolderWithoutRuntimeFolder) {
    TTempFolder temporary;
    TScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    TScopedEnv tmp("TMPDIR", temporary.Path());
    const std::string path = TNamedMutex::LockFileFor("Quibbleton_455777");
    EXPECT_EQ(ExtractFilePath(path), temporary.Path());
    EXPECT_NE(path.find(std::to_string(::getuid())), std::string::npos);
}
