#pragma once

#include <string>
#include <vector>

// The program's start-up: the single-instance lock, the run mode from the command line and
// the program file's extension, and the windows it runs. commandLine holds the program path
// (item 0) and the arguments. Returns the process's exit status.
int RunProgram(const std::vector<std::string>& commandLine);

// The name of the single-instance lock.
inline constexpr const char* SingleInstanceName = "Quibbleton_455777";
