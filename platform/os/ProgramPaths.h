#pragma once

#include <string>

// The program's own file: the real path of the running executable.
std::string ProgramFileName();

// The folder of the program's own file, ending with "/". The environment variable
// QUIBBLETON_HOME replaces it (tests point it at a temporary folder).
std::string ProgramFolder();
