#pragma once

#include <functional>
#include <memory>

#include "platform/toolkit/TBackend.h"

// Makes the headless backend of a run. The backends know nothing of scripts: the automation
// layer's CreateHeadlessBackendFromEnvironment gives the headless backend its script driver.
using THeadlessBackendMaker = std::function<std::unique_ptr<TBackend>()>;

// Chooses the backend from QUIBBLETON_BACKEND (the platform's window backend, "sdl" or "win32",
// or "headless"; default the window backend); "headless" is
// made by makeHeadless. Returns null and writes a clear message to stderr when the chosen
// backend cannot start.
std::unique_ptr<TBackend> CreateBackendFromEnvironment(const THeadlessBackendMaker& makeHeadless);
