#include "controls/TsBaseSpinEdit.h"

#include "controls/TsSpinButton.h"
#include "controls/TsTimerSpeedButton.h"
#include "platform/core/VirtualKeys.h"
#include "platform/toolkit/MessageBeep.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

TsBaseSpinEdit::TsBaseSpinEdit(TComponent* owner) : TsEdit(owner) {
    TControlStyle style = ControlStyle();
    style.Include(TControlStyleFlag::csAcceptsControls);
    style.Exclude(TControlStyleFlag::csSetCaption);
    SetControlStyle(style);
    m_button = new TsSpinButton(this);
    m_button->SetVisible(false);
    m_button->SetParent(this);
    m_button->SetFocusControl(this);
    m_button->SetSpinEdit(this);
    m_button->OnUpClick = [this](TObject* sender) { UpClick(sender); };
    m_button->OnDownClick = [this](TObject* sender) { DownClick(sender); };
    m_button->SetVisible(true);
    LayoutButton();
}

TsBaseSpinEdit::~TsBaseSpinEdit() {
    MarkDestroying();
}

void TsBaseSpinEdit::Loaded() {
    TsEdit::Loaded();
    TsSkinManager* manager = SkinData().SkinManager();
    m_button->UpButton().SkinData().SetSkinManager(manager);
    m_button->DownButton().SkinData().SetSkinManager(manager);
    m_button->RebuildGlyphs();
    LayoutButton();
}

void TsBaseSpinEdit::UpClick(TObject* sender) {
    if (ReadOnly()) {
        MessageBeep();
    } else if (OnUpClick) {
        TNotifyEvent handler = OnUpClick;
        handler(sender);
    } else {
        StepUp();
    }
}

void TsBaseSpinEdit::DownClick(TObject* sender) {
    if (ReadOnly()) {
        MessageBeep();
    } else if (OnDownClick) {
        TNotifyEvent handler = OnDownClick;
        handler(sender);
    } else {
        StepDown();
    }
}

// ---------------------------------------------------------------- layout

void TsBaseSpinEdit::LayoutButton() {
    if (!m_button) return;
    const int buttonWidth = m_button->Width();
    m_button->SetBounds(Width() - buttonWidth - 4, 0, buttonWidth, Height() - 4);
    SetTextRectBesideButton();
}

void TsBaseSpinEdit::SetTextRectBesideButton() {
    SetTextRect({0, 0, ClientWidth() - m_button->Width() - 2, ClientHeight() + 1});
}

void TsBaseSpinEdit::WMSize(TWMSize& m) {
    TsEdit::WMSize(m);
    LayoutButton();
}

void TsBaseSpinEdit::CreateWnd() {
    TsEdit::CreateWnd();
    SetTextRectBesideButton();
}

// ---------------------------------------------------------------- keyboard

bool TsBaseSpinEdit::IsValidChar(char32_t c) const {
    if (c >= U'0' && c <= U'9') return m_editorEnabled;
    if (c == 8) return m_editorEnabled;
    return c < 32 && c != 13;
}

void TsBaseSpinEdit::KeyDown(int& key, TShiftState shift) {
    if (key == VK_UP)
        UpClick(this);
    else if (key == VK_DOWN)
        DownClick(this);
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool sh = (shift & ssShift) != 0;
    const bool cutOrPaste = (ctrl && !sh && (key == 'X' || key == 'V')) ||
                            (sh && !ctrl && (key == VK_DELETE || key == VK_INSERT));
    if (cutOrPaste && !MayCutOrPaste()) {
        key = 0;
        return;
    }
    // Without the editor, deleting is typing too. Backspace beeps as the character that follows.
    if (!m_editorEnabled && (key == VK_BACK || key == VK_DELETE)) {
        if (key == VK_DELETE) MessageBeep();
        key = 0;
        return;
    }
    TsEdit::KeyDown(key, shift);
}

void TsBaseSpinEdit::KeyPress(char32_t& key) {
    if (!IsValidChar(key)) {
        key = 0;
        MessageBeep();
        return;
    }
    TsEdit::KeyPress(key);
}

void TsBaseSpinEdit::OtherMessage(TMessage& m) {
    if ((m.Msg == WM_CUT || m.Msg == WM_PASTE) && !MayCutOrPaste()) return;
    TsEdit::OtherMessage(m);
}

// ---------------------------------------------------------------- arrows

void TsBaseSpinEdit::ForwardToArrows(TMessage& m) {
    for (TsTimerSpeedButton* arrow : {&m_button->UpButton(), &m_button->DownButton()}) {
        TMessage copy = m;
        arrow->PerformMessage(copy);
    }
}

void TsBaseSpinEdit::ResetArrows() {
    for (TsTimerSpeedButton* arrow : {&m_button->UpButton(), &m_button->DownButton()}) {
        arrow->SkinData().SetMouseOver(false);
        SendSkinCommand(arrow, cmdStopAnimation);
        arrow->SkinData().Invalidate();
    }
}

void TsBaseSpinEdit::PaintWindow(TCanvas& canvas) {
    TsEdit::PaintWindow(canvas);
    if (!PaintsSkinned() || SkinData().InUpdate()) return;
    // The arrows sit on the edit's face, which this paint may have changed.
    for (TsTimerSpeedButton* arrow : {&m_button->UpButton(), &m_button->DownButton()}) {
        SendSkinCommand(arrow, cmdStopAnimation);
        arrow->SkinData().SetFaceStale(true);
        arrow->Invalidate();
    }
}

void TsBaseSpinEdit::SkinCommand(TWMSkinCommand& m) {
    TsEdit::SkinCommand(m);
    switch (m.Code) {
    case cmdSkinLoaded:
    case cmdSkinRemoved:
    case cmdSkinApplied:
        if (m.Object<TsSkinManager>() != SkinData().SkinManager()) break;
        ForwardToArrows(m);
        m_button->RebuildGlyphs();
        break;
    case cmdUpdateDone:
        m_button->Invalidate();
        break;
    default:
        break;
    }
}

void TsBaseSpinEdit::CMEnabledChanged(TWMNoParams& m) {
    TsEdit::CMEnabledChanged(m);
    m_button->SetEnabled(Enabled());
}

void TsBaseSpinEdit::CMMouseEnter(TCMMouseEnter& m) {
    TsEdit::CMMouseEnter(m);
    if (m.Message.LParam == 0) ResetArrows();
}

void TsBaseSpinEdit::CMMouseLeave(TCMMouseLeave& m) {
    TsEdit::CMMouseLeave(m);
    if (m.Message.LParam == 0) ResetArrows();
}
