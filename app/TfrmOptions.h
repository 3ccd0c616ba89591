#pragma once

#include <array>

#include "app/TSkinManagedForm.h"

class TsButton;
class TsComboBox;
class TsGroupBox;
class TsSkinManager;
class TsSpinEdit;

// The options dialog "Настройки": for the main screen's window and for each of its five
// button groups, a skin and a hue offset. Every change previews at once on the dialog's own
// six managers; Ok stores the twelve settings and closes, Cancel, Escape and the close button
// close without storing. Group N (0 to 5) sets manager N and the settings "FormStyle" and
// "FormHue" (N = 0) or "Buttons<N>Style" and "Buttons<N>Hue".
class TfrmOptions : public TSkinManagedForm {
public:
    static constexpr int ManagerCount = 6;
    static constexpr int GroupCount = 6;

    // Reads the stored design and runs FormCreate.
    explicit TfrmOptions(TComponent* owner);
    ~TfrmOptions() override;
    std::string ClassName() const override { return "TfrmOptions"; }

    // --- components of the design, by group number (null out of range) ---
    TsSkinManager* sSkinManager(int number) const;
    TsGroupBox* sGroupBox(int group) const;
    TsComboBox* sComboBox(int group) const;
    TsSpinEdit* sSpinEdit(int group) const;
    // The group's sample button: sButton0, sButton1, sButton2, sButton5, sButton6, sButton7.
    TsButton* SampleButton(int group) const;
    TsButton* sButton3 = nullptr; // Ok
    TsButton* sButton4 = nullptr; // Cancel

    // --- handlers ---
    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    // sComboBox0Change ... sComboBox5Change: the user picked a skin in group N's list.
    void sComboBoxChange(int group);
    // sSpinEdit0Change ... sSpinEdit5Change: group N's hue text changed.
    void sSpinEditChange(int group);
    void sButton3Click(TObject* sender); // Ok
    void sButton4Click(TObject* sender); // Cancel

    // Applies the stored skin settings to the managers and shows them in the controls (the
    // last step of FormCreate).
    void ReadSettings();
    // Stores the twelve skin settings as the controls show them, as one change of the
    // settings store: all twelve or, when the store refuses, none (and the error is raised).
    void WriteSettings();

private:
    friend class TOptionsDialogDesign;

    std::array<TsSkinManager*, ManagerCount> m_managers{};
    std::array<TsGroupBox*, GroupCount> m_groupBoxes{};
    std::array<TsComboBox*, GroupCount> m_comboBoxes{};
    std::array<TsSpinEdit*, GroupCount> m_spinEdits{};
    std::array<TsButton*, GroupCount> m_sampleButtons{};
};

// The options dialog of the running program (set while it exists).
extern TfrmOptions* frmOptions;
