#pragma once

#include <string>
#include <vector>

// The program's command line as the system gives it, item 0 being the program itself. On
// Windows item 0 is the full path of the program's own file, whatever the command typed (a
// program started as "quibbleton" still has its ".exe" or ".scr"); elsewhere it is argv[0] as
// it was given.
std::vector<std::string> ProgramCommandLine(int argc, const char* const* argv);
