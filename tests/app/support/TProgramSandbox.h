#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/core/Geometry.h"

// What a finished run of the program left: its exit status and what it wrote.
struct TRunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
    // Every "dump -" of the script, in order.
    std::vector<nlohmann::json> Dumps() const;
};

// A private world for runs of the built program: its own program folder (with "Texts.txt"),
// settings store, lock folder and virtual screen, and links to the program under any name.
// Every run is headless and driven by a script.
class TProgramSandbox {
public:
    TProgramSandbox();
    ~TProgramSandbox();
    TProgramSandbox(const TProgramSandbox&) = delete;
    TProgramSandbox& operator=(const TProgramSandbox&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Home() const { return m_root / "home"; }
    std::filesystem::path RegistryPath() const { return m_root / "registry.reg"; }
    // The settings store's file byte for byte.
    std::string RegistryBytes() const;
    std::filesystem::path PhrasePath() const { return Home() / "Texts.txt"; }

    // Writes "Texts.txt" byte for byte.
    void WritePhrases(const std::string& bytes) const;
    void SetScreen(int width, int height) { m_screen = std::to_string(width) + "x" + std::to_string(height); }

    // The program under the given file name (a link in the sandbox's own folder).
    std::string ProgramNamed(const std::string& fileName) const;
    // The environment of a run: the caller's, with the sandbox's variables in place.
    std::vector<std::string> Environment() const;

    // Runs the program to its end with the script.
    TRunResult Run(const std::vector<std::string>& arguments, const std::string& script,
                   const std::string& programFileName = "quibbleton") const;

    // The settings store's key of the program, under HKEY_LOCAL_MACHINE.
    std::optional<std::string> ReadSetting(const std::string& name) const;
    void WriteSetting(const std::string& name, const std::string& value) const;
    void WriteIntegerSetting(const std::string& name, int value) const;

private:
    std::filesystem::path m_root;
    std::string m_screen = "1920x1080";
};

// A program started with its script on a pipe, so that a test can feed it line by line and
// read its standard output while it runs.
class TLiveProgram {
public:
    TLiveProgram(const TProgramSandbox& sandbox, const std::vector<std::string>& arguments);
    ~TLiveProgram();
    TLiveProgram(const TLiveProgram&) = delete;
    TLiveProgram& operator=(const TLiveProgram&) = delete;

    void Send(const std::string& line);
    // The next line of standard output; empty at its end.
    std::string ReadLine();
    // Ends the script and waits for the program; its exit status.
    int Finish();

private:
    int m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    std::string m_buffer;
};

// Dump helpers: the top-level form of a class, a control by name below a node, its bounds.
const nlohmann::json* FindWindow(const nlohmann::json& dump, const std::string& className);
const nlohmann::json* FindControl(const nlohmann::json& node, const std::string& name);
TRect BoundsOf(const nlohmann::json& node);
