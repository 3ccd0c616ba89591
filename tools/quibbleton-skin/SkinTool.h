#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinModel.h"
#include "skin/storedskins/StoredSkinPackages.h"

// An error the tool reports on one line before it exits with status 1.
class TToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A skin opened for the tool: its options text and where its images come from.
struct TOpenedSkin {
    std::unique_ptr<TacSkinConvertor> Package; // null for a skin folder
    TacSkinOptions Options;
    std::string SkinPath;
};

// The recolouring a command applies to a loaded skin, as a manager would.
struct TSkinRecolouring {
    std::int32_t HueOffset = 0;
    std::int32_t Saturation = 0;
    void ApplyTo(TsSkinModel& model) const;
};

// When args[i] is --hue or --saturation, reads its number (args[i + 1], raising TToolError when
// it is missing or no number) into the recolouring, moves i onto it and returns true.
bool TakeRecolouringOption(const std::vector<std::string>& args, std::size_t& i,
                           TSkinRecolouring& recolouring);

// Opens "stored:NAME", a skin folder or a package file. Raises TToolError when the skin
// cannot be opened (no such skin, no options entry); package errors pass through.
TOpenedSkin OpenSkin(const std::string& spec, std::span<const TStoredSkinPackage> stored);

// Runs one command line (without the program name). Output goes to `out`, errors to `err`.
int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                std::span<const TStoredSkinPackage> stored);
