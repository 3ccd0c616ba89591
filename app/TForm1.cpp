#include "app/TForm1.h"

#include "app/DialogPlacement.h"
#include "app/SettingsConversions.h"
#include "app/SettingsKey.h"
#include "app/TMainScreenDesign.h"
#include "app/TfrmFrasa.h"
#include "controls/TsButton.h"
#include "controls/TsComboBox.h"
#include "controls/TsEdit.h"
#include "controls/TsLabel.h"
#include "controls/TsLabelFX.h"
#include "platform/canvas/TCanvas.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StrToInt.h"
#include "platform/graphics/TBitmap.h"
#include "platform/os/ProgramPaths.h"
#include "platform/os/TRegistry.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TTimer.h"
#include "skin/TsSkinManager.h"

TForm1* Form1 = nullptr;

int TForm1::PointSizeForTag(std::intptr_t tag) {
    switch (tag) {
    case 1:
    case 2:
        return 8;
    case 3:
        return 10;
    case 4:
        return 12;
    case 5:
        return 14;
    default:
        return 0;
    }
}

TForm1::TForm1(TComponent* owner) : TSkinManagedForm(owner) {
    // The handlers may reach the main screen through the global while it is being created.
    Form1 = this;
    LoadDesign(TMainScreenDesign::Build(*this));
}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

TsButton* TForm1::sButton(int number) const {
    if (number < 1 || number > ButtonCount) return nullptr;
    return m_buttons[std::size_t(number)];
}

TsSkinManager* TForm1::sSkinManager(int number) const {
    if (number < 0 || number >= ManagerCount) return nullptr;
    return m_managers[std::size_t(number)];
}

void TForm1::FormCreate(TObject*) {
    m_phraseList = std::make_unique<TStringList>();
    m_phraseEncoding = LoadPhraseFile(ProgramFolder() + std::string(PhraseFileName), *m_phraseList);

    m_layoutRecords.clear();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (auto* button = dynamic_cast<TsButton*>(child)) {
            button->OnClick = [this](TObject* sender) { sButton1Click(sender); };
            if (const int points = PointSizeForTag(button->Tag()); points != 0)
                button->ChangeFont([points](TFont& f) { f.SetSize(points); });
        }
        m_layoutRecords.push_back({child->Width(), child->Height(), child->Left(), child->Top()});
    }

    // The chooser lists manager 1's skins as designed, before the managers are pointed at
    // the skin folder.
    TsSkinManager* chooserManager = sSkinManager(1);
    TStringList skinNames;
    chooserManager->GetSkinNames(skinNames, 2);
    sComboBox1->Items() = skinNames;
    sComboBox1->ItemsChanged();
    for (int i = 0; i < skinNames.Count(); ++i) {
        if (skinNames[i] == chooserManager->SkinName()) {
            sComboBox1->SetItemIndex(i);
            break;
        }
    }

    // Changing the directory reloads nothing, and the managers are already active from the
    // design: the folder takes effect with the next SkinName.
    const std::string skinFolder = ProgramFolder() + std::string(SkinFolderName);
    for (TsSkinManager* manager : m_managers) {
        manager->SetSkinDirectory(skinFolder);
        manager->SetActive(true);
    }

    ReadSettings();
}

void TForm1::FormResize(TObject*) {
    ScaleButtons();
}

void TForm1::ScaleButtons() {
    // One measuring surface for the whole pass, in the surface's default font (8 point), not
    // in any button's own font.
    TBitmap surface(1, 1, TPixelFormat::pf24bit);
    TCanvas canvas(surface);
    canvas.SetFont(TFont());
    for (std::size_t i = 0; i < m_layoutRecords.size(); ++i) {
        if (int(i) >= ControlCount()) break;
        auto* button = dynamic_cast<TsButton*>(Controls(int(i)));
        if (!button) continue;
        const TLayoutRecord& record = m_layoutRecords[i];
        const int outerWidth = Width();
        if (outerWidth != DesignWidth) {
            const int minimum = canvas.TextWidth(button->Caption()) + CaptionMargin;
            const TAxisPlacement x = ScaleAxis(record.Left, record.Width, outerWidth, DesignWidth, minimum);
            button->SetLeft(x.Start);
            button->SetWidth(x.Extent);
        }
        const int outerHeight = Height();
        if (outerHeight != DesignHeight) {
            const int minimum = canvas.TextHeight(button->Caption()) + CaptionMargin;
            const TAxisPlacement y = ScaleAxis(record.Top, record.Height, outerHeight, DesignHeight, minimum);
            button->SetTop(y.Start);
            button->SetHeight(y.Extent);
        }
    }
}

