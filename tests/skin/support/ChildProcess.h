#pragma once

// Runs a piece of work in a forked child, so that a test can bound and measure the memory
// the work takes without risking its own process.

#include <cstdint>
#include <exception>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace skintest {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool UnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool UnderAddressSanitizer = true;
#else
inline constexpr bool UnderAddressSanitizer = false;
#endif
#else
inline constexpr bool UnderAddressSanitizer = false;
#endif

struct TChildResult {
    bool Exited = false;        // ended by itself rather than by a signal
    int Code = -1;              // the work's answer; 99 for an exception the work let out
    std::int64_t PeakBytes = 0; // the most memory the child held at once
};

// The child's address space is limited to addressLimit bytes (not under AddressSanitizer,
// whose shadow memory needs far more address space than it uses).
inline TChildResult RunInChild(std::int64_t addressLimit, const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!UnderAddressSanitizer) {
            const rlimit limit{rlim_t(addressLimit), rlim_t(addressLimit)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        int code = 99;
        try {
            code = work();
        } catch (...) {
            code = 99;
        }
        ::_exit(code);
    }
    TChildResult result;
    if (pid < 0) return result;
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return result;
    result.Exited = WIFEXITED(status);
    result.Code = result.Exited ? WEXITSTATUS(status) : -1;
    result.PeakBytes = std::int64_t(usage.ru_maxrss) * 1024;
    return result;
}

} // namespace skintest
