#pragma once

#include <memory>
#include <vector>

class TacControlAdapter;
class TsSkinManager;
class TsSkinProvider;

// The adapters of a skinned form's standard children. Built when frame skinning takes the
// form over and the rules manager's SkinningRules contain srThirdParty: each direct child whose
// class name is in the manager's ThirdButtons list and that is a push button is painted with
// the skin's "BUTTON" section, and each plain label (class TLabel) draws its text over the
// form's face. Freeing the set gives every child back its own look.
class TacChildAdapters {
public:
    TacChildAdapters(const TsSkinProvider& provider, const TsSkinManager& rules);
    ~TacChildAdapters();
    TacChildAdapters(const TacChildAdapters&) = delete;
    TacChildAdapters& operator=(const TacChildAdapters&) = delete;

    // Whether the rules ask for children to be adapted.
    static bool Wanted(const TsSkinManager& rules);
    const std::vector<std::unique_ptr<TacControlAdapter>>& Adapters() const { return m_adapters; }

private:
    std::vector<std::unique_ptr<TacControlAdapter>> m_adapters;
};
