#include "platform/os/TNamedMutex.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr const char* kProbeVariable = "QUIBBLETON_MUTEX_PROBE";
constexpr int kProbeBase = 40;

// Starts this test program anew as a second process that only creates the named mutex and
// reports the result in its exit code.
TMutexCreation ProbeFromAnotherProcess(const std::string& name) {
    wchar_t program[MAX_PATH * 4];
    if (::GetModuleFileNameW(nullptr, program, DWORD(std::size(program))) == 0) return TMutexCreation::Failed;
    ::_putenv_s(kProbeVariable, name.c_str());
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" --gtest_filter=NamedMutexProbe.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE,
                                          CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    ::_putenv_s(kProbeVariable, "");
    if (!started) return TMutexCreation::Failed;
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<TMutexCreation>(int(code) - kProbeBase);
}

// A name of the test's own, so that a running program or another test run is not met.
std::string TestName() {
    std::random_device random;
    return "QuibbletonTest_" + std::to_string(random());
}

} // namespace

// Inside a started process, this case is the probe itself; run normally, it checks that the
// mutex is the system's, known under its own name.
TEST(NamedMutexProbe, CreatesTheNamedMutex) {
    if (const char* name = std::getenv(kProbeVariable); name != nullptr && *name != '\0') {
        TNamedMutex mutex(name);
        std::_Exit(kProbeBase + static_cast<int>(mutex.Creation()));
    }
    const std::string name = TestName();
    TNamedMutex mutex(name);
    EXPECT_EQ(mutex.Creation(), TMutexCreation::Created);
    EXPECT_EQ(mutex.LockFileName(), name);
    const HANDLE same = ::OpenMutexW(SYNCHRONIZE, FALSE, std::wstring(name.begin(), name.end()).c_str());
    EXPECT_NE(same, nullptr);
    if (same != nullptr) ::CloseHandle(same);
}

TEST(NamedMutex, SecondProcessFindsItExisting) {
    const std::string name = TestName();
    auto first = std::make_unique<TNamedMutex>(name);
    ASSERT_EQ(first->Creation(), TMutexCreation::Created);
    EXPECT_EQ(ProbeFromAnotherProcess(name), TMutexCreation::AlreadyExists);
}

TEST(NamedMutex, GoesWithTheObject) {
    const std::string name = TestName();
    auto first = std::make_unique<TNamedMutex>(name);
    first.reset();
    EXPECT_EQ(ProbeFromAnotherProcess(name), TMutexCreation::Created);
}

TEST(NamedMutex, SecondObjectInThisProcessFindsItExisting) {
    const std::string name = TestName();
    TNamedMutex first(name);
    TNamedMutex second(name);
    EXPECT_EQ(first.Creation(), TMutexCreation::Created);
    EXPECT_TRUE(second.AlreadyExists());
}

TEST(NamedMutex, NameWithBackslashStaysApart) {
    // "\" separates a namespace from the name; the name is encoded instead.
    const std::string name = TestName() + "\\x";
    TNamedMutex mutex(name);
    EXPECT_EQ(mutex.Creation(), TMutexCreation::Created);
    EXPECT_EQ(mutex.LockFileName().find('\\'), std::string::npos);
}
