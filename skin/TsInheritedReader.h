#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

    // For each section: true when it lies on a loop itself.
    const std::vector<bool>& InLoop() const { return m_inLoop; }

private:
    // Per section: the index of the section whose own value answers, or -1 (as Resolve leaves
    // them).
    using TAnswers = std::vector<int>;
    // The answers of one key read as text (the answering section) or as a number (the
    // answer itself, -1 for none: a -1 of the text counts as absent, so it never answers).
    struct TKeyAnswers {
        std::string Key;
        bool Text = false;
        TAnswers Answers;
    };
    TKeyAnswers* Known(std::string_view key, bool text);
    template <typename Present> TKeyAnswers& Resolve(std::string_view key, bool text, Present present);

    const TacSkinOptions& m_options;
    std::vector<int> m_parent;
    // The sections of each loop in chain order; which sections lie on a loop themselves.
    std::vector<std::vector<int>> m_loops;
    std::vector<bool> m_inLoop;
    // In the order the keys were first read. A loader reads the same few dozen keys in the same
    // order for every section, so the next read's key is looked for after the last one first.
    std::vector<TKeyAnswers> m_answers;
    std::size_t m_next = 0;
    std::vector<int> m_path;             // the walk of Resolve, kept for the next key
    std::vector<std::int32_t> m_numbers; // each section's own number of the key being resolved
};
