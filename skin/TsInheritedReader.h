#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/TacSkinOptions.h"

// The reads with PARENTCLASS inheritance for a whole options text, resolved once per
// section and key: each section's parent is found once, loops are found once, and the
// answer of a section is its own value or else its parent's answer. Reading every key of
// every section therefore costs time in proportion to the text, however long the chains.
//
// A chain that names its own section, a missing section, nothing or "?" ends there; a chain
// that comes back to a section it passed ends before that section (each section of a loop
// sees the loop's other sections once, in chain order).
class TsInheritedReader {
public:
    explicit TsInheritedReader(const TacSkinOptions& options);

    // A value of -1 (or text that is no number) counts as absent and is inherited.
    std::int32_t ReadInteger(std::size_t section, std::string_view key, std::int32_t fallback);
    // A value of exactly "?" counts as absent and is inherited.
    std::string ReadString(std::size_t section, std::string_view key, std::string_view fallback);

    // The section index of each section's parent; -1 where the chain ends.
    const std::vector<int>& Parents() const { return m_parent; }
    // For each section: true when its parent chain runs into a loop.
    const std::vector<bool>& OnLoop() const { return m_onLoop; }
    // For each section: true when it lies on a loop itself.
    const std::vector<bool>& InLoop() const { return m_inLoop; }

private:
    // Per section: the index of the section whose own value answers, or -1.
    using TAnswers = std::vector<int>;
    template <typename Present> const TAnswers& Resolve(const std::string& cacheKey, Present present);

    const TacSkinOptions& m_options;
    std::vector<int> m_parent;
    std::vector<bool> m_onLoop;
    // The sections of each loop in chain order; which sections lie on a loop themselves.
    std::vector<std::vector<int>> m_loops;
    std::vector<bool> m_inLoop;
    std::unordered_map<std::string, TAnswers> m_answers;
};
