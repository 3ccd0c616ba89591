// The whole program from start to the main screen's first complete frame: a headless run on
// a 1920 x 1080 screen whose script takes one dump (which runs only once every window has
// been painted) and ends. The first frame is the skinned one: the window face from the
// default manager's "FORM" section under every button (target: at most 50 ms).
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

class TStartupWorld {
public:
    TStartupWorld() {
        m_root = std::filesystem::temp_directory_path() /
                 ("quibbleton-bench-startup-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_root / "home");
        std::filesystem::create_directories(m_root / "run");
        std::filesystem::copy_file(std::filesystem::path(QUIBBLETON_SOURCE_DIR) / "app" / "Texts.txt",
                                   m_root / "home" / "Texts.txt",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(m_root / "script.txt") << "dump " << (m_root / "dump.json").string() << "\n";
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (!entry.starts_with("QUIBBLETON_") && !entry.starts_with("XDG_RUNTIME_DIR="))
                m_env.push_back(entry);
        }
        m_env.push_back("QUIBBLETON_BACKEND=headless");
        m_env.push_back("QUIBBLETON_SCREEN=1920x1080");
        m_env.push_back("QUIBBLETON_SCRIPT=" + (m_root / "script.txt").string());
        m_env.push_back("QUIBBLETON_HOME=" + (m_root / "home").string());
        m_env.push_back("QUIBBLETON_REGISTRY=" + (m_root / "registry.reg").string());
        m_env.push_back("XDG_RUNTIME_DIR=" + (m_root / "run").string());
    }
    ~TStartupWorld() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // Runs the program once; its exit status.
    int RunOnce() {
        std::string program = std::string(QUIBBLETON_BINARY_DIR) + "/quibbleton";
        std::string mode = "/s";
        std::vector<char*> argv{program.data(), mode.data(), nullptr};
        std::vector<char*> envp;
        for (auto& e : m_env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool DumpWritten() const { return std::filesystem::file_size(m_root / "dump.json") > 0; }

private:
    std::filesystem::path m_root;
    std::vector<std::string> m_env;
};

void BM_StartToFirstFrame(benchmark::State& state) {
    TStartupWorld world;
    for (auto _ : state) {
        if (world.RunOnce() != 0) {
            state.SkipWithError("the program did not end with status 0");
            break;
        }
    }
    if (!world.DumpWritten()) state.SkipWithError("the program wrote no dump");
}

} // namespace

BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
