#include "skin/TsInheritedReader.h"

#include <algorithm>

#include "skin/SkinStrings.h"

namespace {

constexpr std::int32_t AbsentInteger = -1;
constexpr std::string_view AbsentString = "?";

int ParentIndex(const TacSkinOptions& options, std::size_t index) {
    const TacSkinOptions::Section& section = options.Sections()[index];
    const auto parent = options.ValueIn(index, "PARENTCLASS");
    if (!parent || parent->empty() || *parent == AbsentString || *parent == section.Name) return -1;
    const TacSkinOptions::Section* found = options.FindSection(*parent);
    if (!found || found == &section) return -1;
    return int(found - options.Sections().data());
}

} // namespace

TsInheritedReader::TsInheritedReader(const TacSkinOptions& options) : m_options(options) {
    m_answers.reserve(48); // the keys of a section record
    const std::size_t count = options.Sections().size();
    m_parent.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        m_parent[i] = ParentIndex(options, i);

    // Every chain is followed once: 0 unvisited, 1 on the walk in progress, 2 done.
    m_inLoop.assign(count, false);
    std::vector<std::uint8_t> state(count, 0);
    std::vector<int> walk;
    for (std::size_t start = 0; start < count; ++start) {
        walk.clear();
        int s = int(start);
        while (s >= 0 && state[std::size_t(s)] == 0) {
            state[std::size_t(s)] = 1;
            walk.push_back(s);
            s = m_parent[std::size_t(s)];
        }
        if (s >= 0 && state[std::size_t(s)] == 1) {
            // The walk came back to s: the sections from s to the walk's end form a loop.
            std::vector<int> loop(std::find(walk.begin(), walk.end(), s), walk.end());
            for (const int member : loop)
                m_inLoop[std::size_t(member)] = true;
            m_loops.push_back(std::move(loop));
        }
        for (const int w : walk)
            state[std::size_t(w)] = 2;
    }
}

TsInheritedReader::TKeyAnswers* TsInheritedReader::Known(std::string_view key, bool text) {
    const std::size_t known = m_answers.size();
    for (std::size_t k = 0, i = m_next; k < known; ++k, ++i) {
        if (i >= known) i = 0;
        const TKeyAnswers& candidate = m_answers[i];
        if (candidate.Text == text && EqualIgnoringCase(candidate.Key, key)) {
            m_next = i + 1;
            return &m_answers[i];
        }
    }
    return nullptr;
}

template <typename Present>
TsInheritedReader::TKeyAnswers& TsInheritedReader::Resolve(std::string_view key, bool text, Present present) {
    const std::size_t count = m_parent.size();
    constexpr int Unknown = -2;
    TAnswers answers(count, Unknown);

    // A section of a loop is answered by the first section, from it around the loop, that
    // holds the value: one backward pass over the loop taken twice.
    for (const std::vector<int>& loop : m_loops) {
        const std::size_t n = loop.size();
        int next = -1;
        for (std::size_t k = 2 * n; k-- > 0;) {
            const int s = loop[k % n];
            if (present(std::size_t(s))) next = s;
            if (k < n) answers[std::size_t(s)] = next;
        }
    }
    std::vector<int>& path = m_path;
    for (std::size_t start = 0; start < count; ++start) {
        path.clear();
        int s = int(start);
        int answer = -1;
        while (s >= 0 && answers[std::size_t(s)] == Unknown) {
            if (present(std::size_t(s))) {
                answer = s;
                break;
            }
            path.push_back(s);
            s = m_parent[std::size_t(s)];
        }
        if (s >= 0 && answer < 0) answer = answers[std::size_t(s)];
        if (answer >= 0 && answer == s) answers[std::size_t(s)] = s;
        for (const int p : path)
            answers[std::size_t(p)] = answer;
    }
    m_answers.push_back({std::string(key), text, std::move(answers)});
    m_next = m_answers.size();
    return m_answers.back();
}

std::int32_t TsInheritedReader::ReadInteger(std::size_t section, std::string_view key,
                                            std::int32_t fallback) {
    TKeyAnswers* known = Known(key, false);
    if (!known) {
        std::vector<std::int32_t>& numbers = m_numbers;
        numbers.assign(m_parent.size(), AbsentInteger);
        for (std::size_t s = 0; s < numbers.size(); ++s) {
            const auto value = m_options.ValueIn(s, key);
            if (value && !value->empty()) numbers[s] = StrToIntDef(*value, AbsentInteger);
        }
        known = &Resolve(key, false, [&](std::size_t s) { return numbers[s] != AbsentInteger; });
        for (int& answer : known->Answers)
            answer = answer < 0 ? AbsentInteger : numbers[std::size_t(answer)];
    }
    const std::int32_t answer = known->Answers[section];
    return answer == AbsentInteger ? fallback : answer;
}

std::string TsInheritedReader::ReadString(std::size_t section, std::string_view key,
                                          std::string_view fallback) {
    TKeyAnswers* known = Known(key, true);
    if (!known)
        known = &Resolve(key, true, [&](std::size_t s) {
            const auto value = m_options.ValueIn(s, key);
            return value && *value != AbsentString;
        });
    const int from = known->Answers[section];
    return from < 0 ? std::string(fallback) : std::string(*m_options.ValueIn(std::size_t(from), key));
}
