#include "TPreviewStage.h"

#include <algorithm>

#include "SkinIntoManager.h"
#include "app/DesignFont.h"
#include "app/TForm1.h"
#include "app/TMainScreenDesign.h"
#include "app/TOptionsDialogDesign.h"
#include "controls/TacFrameSkinning.h"
#include "controls/TsButton.h"
#include "controls/TsComboBox.h"
#include "controls/TsEdit.h"
#include "controls/TsEditLabel.h"
#include "controls/TsGroupBox.h"
#include "controls/TsLabelFX.h"
#include "controls/TsSkinProvider.h"
#include "controls/TsSpinEdit.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "platform/toolkit/TMessageForm.h"
#include "skin/SkinProcessState.h"
#include "skin/TsFrameSkinning.h"
#include "skin/TsSkinManager.h"

namespace {

// Room for the stage, the dialog beside it and a message box centred over it.
constexpr TSize ScreenSize{1600, 1100};
// Long enough for any fade of the program to end (a full fade is 255 / step frames of 10 ms).
constexpr std::uint64_t SettleMs = 600;
// Where the pointer rests between samples: the stage's title line, where no control stands.
constexpr TPoint ParkingPlace{600, 20};
// Where the dialog of the frame samples opens, right of the stage.
constexpr TPoint DialogPlace{TPreviewSheetLayout::Width + 40, 60};

// The phrase dialog's caption, the skin engine's own warning and the phrase colour the
// program's dialogs use.
constexpr const char* DialogCaption = "Случайная фраза";
constexpr const char* WarningCaption = "Warning";
constexpr const char* WarningText = "Loaded data is not packed Murvane file";
constexpr TColor PhraseColour = 1258566;

void Place(TControl& control, const TRect& r) {
    control.SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

TPoint Centre(const TRect& r) {
    return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
}

} // namespace

TPreviewStage::TPreviewStage(const std::string& skin, std::int32_t hueOffset,
                             std::optional<std::int32_t> saturation,
                             std::span<const TStoredSkinPackage> stored) {
    auto backend = std::make_unique<THeadlessBackend>(ScreenSize);
    m_backend = backend.get();
    m_backend->Clock().AdvanceTo(1000);
    // Nothing waits: a wait for a timer due before the clock target moves the clock to it.
    m_backend->SetIdleHandler([this](std::optional<std::uint64_t> deadline) {
        if (deadline && m_clockTarget && *deadline <= *m_clockTarget) m_backend->Clock().AdvanceTo(*deadline);
    });
    m_application = std::make_unique<TApplication>(std::move(backend));
    m_application->Initialize();
    TacFrameSkinning::Register();
    TsEditLabel::InstallAsBoundLabel();

    m_previousDefault = DefaultManager();
    SetDefaultManager(nullptr);
    m_manager = std::make_unique<TsSkinManager>(nullptr); // the first manager: the default one
    try {
        m_skinName = LoadSkinIntoManager(*m_manager, skin, hueOffset, saturation, stored);
        BuildStage();
    } catch (...) {
        m_manager.reset();
        SetFrameSkinning(nullptr);
        SetDefaultManager(m_previousDefault);
        throw;
    }
}

TPreviewStage::~TPreviewStage() {
    delete m_stage;
    m_manager.reset();
    SetFrameSkinning(nullptr);
    if (!DefaultManager()) SetDefaultManager(m_previousDefault);
    m_application.reset();
}

void TPreviewStage::Pump() {
    Application->ProcessMessages();
}

void TPreviewStage::RunFor(std::uint64_t ms) {
    const std::uint64_t until = m_backend->NowMs() + ms;
    m_clockTarget = until;
    while (true) {
        Application->ProcessMessages();
        const auto due = Application->NextTimerDue();
        if (!due || *due > until) break;
        Application->HandleMessage();
    }
    m_backend->Clock().AdvanceTo(until);
    m_clockTarget.reset();
    Application->ProcessMessages();
}

void TPreviewStage::MoveMouse(TPoint screen) {
    m_backend->MoveMouse(screen);
    Pump();
}

void TPreviewStage::PressMouse(TPoint screen) {
    m_backend->MoveMouse(screen);
    m_backend->PressMouse(screen, TMouseButton::mbLeft);
    Pump();
}

void TPreviewStage::ReleaseMouse(TPoint screen) {
    m_backend->MoveMouse(screen);
    m_backend->ReleaseMouse(screen, TMouseButton::mbLeft);
    Pump();
}

void TPreviewStage::Park() {
    MoveMouse(ParkingPlace);
    RunFor(SettleMs);
}

// The main screen's look: a borderless form whose background is the skin's "FORM" layers,
// with the main screen's buttons and the options dialog's controls at their cells.
void TPreviewStage::BuildStage() {
    using K = TPreviewSampleKind;
    m_stage = new TForm(Application);
    m_stage->SetBorderStyle(TFormBorderStyle::bsNone);
    m_stage->SetBounds(0, 0, TPreviewSheetLayout::Width, TPreviewSheetLayout::Height);
    m_stage->SetFont(DesignFont(-11));

    for (const TPreviewCell& cell : TPreviewSheetLayout::Instance().Cells()) {
        switch (cell.Kind) {
        case K::Button:
        case K::SuperButton: {
            auto* button = new TsButton(m_stage);
            Place(*button, cell.Control);
            const int tag = cell.Kind == K::SuperButton ? TForm1::SuperButtonTag : cell.SizeClass;
            button->SetCaption(std::string(TMainScreenDesign::CaptionForTag(tag)));
            button->SetTag(tag);
            if (cell.Kind == K::SuperButton) button->SetFont(DesignFont(-24));
            if (const int points = TForm1::PointSizeForTag(tag); points != 0)
                button->ChangeFont([points](TFont& f) { f.SetSize(points); });
            button->SkinData().SetSkinSection("BUTTON");
            if (cell.State == TPreviewButtonState::Disabled) button->SetEnabled(false);
            button->SetParent(m_stage);
            if (cell.Kind == K::Button) m_buttons[{cell.SizeClass, cell.State}] = button;
            break;
        }
        case K::GroupBox: {
            auto* box = new TsGroupBox(m_stage);
            Place(*box, cell.Control);
            box->SetCaption(std::string(TOptionsDialogDesign::Groups()[1].GroupCaption));
            box->SkinData().SetSkinSection("GROUPBOX");
            box->SetParent(m_stage);
            break;
        }
        case K::Edit:
        case K::EditFocused: {
            auto* edit = new TsEdit(m_stage);
            Place(*edit, cell.Control);
            edit->SetText(DialogCaption);
            edit->SkinData().SetSkinSection("EDIT");
            edit->SetParent(m_stage);
            if (cell.Kind == K::EditFocused) m_focusedEdit = edit;
            break;
        }
        case K::SpinEdit: {
            auto* spin = new TsSpinEdit(m_stage);
            Place(*spin, cell.Control);
            spin->SetIncrement(10);
            spin->SetMinValue(0);
            spin->SetMaxValue(1000);
            spin->SetValue(240);
            spin->SkinData().SetSkinSection("EDIT");
            spin->SetParent(m_stage);
            break;
        }
        case K::ComboBox:
        case K::ComboBoxOpen: {
            auto* combo = new TsComboBox(m_stage);
            Place(*combo, cell.Control);
            combo->SetComboStyle(TComboBoxStyle::csDropDownList);
            combo->SetColor(clWhite);
            TFont font = DesignFont(-11, clBlack);
            font.SetSize(8);
            combo->SetFont(font);
            combo->SetItemHeight(13);
            for (std::string_view name : TMainScreenDesign::Managers()[0].StoredSkins)
                combo->AddItem(std::string(name));
            combo->SetItemIndex(0);
            combo->SkinData().SetSkinSection("COMBOBOX");
            combo->SetParent(m_stage);
            if (cell.Kind == K::ComboBoxOpen) m_openCombo = combo;
            break;
        }
        case K::EffectLabel: {
            auto* label = new TsLabelFX(m_stage);
            label->SetAutoSize(false);
            Place(*label, cell.Control);
            label->SetCaption(DialogCaption);
            label->SetFont(DesignFont(-16, PhraseColour));
            label->SetWordWrap(true);
            label->SetParent(m_stage);
            break;
        }
        default:
            break;
        }
    }
    m_stage->DoCreate();
    m_stage->Show();
    Pump();
    if (m_focusedEdit) m_focusedEdit->SetFocus();
    Park();
}

void TPreviewStage::CopyFromStage(TBitmap& sheet, const TPreviewCell& cell, bool screen) {
    TCanvas canvas(sheet);
    if (screen) {
        const TBitmap picture = m_backend->Screen().Compose();
        canvas.CopyRect({cell.Sample.Left, cell.Sample.Top}, picture, cell.Sample);
        return;
    }
    const TVirtualWindow* window = m_backend->Screen().Find(m_stage->NativeWindow());
    if (!window || !window->HasPicture) return;
    canvas.CopyRect({cell.Sample.Left, cell.Sample.Top}, window->Picture(), cell.Sample);
}

void TPreviewStage::CopyWindow(TBitmap& sheet, const TPreviewCell& cell, const TCustomForm& form) {
    const TVirtualWindow* window = m_backend->Screen().Find(form.NativeWindow());
    if (!window || !window->HasPicture) return;
    const TBitmap& picture = window->Picture();
    const int width = std::min(picture.Width(), cell.Sample.Width());
    const int height = std::min(picture.Height(), cell.Sample.Height());
    const TPoint at{cell.Sample.Left + (cell.Sample.Width() - width) / 2,
                    cell.Sample.Top + (cell.Sample.Height() - height) / 2};
    TCanvas canvas(sheet);
    canvas.CopyRect(at, picture, {0, 0, width, height});
}

void TPreviewStage::PaintStillSamples(TBitmap& sheet) {
    using K = TPreviewSampleKind;
    for (const TPreviewCell& cell : TPreviewSheetLayout::Instance().Cells()) {
        const bool still = cell.Kind == K::SuperButton || cell.Kind == K::GroupBox || cell.Kind == K::Edit ||
                           cell.Kind == K::EditFocused || cell.Kind == K::SpinEdit ||
                           cell.Kind == K::ComboBox || cell.Kind == K::EffectLabel ||
                           (cell.Kind == K::Button && (cell.State == TPreviewButtonState::Normal ||
                                                       cell.State == TPreviewButtonState::Disabled));
        if (still) CopyFromStage(sheet, cell);
    }
}

// Focus by the control's own focus, hover and press by the mouse, each after its fade.
void TPreviewStage::PaintButtonStates(TBitmap& sheet) {
    const TPreviewSheetLayout& layout = TPreviewSheetLayout::Instance();
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass) {
        TsButton* focused = m_buttons.at({sizeClass, TPreviewButtonState::Focused});
        focused->SetFocus();
        RunFor(SettleMs);
        CopyFromStage(sheet,
                      layout.Cell(TPreviewSampleKind::Button, sizeClass, TPreviewButtonState::Focused));
    }
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass) {
        const TPreviewCell& cell =
            layout.Cell(TPreviewSampleKind::Button, sizeClass, TPreviewButtonState::Hot);
        MoveMouse(Centre(cell.Control));
        RunFor(SettleMs);
        CopyFromStage(sheet, cell);
        Park();
    }
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass) {
        const TPreviewCell& cell =
            layout.Cell(TPreviewSampleKind::Button, sizeClass, TPreviewButtonState::Pressed);
        MoveMouse(Centre(cell.Control));
        RunFor(SettleMs);
        PressMouse(Centre(cell.Control));
        RunFor(SettleMs);
        CopyFromStage(sheet, cell);
        // Released away from the button: no click.
        MoveMouse(ParkingPlace);
        ReleaseMouse(ParkingPlace);
        RunFor(SettleMs);
    }
}

