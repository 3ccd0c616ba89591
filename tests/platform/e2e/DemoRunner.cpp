#include "DemoRunner.h"

#include "platform/graphics/PngReader.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

namespace {

// Hangs end here rather than in the test harness's own time limit.
constexpr const char* TimeLimitSeconds = "60";

} // namespace

std::string MakeTestDirectory(const std::string& testName) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("quibbleton-e2e-" + testName + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TDemoRun RunDemo(const std::string& dir, const std::string& script,
                 const std::map<std::string, std::string>& environment) {
    const std::string scriptPath = dir + "/script.txt";
    std::ofstream(scriptPath, std::ios::binary) << script;
    const std::string outPath = dir + "/stdout.txt";
    const std::string errPath = dir + "/stderr.txt";

    std::map<std::string, std::string> variables;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos) variables[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (auto it = variables.begin(); it != variables.end();)
        it = it->first.rfind("QUIBBLETON_", 0) == 0 ? variables.erase(it) : std::next(it);
    variables["QUIBBLETON_BACKEND"] = "headless";
    variables["QUIBBLETON_SCRIPT"] = scriptPath;
    for (const auto& [key, value] : environment) {
        if (value == "<unset>")
            variables.erase(key);
        else
            variables[key] = value;
    }
    std::vector<std::string> envStrings;
    for (const auto& [key, value] : variables)
        envStrings.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (auto& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    std::string program = std::string(QUIBBLETON_BINARY_DIR) + "/quibbleton-demo";
    std::string timeout = "/usr/bin/timeout";
    std::string limit = TimeLimitSeconds;
    std::string killAfter = "--kill-after=5";
    std::vector<char*> argv;
    if (std::filesystem::exists(timeout)) {
        argv.push_back(timeout.data());
        argv.push_back(killAfter.data());
        argv.push_back(limit.data());
    }
    argv.push_back(program.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    TDemoRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.Err = std::string("cannot start the demo: ") + std::strerror(spawned);
        return run;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.Out = ReadFile(outPath);
    run.Err = ReadFile(errPath);
    return run;
}

const TJsonValue* FindNode(const TJsonValue& node, const std::string& name) {
    if (node.Kind == TJsonValue::TKind::Object && node["name"].String == name) return &node;
    const TJsonValue& list = node.Kind == TJsonValue::TKind::Array ? node : node["children"];
    for (const TJsonValue& child : list.Array)
        if (const TJsonValue* found = FindNode(child, name)) return found;
    if (node.Has("windows"))
        for (const TJsonValue& form : node["windows"].Array)
            if (const TJsonValue* found = FindNode(form, name)) return found;
    return nullptr;
}

unsigned TRgbImage::Pixel(int x, int y) const {
    const std::size_t i = (std::size_t(y) * std::size_t(Width) + std::size_t(x)) * 3;
    return (unsigned(Pixels[i]) << 16) | (unsigned(Pixels[i + 1]) << 8) | Pixels[i + 2];
}

TRgbImage ReadPng(const std::string& path) {
    TRgbImage image;
    const std::optional<TBitmap> png = ReadPngFile(path);
    if (!png) return image;
    image.Width = png->Width();
    image.Height = png->Height();
    image.Pixels.reserve(std::size_t(image.Width) * std::size_t(image.Height) * 3);
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const TColor c = png->GetPixel(x, y);
            image.Pixels.insert(image.Pixels.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
        }
    return image;
}
