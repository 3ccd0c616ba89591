#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/backends/headless/THeadlessBackend.h"

// Parses QUIBBLETON_SCREEN's "WxH" (each side 1 to THeadlessBackend::MaxScreenSide); nothing when malformed.
std::optional<TSize> ParseScreenSize(std::string_view text);

// The headless backend of a real run: the screen from QUIBBLETON_SCREEN (default 1920x1080)
// and a script driver reading QUIBBLETON_SCRIPT (a file, or - for standard input). Without a
// script the run ends at the first idle moment, as an empty script does. Null, with a
// message on standard error, when the screen size or the script cannot be used.
std::unique_ptr<THeadlessBackend> CreateHeadlessBackendFromEnvironment();
