#include "skin/TacManagerSettings.h"

#include "skin/SkinProcessState.h"
#include "skin/SkinStrings.h"

namespace {

constexpr const char* Defaults[ThirdPartyList::KindCount] = {
    ("TEdit\nTMemo\nTMaskEdit\nTLabeledEdit\nTHotKey\nTListBox\nTCheckListBox\nTDBListBox\nTRichEdit\n"
     "TDBMemo\nTSynEdit\nTSynMemo\nTDBSynEdit\nTDBLookupListBox\nTDBRichEdit\nTDBCtrlGrid\nTDateTimePicker\n"
     "TDBEdit"),
    "TButton",
    "TBitBtn",
    "TCheckBox\nTRadioButton\nTDBCheckBox\nTDBCheckBoxEh\nTGroupButton",
    "TComboBox\nTColorBox\nTDBComboBox",
    ("TStringGrid\nTDrawGrid\nTRichView\nTDBRichViewEdit\nTRichViewEdit\nTDBRichView\nTwwDBGrid\n"
     "TAdvStringGrid\nTDBAdvGrid\nTValueListEditor\nTDBGrid"),
    "TGroupBox\nTDBRadioGroup\nTRadioGroup",
    "TListView",
    "TPanel\nTDBCtrlPanel",
    "TTreeView\nTRzTreeView\nTDBTreeView",
    "TDBLookupComboBox\nTwwDBComboBox\nTwwDBCustomCombo\nTwwDBCustomLookupCombo",
    "TDBGridEh",
    ("TVirtualStringTree\nTVirtualStringTreeDB\nTEasyListview\nTVirtualExplorerListview\n"
     "TVirtualExplorerTreeview\nTVirtualExplorerTree\nTVirtualDrawTree"),
};

} // namespace

void ThirdPartyList::SetText(Kind kind, std::string text) {
    m_texts[kind] = std::move(text);
    Parse(kind);
}

void ThirdPartyList::FillDefaults() {
    for (int i = 0; i < KindCount; ++i) {
        const Kind kind = Kind(i);
        if (m_texts[kind].empty()) m_texts[kind] = Defaults[kind];
        Parse(kind);
    }
}

void ThirdPartyList::Parse(Kind kind) {
    m_names[kind].clear();
    for (std::string_view word : SplitWords(m_texts[kind], "\r\n")) {
        const std::string_view name = Trim(word);
        if (!name.empty()) m_names[kind].emplace_back(name);
    }
}

TacBtnEvents TacBtnEffects::Events() const {
    TacBtnEvents events;
    const std::uint8_t bits = GlobalButtonEvents();
    for (auto e : {TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave, TacBtnEvent::beMouseDown,
                   TacBtnEvent::beMouseUp})
        if (bits & (1u << unsigned(e))) events.Include(e);
    return events;
}

void TacBtnEffects::SetEvents(TacBtnEvents events) {
    if (m_manager && m_manager == DefaultManager()) SetGlobalButtonEvents(std::uint8_t(events.Bits() & 0x0F));
}
