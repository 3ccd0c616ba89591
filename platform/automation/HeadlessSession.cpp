#include "platform/automation/HeadlessSession.h"

#include <charconv>
#include <cstdlib>
#include <iostream>

#include "platform/automation/TScriptDriver.h"
#include "platform/automation/TToolkitAutomationTarget.h"

namespace {

// A headless backend that carries the driver of its script, looking at the toolkit of the
// running application.
class TScriptedHeadlessBackend : public THeadlessBackend {
public:
    TScriptedHeadlessBackend(TSize screenSize, std::unique_ptr<TScriptReader> reader)
        : THeadlessBackend(screenSize), m_driver(*this, std::move(reader)) {
        m_driver.SetTarget(&m_target);
        m_driver.Attach();
    }

private:
    TToolkitAutomationTarget m_target;
    TScriptDriver m_driver;
};

std::optional<int> ParseSide(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > THeadlessBackend::MaxScreenSide)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<TSize> ParseScreenSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto width = ParseSide(text.substr(0, x));
    const auto height = ParseSide(text.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return TSize{*width, *height};
}

std::unique_ptr<THeadlessBackend> CreateHeadlessBackendFromEnvironment() {
    TSize screenSize = THeadlessBackend::DefaultScreenSize;
    if (const char* screen = std::getenv("QUIBBLETON_SCREEN"); screen && *screen) {
        const auto parsed = ParseScreenSize(screen);
        if (!parsed) {
            std::cerr << "quibbleton: QUIBBLETON_SCREEN must be a size such as 1920x1080 (1 to "
                      << THeadlessBackend::MaxScreenSide
                      << " each "
                         "way), not \""
                      << screen << "\".\n";
            return nullptr;
        }
        screenSize = *parsed;
    }
    std::unique_ptr<TScriptReader> reader;
    if (const char* script = std::getenv("QUIBBLETON_SCRIPT"); script && *script) {
        reader = TScriptReader::Open(script);
        if (!reader) {
            std::cerr << "quibbleton: cannot open the script \"" << script << "\".\n";
            return nullptr;
        }
    }
    return std::make_unique<TScriptedHeadlessBackend>(screenSize, std::move(reader));
}