void TPreviewStage::PaintOpenComboBox(TBitmap& sheet) {
    if (!m_openCombo) return;
    const TRect button = m_openCombo->ButtonRect();
    const TRect screen = m_openCombo->ScreenRect();
    const TPoint at{screen.Left + button.Left + button.Width() / 2,
                    screen.Top + button.Top + button.Height() / 2};
    MoveMouse(at);
    PressMouse(at);
    ReleaseMouse(at);
    RunFor(SettleMs);
    CopyFromStage(sheet, TPreviewSheetLayout::Instance().Cell(TPreviewSampleKind::ComboBoxOpen), true);
    m_openCombo->CloseUp(false);
    Park();
}

// A dialog as the phrase dialog is made: its frame, title and close button come from the
// frame skinning that the default manager's skin switched on.
void TPreviewStage::PaintDialogFrames(TBitmap& sheet) {
    using K = TPreviewSampleKind;
    const TPreviewSheetLayout& layout = TPreviewSheetLayout::Instance();
    auto* dialog = new TForm(Application);
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
    dialog->SetCaption(DialogCaption);
    dialog->SetFont(DesignFont(-11));
    dialog->SetBounds(DialogPlace.X, DialogPlace.Y, 10, 10);
    dialog->SetClientWidth(240);
    dialog->SetClientHeight(56);
    dialog->DoCreate();
    dialog->Show();
    Pump();
    RunFor(SettleMs);
    CopyWindow(sheet, layout.Cell(K::DialogActive), *dialog);

    if (TsSkinProvider* provider = TacFrameSkinning::ProviderOf(*dialog);
        provider && !provider->TitleButtonPlaces().empty()) {
        const TRect r = provider->TitleButtonPlaces()[0].Rect;
        const TPoint close{dialog->Left() + r.Left + r.Width() / 2, dialog->Top() + r.Top + r.Height() / 2};
        MoveMouse(close);
        RunFor(SettleMs);
        CopyWindow(sheet, layout.Cell(K::DialogCloseHot), *dialog);
        PressMouse(close);
        RunFor(SettleMs);
        CopyWindow(sheet, layout.Cell(K::DialogClosePressed), *dialog);
        // Released over the client area: the dialog stays open.
        const TPoint client{dialog->Left() + dialog->Width() / 2, dialog->Top() + dialog->Height() - 12};
        MoveMouse(client);
        ReleaseMouse(client);
        RunFor(SettleMs);
    } else {
        // A skin that leaves the frame to the platform: the platform's frame in each state.
        CopyWindow(sheet, layout.Cell(K::DialogCloseHot), *dialog);
        CopyWindow(sheet, layout.Cell(K::DialogClosePressed), *dialog);
    }

    // A press on the stage activates it; the dialog turns inactive.
    PressMouse(ParkingPlace);
    ReleaseMouse(ParkingPlace);
    RunFor(SettleMs);
    CopyWindow(sheet, layout.Cell(K::DialogInactive), *dialog);
    delete dialog;
    Pump();
}

void TPreviewStage::PaintMessageBox(TBitmap& sheet) {
    auto* box = new TMessageForm(Application, WarningText, WarningCaption, MB_OK | MB_ICONEXCLAMATION);
    box->Show();
    Pump();
    RunFor(SettleMs);
    CopyWindow(sheet, TPreviewSheetLayout::Instance().Cell(TPreviewSampleKind::MessageBox), *box);
    delete box;
    Pump();
}

void TPreviewStage::PaintSamples(TBitmap& sheet) {
    PaintStillSamples(sheet);
    PaintButtonStates(sheet);
    PaintOpenComboBox(sheet);
    PaintDialogFrames(sheet);
    PaintMessageBox(sheet);
}
