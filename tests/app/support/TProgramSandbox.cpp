#include "tests/app/support/TProgramSandbox.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/os/TRegistry.h"

extern char** environ;

namespace {

// A run that never ends is stopped by this alarm, which survives the program's exec.
constexpr unsigned RunLimitSeconds = 60;

std::filesystem::path MakeRoot() {
    static std::atomic<int> serial{0};
    const auto root = std::filesystem::temp_directory_path() /
                      ("quibbleton-app-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "home");
    std::filesystem::create_directories(root / "run");
    std::filesystem::create_directories(root / "bin");
    return root;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& t : texts)
        pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the program with the given descriptors as its standard streams; the child's copies
// of every other pipe end are closed by close-on-exec.
int Spawn(const std::string& program, std::vector<std::string> argv, std::vector<std::string> env, int in,
          int out, int err) {
    auto argvPointers = Pointers(argv);
    auto envPointers = Pointers(env);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::alarm(RunLimitSeconds);
        ::execve(program.c_str(), argvPointers.data(), envPointers.data());
        ::_exit(127);
    }
    return pid;
}

int WaitFor(int pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

TRegistry OpenSettings(const std::filesystem::path& store) {
    TRegistry registry(store.string());
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey("Software\\Quibbleton", true))
        throw std::runtime_error("cannot open the settings key");
    return registry;
}

} // namespace

std::vector<nlohmann::json> TRunResult::Dumps() const {
    std::vector<nlohmann::json> dumps;
    std::istringstream lines(Out);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line.front() == '{') dumps.push_back(nlohmann::json::parse(line));
    return dumps;
}

TProgramSandbox::TProgramSandbox() : m_root(MakeRoot()) {}

TProgramSandbox::~TProgramSandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::string TProgramSandbox::RegistryBytes() const {
    return ReadAll(RegistryPath());
}

void TProgramSandbox::WritePhrases(const std::string& bytes) const {
    std::ofstream(PhrasePath(), std::ios::binary) << bytes;
}

std::string TProgramSandbox::ProgramNamed(const std::string& fileName) const {
    const auto link = m_root / "bin" / fileName;
    if (!std::filesystem::is_symlink(link))
        std::filesystem::create_symlink(std::filesystem::path(QUIBBLETON_BINARY_DIR) / "quibbleton", link);
    return link.string();
}

std::vector<std::string> TProgramSandbox::Environment() const {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.starts_with("QUIBBLETON_") || entry.starts_with("XDG_RUNTIME_DIR=")) continue;
        env.push_back(entry);
    }
    env.push_back("QUIBBLETON_BACKEND=headless");
    env.push_back("QUIBBLETON_SCREEN=" + m_screen);
    env.push_back("QUIBBLETON_HOME=" + Home().string());
    env.push_back("QUIBBLETON_REGISTRY=" + RegistryPath().string());
    env.push_back("XDG_RUNTIME_DIR=" + (m_root / "run").string());
    return env;
}

TRunResult TProgramSandbox::Run(const std::vector<std::string>& arguments, const std::string& script,
                                const std::string& programFileName) const {
    const auto scriptPath = m_root / "script.txt";
    std::ofstream(scriptPath, std::ios::binary) << script;
    std::vector<std::string> env = Environment();
    env.push_back("QUIBBLETON_SCRIPT=" + scriptPath.string());
    const std::string program = ProgramNamed(programFileName);
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());

    const auto outPath = m_root / "stdout.txt";
    const auto errPath = m_root / "stderr.txt";
    const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int pid = Spawn(program, argv, env, in, out, err);
    ::close(in);
    ::close(out);
    ::close(err);
    TRunResult result;
    result.Status = WaitFor(pid);
    result.Out = ReadAll(outPath);
    result.Err = ReadAll(errPath);
    return result;
}

std::optional<std::string> TProgramSandbox::ReadSetting(const std::string& name) const {
    TRegistry registry(RegistryPath().string());
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey("Software\\Quibbleton", false) || !registry.ValueExists(name)) return std::nullopt;
    return registry.ReadString(name);
}

void TProgramSandbox::WriteSetting(const std::string& name, const std::string& value) const {
    OpenSettings(RegistryPath()).WriteString(name, value);
}

void TProgramSandbox::WriteIntegerSetting(const std::string& name, int value) const {
    OpenSettings(RegistryPath()).WriteInteger(name, value);
}

TLiveProgram::TLiveProgram(const TProgramSandbox& sandbox, const std::vector<std::string>& arguments) {
    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> env = sandbox.Environment();
    env.push_back("QUIBBLETON_SCRIPT=-");
    const std::string program = sandbox.ProgramNamed("quibbleton");
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const int err = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    m_pid = Spawn(program, argv, env, input[0], output[1], err);
    ::close(err);
    ::close(input[0]);
    ::close(output[1]);
    m_input = input[1];
    m_output = output[0];
}

TLiveProgram::~TLiveProgram() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        Finish();
    }
    if (m_output >= 0) ::close(m_output);
}

void TLiveProgram::Send(const std::string& line) {
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(m_input, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += std::size_t(n);
    }
}

std::string TLiveProgram::ReadLine() {
    for (;;) {
        if (const auto end = m_buffer.find('\n'); end != std::string::npos) {
            std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            return line;
        }
        char chunk[65536];
        const ssize_t n = ::read(m_output, chunk, sizeof chunk);
        if (n <= 0) {
            std::string rest;
            rest.swap(m_buffer);
            return rest;
        }
        m_buffer.append(chunk, std::size_t(n));
    }
}

int TLiveProgram::Finish() {
    if (m_input >= 0) {
        ::close(m_input);
        m_input = -1;
    }
    if (m_pid <= 0) return -1;
    const int status = WaitFor(m_pid);
    m_pid = -1;
    return status;
}

const nlohmann::json* FindWindow(const nlohmann::json& dump, const std::string& className) {
    for (const auto& window : dump.at("windows"))
        if (window.at("class") == className) return &window;
    return nullptr;
}

const nlohmann::json* FindControl(const nlohmann::json& node, const std::string& name) {
    for (const auto& child : node.at("children")) {
        if (child.at("name") == name) return &child;
        if (const auto* found = FindControl(child, name)) return found;
    }
    return nullptr;
}

TRect BoundsOf(const nlohmann::json& node) {
    const auto& b = node.at("bounds");
    return TRect::FromBounds(b.at(0).get<int>(), b.at(1).get<int>(), b.at(2).get<int>(), b.at(3).get<int>());
}
