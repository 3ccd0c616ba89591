#include "app/TForm1.h"

#include "app/DialogPlacement.h"
#include "app/SettingsKey.h"
#include "app/TMainScreenDesign.h"
#include "app/TfrmFrasa.h"
#include "controls/TsButton.h"
#include "controls/TsLabel.h"
#include "controls/TsLabelFX.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/os/Exceptions.h"
#include "platform/os/ProgramPaths.h"
#include "platform/os/StrToInt.h"
#include "platform/os/TRegistry.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TTimer.h"

TForm1* Form1 = nullptr;

namespace {

// The point size a field button's font gets from its size class; 0 keeps the designed font.
int PointSizeForTag(std::intptr_t tag) {
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

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
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

void TForm1::ReadSettings() {
    TRegistry registry;
    if (!OpenSettingsKey(registry)) return;
    const std::string lastPhrase = registry.ReadString(LastPhraseValueName);
    if (!lastPhrase.empty()) m_phraseIndex = StoredPhraseIndex(lastPhrase);
}

void TForm1::SaveLastPhrase() {
    TRegistry registry;
    if (!OpenSettingsKey(registry)) return;
    registry.WriteString(LastPhraseValueName, IntToStr(m_phraseIndex));
}
