// What a fade costs through the SDL2 backend as the screen grows. Each run starts an X server
// of its own (Xvfb) at the size asked for, starts the built program's main screen in it, and
// moves the pointer (xdotool) ten times into a button and out again, waiting for each fade to
// end. It reports the program's processor time for those twenty fades ("fade_cpu_ms") and its
// peak memory over the whole run ("peak_mb"). A button's fades should cost about the same on
// any screen; the peak grows with the screen by the pictures held per window. Without Xvfb or
// xdotool the runs are skipped. QUIBBLETON_PROGRAM names another build of the program to
// measure (the figures of an older build, for instance).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

bool OnPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Program() {
    const char* chosen = std::getenv("QUIBBLETON_PROGRAM");
    return chosen && *chosen ? chosen : QUIBBLETON_BINARY_DIR "/quibbleton";
}

// A child process with these environment additions and no input or output; its errors go to
// errorFile when one is named.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& errorFile = "") {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    for (const std::string& e : env)
        putenv(const_cast<char*>(e.c_str()));
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(errorFile.empty() ? null : open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

int RunToEnd(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             const std::string& errorFile = "") {
    int status = 0;
    waitpid(Spawn(argv, env, errorFile), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Processor time of a process (user and system), in milliseconds.
double CpuMs(pid_t pid) {
    const std::string text = FileText("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t end = text.rfind(')');
    if (end == std::string::npos) return 0;
    std::istringstream fields(text.substr(end + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i)
        fields >> skip;
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// Peak resident memory of a process, in kilobytes.
long PeakKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

struct TXServer {
    pid_t Pid = 0;
    std::string Display;
    ~TXServer() { Stop(Pid); }
};

// A display number without a server's lock or socket. Xvfb's own choice may fall on a socket
// left behind by a server that is gone, which no client can reach.
int FreeDisplayNumber() {
    for (int n = 50 + int(getpid() % 500);; ++n) {
        const std::string number = std::to_string(n);
        if (access(("/tmp/.X" + number + "-lock").c_str(), F_OK) != 0 &&
            access(("/tmp/.X11-unix/X" + number).c_str(), F_OK) != 0)
            return n;
    }
}

std::optional<std::string> StartXvfb(TXServer& server, int width, int height) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "no pipe";
    server.Pid = fork();
    if (server.Pid == 0) {
        close(pipeFds[0]);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const std::string fd = std::to_string(pipeFds[1]);
        const std::string display = ":" + std::to_string(FreeDisplayNumber());
        execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[32] = {};
    const ssize_t n = read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    if (n <= 0) return "Xvfb did not start";
    server.Display = ":" + std::to_string(std::atoi(buffer));
    // The server names its display before a client can always connect to it.
    for (int i = 0; i < 50; ++i) {
        if (RunToEnd({"xdotool", "getmouselocation"}, {"DISPLAY=" + server.Display},
                     "/tmp/bench_present_probe.log") == 0)
            return std::nullopt;
        std::this_thread::sleep_for(100ms);
    }
    return "Xvfb does not answer on " + server.Display + ": " + FileText("/tmp/bench_present_probe.log");
}

// A button's centre on a screen of that size, from a headless run's dump.
std::optional<std::pair<int, int>> ButtonCentre(const std::string& button, int width, int height,
                                                const std::string& work) {
    const std::string dump = work + "/layout.json", script = work + "/layout.script";
    std::ofstream(script) << "dump " << dump << "\n";
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (RunToEnd({Program(), "/s"},
                 {"QUIBBLETON_BACKEND=headless", "QUIBBLETON_SCREEN=" + size, "QUIBBLETON_SCRIPT=" + script,
                  "QUIBBLETON_HOME=" + work, "QUIBBLETON_REGISTRY=" + work + "/registry.reg",
                  "XDG_RUNTIME_DIR=" + work}) != 0)
        return std::nullopt;
    const std::string text = FileText(dump);
    std::smatch m;
    const std::regex box("\"name\":\"" + button + "\"[^{}]*\"screen\":\\[(-?\\d+),(-?\\d+),(\\d+),(\\d+)\\]");
    if (!std::regex_search(text, m, box)) return std::nullopt;
    return std::pair{std::stoi(m[1]) + std::stoi(m[3]) / 2, std::stoi(m[2]) + std::stoi(m[4]) / 2};
}

void MovePointer(const std::string& display, int x, int y) {
    RunToEnd({"xdotool", "mousemove", std::to_string(x), std::to_string(y)}, {"DISPLAY=" + display});
}

// Waits until the process has used no processor time for a while: the screen is shown.
void WaitUntilIdle(pid_t pid) {
    double last = -1;
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(200ms);
        const double now = CpuMs(pid);
        if (now == last) return;
        last = now;
    }
}

void BM_ButtonFadesOnScreen(benchmark::State& state, const std::string& button) {
    const int width = int(state.range(0)), height = int(state.range(1));
    if (!OnPath("Xvfb") || !OnPath("xdotool")) {
        state.SkipWithError("Xvfb and xdotool are needed to show the program in an X server");
        return;
    }
    char workTemplate[] = "/tmp/bench_present.XXXXXX";
    const char* work = mkdtemp(workTemplate);
    if (!work) {
        state.SkipWithError("no scratch folder");
        return;
    }
    std::ofstream(std::string(work) + "/Texts.txt") << "phrase\r\n";
    const auto centre = ButtonCentre(button, width, height, work);
    if (!centre) {
        state.SkipWithError(("no " + button + " in the headless dump of " + Program()).c_str());
        return;
    }
    double cpuMs = 0;
    long peakKb = 0;
    for (auto _ : state) {
        // Servers of other programs on this machine may take the display a new one chose.
        std::optional<TXServer> server;
        std::optional<std::string> error;
        for (int attempt = 0; attempt < 3 && (!server || error); ++attempt) {
            server.emplace();
            error = StartXvfb(*server, width, height);
        }
        if (error) {
            state.SkipWithError(error->c_str());
            return;
        }
        MovePointer(server->Display, width - 1, height - 1);
        const pid_t program = Spawn({Program(), "/s"},
                                    {"DISPLAY=" + server->Display, "QUIBBLETON_BACKEND=sdl",
                                     "QUIBBLETON_HOME=" + std::string(work),
                                     "QUIBBLETON_REGISTRY=" + std::string(work) + "/registry.reg",
                                     "XDG_RUNTIME_DIR=" + std::string(work)},
                                    std::string(work) + "/program.log");
        WaitUntilIdle(program);
        const double before = CpuMs(program);
        for (int i = 0; i < 10; ++i) {
            MovePointer(server->Display, centre->first, centre->second);
            std::this_thread::sleep_for(400ms);
            // Just off the button, on the main screen's background.
            MovePointer(server->Display, width - 1, height - 1);
            std::this_thread::sleep_for(400ms);
        }
        cpuMs = CpuMs(program) - before;
        peakKb = PeakKb(program);
        if (waitpid(program, nullptr, WNOHANG) == program) {
            state.SkipWithError(
                ("the program ended early: " + FileText(std::string(work) + "/program.log")).c_str());
            return;
        }
        Stop(program);
    }
    RunToEnd({"rm", "-rf", work}, {});
    state.counters["fade_cpu_ms"] = cpuMs;
    state.counters["peak_mb"] = double(peakKb) / 1024.0;
    state.SetLabel(button + " on " + std::to_string(width) + "x" + std::to_string(height));
}

} // namespace

BENCHMARK_CAPTURE(BM_ButtonFadesOnScreen, small_button, std::string("sButton1"))
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ButtonFadesOnScreen, super_button, std::string("sButton5"))
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