void TForm1::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    Close();
}

void TForm1::FormClose(TObject*, TCloseAction& action) {
    m_phraseList.reset();
    m_layoutRecords.clear();
    try {
        SaveLastPhrase();
    } catch (const Exception& e) {
        // The phrase list and the layout records are gone: the window must not stay in use,
        // so the failure is shown and the program still ends.
        if (Application) Application->HandleException(e);
    }
    action = TCloseAction::caFree;
}

void TForm1::sButton1Click(TObject*) {
    Timer1->SetEnabled(false);
    sLabel1->Hide();
    const int count = m_phraseList ? m_phraseList->Count() : 0;
    m_phraseIndex = NextPhraseIndex(m_phraseIndex, count);
    m_phraseIndexAdvanced = true;
    if (m_phraseIndex >= count) return;

    std::unique_ptr<TfrmFrasa> dialog = std::make_unique<TfrmFrasa>(Application);
    frmFrasa = dialog.get();
    dialog->sLabel->SetCaption(PhraseForDisplay((*m_phraseList)[m_phraseIndex], m_phraseEncoding));
    dialog->SetTop(CentredStart(Top(), Height(), dialog->Height()));
    dialog->SetLeft(CentredStart(Left(), Width(), dialog->Width()));
    try {
        dialog->ShowModal();
    } catch (...) {
        frmFrasa = nullptr;
        throw;
    }
    frmFrasa = nullptr;
}

void TForm1::Timer1Timer(TObject*) {
    if (sLabel1->Left() + sLabel1->Width() < 0)
        sLabel1->SetLeft(Width());
    else
        sLabel1->SetLeft(sLabel1->Left() - 5);
}

void TForm1::sLabel1Click(TObject*) {
    Timer1->SetEnabled(!Timer1->Enabled());
}

void TForm1::sComboBox1Change(TObject*) {
    if (!sComboBox1->Text().empty()) sSkinManager(1)->SetSkinName(sComboBox1->Text());
}

void TForm1::sEdit1Change(TObject*) {
    std::int32_t hue = 0;
    if (TryStrToInt(sEdit1->Text(), hue)) sSkinManager(1)->SetHueOffset(hue);
}

void TForm1::ReadSettings() {
    TRegistry registry;
    if (!OpenSettingsKey(registry)) return;
    const std::string lastPhrase = registry.ReadString(LastPhraseValueName);
    m_lastPhraseRead = true;
    if (!lastPhrase.empty()) m_phraseIndex = StoredPhraseIndex(lastPhrase);
    for (int n = 0; n < ManagerCount; ++n) {
        const std::string style = registry.ReadString(StyleValueName(n));
        if (!style.empty()) sSkinManager(n)->SetSkinName(style);
        const std::string hue = registry.ReadString(HueValueName(n));
        if (!hue.empty()) sSkinManager(n)->SetHueOffset(StrToHue(hue));
    }
}

void TForm1::SaveLastPhrase() {
    TRegistry registry;
    if (!OpenSettingsKey(registry)) return;
    // A stored position that was never read (creation stopped before the settings, or the
    // value could not be read) and never moved on is kept as it stands; with nothing stored,
    // the index is written as usual.
    if (!m_lastPhraseRead && !m_phraseIndexAdvanced && registry.ValueExists(LastPhraseValueName)) return;
    registry.WriteString(LastPhraseValueName, IntToStr(m_phraseIndex));
}
