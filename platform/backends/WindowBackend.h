#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/TBackend.h"

// The platform's own window backend, the default of QUIBBLETON_BACKEND: SDL2 on Linux, Win32
// windows on Windows.

// Its name in QUIBBLETON_BACKEND.
extern const char* const WindowBackendName;

// Null, with a message for the user in error, when it cannot start.
std::unique_ptr<TBackend> CreateWindowBackend(std::string& error);
