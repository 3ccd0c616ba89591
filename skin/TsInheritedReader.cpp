#include "skin/TsInheritedReader.h"

#include <algorithm>

#include "skin/SkinStrings.h"

namespace {

constexpr std::int32_t AbsentInteger = -1;
constexpr std::string_view AbsentString = "?";

int ParentIndex(const TacSkinOptions& options, std::size_t index) {
    const TacSkinOptions::Section& section = options.Sections()[index];
    const auto parent = options.Value(section.Name, "PARENTCLASS");
    if (!parent || parent->empty() || *parent == AbsentString || *parent == section.Name) return -1;
    const TacSkinOptions::Section* found = options.FindSection(*parent);
    if (!found || found == &section) return -1;
    return int(found - options.Sections().data());
}

} // namespace

TsInheritedReader::TsInheritedReader(const TacSkinOptions& options) : m_options(options) {
    const std::size_t count = options.Sections().size();
    m_parent.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        m_parent[i] = ParentIndex(options, i);

    // Every chain is followed once: 0 unvisited, 1 on the walk in progress, 2 done.
    m_onLoop.assign(count, false);
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
        // In reverse walk order every parent is settled before its child.
        for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
            const std::size_t w = std::size_t(*it);
            state[w] = 2;
            const int p = m_parent[w];
            m_onLoop[w] = m_inLoop[w] || (p >= 0 && m_onLoop[std::size_t(p)]);
        }
    }
}

template <typename Present>
const TsInheritedReader::TAnswers& TsInheritedReader::Resolve(const std::string& cacheKey, Present present) {
    if (const auto found = m_answers.find(cacheKey); found != m_answers.end()) return found->second;
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
    std::vector<int> path;
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
    return m_answers.emplace(cacheKey, std::move(answers)).first->second;
}

std::int32_t TsInheritedReader::ReadInteger(std::size_t section, std::string_view key,
                                            std::int32_t fallback) {
    const std::string upperKey = AnsiUpperCase(key);
    auto own = [&](std::size_t s) {
        const auto value = m_options.ValueIn(s, upperKey);
        return value && !value->empty() ? StrToIntDef(*value, AbsentInteger) : AbsentInteger;
    };
    const TAnswers& answers = Resolve("I" + upperKey, [&](std::size_t s) { return own(s) != AbsentInteger; });
    const int from = answers[section];
    return from < 0 ? fallback : own(std::size_t(from));
}

std::string TsInheritedReader::ReadString(std::size_t section, std::string_view key,
                                          std::string_view fallback) {
    const std::string upperKey = AnsiUpperCase(key);
    const TAnswers& answers = Resolve("S" + upperKey, [&](std::size_t s) {
        const auto value = m_options.ValueIn(s, upperKey);
        return value && *value != AbsentString;
    });
    const int from = answers[section];
    return from < 0 ? std::string(fallback) : std::string(*m_options.ValueIn(std::size_t(from), upperKey));
}
