#include "app/TfrmOptions.h"

#include <vector>

#include "app/SettingsConversions.h"
#include "app/SettingsKey.h"
#include "app/TOptionsDialogDesign.h"
#include "controls/TsButton.h"
#include "controls/TsComboBox.h"
#include "controls/TsGroupBox.h"
#include "controls/TsSpinEdit.h"
#include "platform/core/CodePage.h"
#include "platform/os/ProgramPaths.h"
#include "platform/os/TRegistry.h"
#include "skin/TsSkinManager.h"

TfrmOptions* frmOptions = nullptr;

namespace {

template <class T, std::size_t N> T* At(const std::array<T*, N>& items, int index) {
    return index >= 0 && std::size_t(index) < N ? items[std::size_t(index)] : nullptr;
}

// The first item equal to the text with letter case not counting, or -1.
int IndexOfTextIgnoringCase(const TsComboBox& combo, const std::string& text) {
    const TStringList& items = combo.Items();
    for (int i = 0; i < items.Count(); ++i)
        if (SameText(items[i], text)) return i;
    return -1;
}

} // namespace

TfrmOptions::TfrmOptions(TComponent* owner) : TSkinManagedForm(owner) {
    frmOptions = this;
    LoadDesign(TOptionsDialogDesign::Build(*this));
}

TfrmOptions::~TfrmOptions() {
    if (frmOptions == this) frmOptions = nullptr;
}

TsSkinManager* TfrmOptions::sSkinManager(int number) const {
    return At(m_managers, number);
}
TsGroupBox* TfrmOptions::sGroupBox(int group) const {
    return At(m_groupBoxes, group);
}
TsComboBox* TfrmOptions::sComboBox(int group) const {
    return At(m_comboBoxes, group);
}
TsSpinEdit* TfrmOptions::sSpinEdit(int group) const {
    return At(m_spinEdits, group);
}
TsButton* TfrmOptions::SampleButton(int group) const {
    return At(m_sampleButtons, group);
}

void TfrmOptions::FormCreate(TObject*) {
    // The managers loaded their design skins while the design was read: these writes load
    // nothing; the folder takes effect with the next SkinName.
    const std::string skinFolder = ProgramFolder() + std::string(SkinFolderName);
    for (TsSkinManager* manager : m_managers) {
        manager->SetSkinDirectory(skinFolder);
        manager->SetActive(true);
    }
    for (int n = 0; n < GroupCount; ++n) {
        TsComboBox& combo = *m_comboBoxes[std::size_t(n)];
        TStringList names;
        m_managers[std::size_t(n)]->GetSkinNames(names, 2);
        combo.Items() = names;
        combo.ItemsChanged();
        const int index = combo.IndexOfText(m_managers[std::size_t(n)]->SkinName());
        if (index >= 0) combo.SetItemIndex(index);
    }
    ReadSettings();
}

void TfrmOptions::ReadSettings() {
    TRegistry registry;
    if (!OpenSettingsKey(registry)) return;
    for (int n = 0; n < GroupCount; ++n) {
        TsSkinManager& manager = *m_managers[std::size_t(n)];
        const std::string style = registry.ReadString(StyleValueName(n));
        if (!style.empty()) manager.SetSkinName(style);
        TsComboBox& combo = *m_comboBoxes[std::size_t(n)];
        const int index = IndexOfTextIgnoringCase(combo, manager.SkinName());
        if (index >= 0) combo.SetItemIndex(index);
        const std::string hue = registry.ReadString(HueValueName(n));
        if (!hue.empty()) manager.SetHueOffset(StrToHue(hue));
        m_spinEdits[std::size_t(n)]->SetValue(manager.HueOffset());
    }
}

void TfrmOptions::WriteSettings() {
    TRegistry registry;
    if (!OpenSettingsKey(registry)) return;
    std::vector<TRegNamedString> values;
    for (int n = 0; n < GroupCount; ++n) {
        values.push_back({StyleValueName(n), m_comboBoxes[std::size_t(n)]->Text()});
        values.push_back({HueValueName(n), m_spinEdits[std::size_t(n)]->Text()});
    }
    registry.WriteStrings(values);
}

void TfrmOptions::sComboBoxChange(int group) {
    TsComboBox* combo = sComboBox(group);
    if (combo && !combo->Text().empty()) sSkinManager(group)->SetSkinName(combo->Text());
}

void TfrmOptions::sSpinEditChange(int group) {
    // The field changes while the design is read, before every manager exists.
    TsSpinEdit* spin = sSpinEdit(group);
    TsSkinManager* manager = sSkinManager(group);
    if (spin && manager) manager->SetHueOffset(spin->Value());
}

void TfrmOptions::sButton3Click(TObject*) {
    // A failed write raises its error out of the click: it is shown, and the dialog stays.
    WriteSettings();
    Close();
}

void TfrmOptions::sButton4Click(TObject*) {
    Close();
}

void TfrmOptions::FormClose(TObject*, TCloseAction& action) {
    action = TCloseAction::caFree;
}
