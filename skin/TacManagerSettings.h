#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/core/TFlagSet.h"

// The manager's settings that serve animations, menus and frame skinning.

enum class TacBtnEvent : std::uint8_t { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = TFlagSet<TacBtnEvent>;

class TsSkinManager;

// The events on which push buttons fade. They live in the process-wide button events
// (SkinProcessState.h): reading gives those; writing changes them only when the manager that
// holds these settings is the default manager.
class TacBtnEffects {
public:
    TacBtnEvents Events() const;
    void SetEvents(TacBtnEvents events);
    void SetManager(const TsSkinManager* manager) { m_manager = manager; }

private:
    const TsSkinManager* m_manager = nullptr;
};

struct TacFormAnimation {
    bool Active = true;
    int Time = 0;
};

struct TacAnimEffects {
    TacBtnEffects Buttons;
    TacFormAnimation DialogShow{true, 100};
    TacFormAnimation FormShow{true, 0};
    TacFormAnimation PageChange{true, 0};
    TacFormAnimation SkinChanging{true, 100};
};

struct TacMenuSupport {
    std::string IcoLineSkin = "ICOLINE";
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
};

enum class TacSkinningRule : std::uint8_t { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = TFlagSet<TacSkinningRule>;

// Class names of foreign controls that frame skinning may skin, as line-separated texts.
class ThirdPartyList {
public:
    enum Kind {
        ThirdEdits,
        ThirdButtons,
        ThirdBitBtns,
        ThirdCheckBoxes,
        ThirdComboBoxes,
        ThirdGrids,
        ThirdGroupBoxes,
        ThirdListViews,
        ThirdPanels,
        ThirdTreeViews,
        ThirdWWEdits,
        ThirdGridEh,
        ThirdVirtualTrees,
        KindCount
    };

    const std::string& Text(Kind kind) const { return m_texts[kind]; }
    void SetText(Kind kind, std::string text);
    // Empty texts take their built-in defaults; the parsed lists are rebuilt.
    void FillDefaults();
    // The class names of one text.
    const std::vector<std::string>& Names(Kind kind) const { return m_names[kind]; }

private:
    void Parse(Kind kind);
    std::array<std::string, KindCount> m_texts;
    std::array<std::vector<std::string>, KindCount> m_names;
};
