#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/ButtonScaling.h"
#include "app/PhraseFile.h"
#include "app/PhraseSequence.h"
#include "app/TSkinManagedForm.h"
#include "platform/os/TStringList.h"

class TsButton;
class TsComboBox;
class TsEdit;
class TsUpDown;
class TsLabel;
class TsLabelFX;
class TTimer;
class TsSkinManager;

// The main screen: a borderless maximised window of fifty buttons in five size classes and
// the super button. Every click shows the next phrase in the phrase dialog; a press on the
// window's own surface closes it, and closing stores the phrase index. The buttons are laid
// out for a 1032 x 748 window and rescaled from their recorded design bounds at every resize.
class TForm1 : public TSkinManagedForm {
public:
    // The highest button number (sButton1 ... sButton51).
    static constexpr int ButtonCount = 51;
    // The super button's number and its Tag.
    static constexpr int SuperButtonNumber = 5;
    static constexpr int SuperButtonTag = 10;
    // sSkinManager0 (the window's and the super button's) to sSkinManager5.
    static constexpr int ManagerCount = 6;
    // The point size a field button's font gets from its size class (Tag); 0 keeps the
    // designed font.
    static int PointSizeForTag(std::intptr_t tag);

    // Reads the stored design and runs FormCreate.
    explicit TForm1(TComponent* owner);
    ~TForm1() override;
    std::string ClassName() const override { return "TForm1"; }

    // --- components of the design ---
    // sButton1 ... sButton51 by number (sButton(5) is the super button); null out of range.
    TsButton* sButton(int number) const;
    // sSkinManager0 ... sSkinManager5 by number; null out of range.
    TsSkinManager* sSkinManager(int number) const;
    TsLabelFX* sLabel1 = nullptr;
    TsLabel* sLabel1_old = nullptr;
    TsComboBox* sComboBox1 = nullptr;
    TsEdit* sEdit1 = nullptr;
    TsUpDown* sUpDown1 = nullptr;
    TTimer* Timer1 = nullptr;

    // --- handlers ---
    void FormCreate(TObject* sender);
    void FormResize(TObject* sender);
    void FormMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormClose(TObject* sender, TCloseAction& action);
    void sButton1Click(TObject* sender);
    void Timer1Timer(TObject* sender);
    void sLabel1Click(TObject* sender);
    void sComboBox1Change(TObject* sender);
    void sEdit1Change(TObject* sender);

    // The re-layout pass of FormResize.
    void ScaleButtons();
    // Reads the settings from the settings store (the last step of FormCreate).
    void ReadSettings();
    // Stores the phrase index (from FormClose).
    void SaveLastPhrase();

    // --- state ---
    const std::vector<TLayoutRecord>& LayoutRecords() const { return m_layoutRecords; }

private:
    friend class TMainScreenDesign;

    std::array<TsButton*, ButtonCount + 1> m_buttons{};
    std::array<TsSkinManager*, ManagerCount> m_managers{};
    std::unique_ptr<TStringList> m_phraseList;
    TPhraseEncoding m_phraseEncoding = TPhraseEncoding::Utf8;
    std::vector<TLayoutRecord> m_layoutRecords;
    std::int32_t m_phraseIndex = NoPhraseShown;
    bool m_lastPhraseRead = false;      // ReadSettings read "LastFrase" (present or not)
    bool m_phraseIndexAdvanced = false; // a click moved the phrase index on
};

// The main screen of the running program (set while it exists).
extern TForm1* Form1;
