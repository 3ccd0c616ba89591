#include "controls/TsSpinButton.h"

#include <algorithm>
#include <array>

#include "controls/TsEdit.h"
#include "controls/TsTimerSpeedButton.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"

namespace {
constexpr int MinimumWidth = 15;
constexpr int GlyphWidth = 9;
constexpr int GlyphHeight = 5;
} // namespace

TBitmap MakeArrowGlyph(bool up, TColor colour) {
    TBitmap glyph(GlyphWidth, GlyphHeight);
    glyph.Fill(clFuchsia);
    TCanvas canvas(glyph);
    const std::array<TPoint, 3> upPoints{TPoint{1, 4}, TPoint{7, 4}, TPoint{4, 1}};
    const std::array<TPoint, 3> downPoints{TPoint{1, 1}, TPoint{7, 1}, TPoint{4, 4}};
    // A glyph in the key colour itself would vanish; one step off it shows the same.
    TColor c = ColorToRGB(colour);
    if (c == clFuchsia) c = 0xFE00FF;
    canvas.Polygon(up ? upPoints : downPoints, c);
    return glyph;
}

TsSpinButton::TsSpinButton(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csSetCaption);
    style.Exclude(TControlStyleFlag::csAcceptsControls);
    SetControlStyle(style);
    SetBounds(0, 0, 18, 21);
    auto makeArrow = [this](TNotifyEvent& handler) {
        auto* arrow = new TsTimerSpeedButton(this);
        arrow->SkinData().SetSkinSection("SPEEDBUTTON_SMALL");
        arrow->SetFlat(false);
        arrow->SetTransparent(true);
        arrow->SetTimeBtnState(TTimeBtnStates{TTimeBtnState::tbAllowTimer});
        arrow->SetParent(this);
        arrow->OnClick = [&handler, this](TObject*) {
            if (handler) handler(this);
        };
        arrow->OnMouseDown = [this, arrow](TObject*, TMouseButton button, TShiftState, int, int) {
            if (button == TMouseButton::mbLeft) ArrowPressed(*arrow);
        };
        return arrow;
    };
    m_upButton = makeArrow(OnUpClick);
    m_downButton = makeArrow(OnDownClick);
    RebuildGlyphs();
    LayoutButtons();
}

TsSpinButton::~TsSpinButton() {
    MarkDestroying();
}

const TBitmap& TsSpinButton::UpGlyph() const {
    return m_upButton->Glyph();
}
void TsSpinButton::SetUpGlyph(const TBitmap& glyph) {
    m_upButton->SetGlyph(glyph);
}
const TBitmap& TsSpinButton::DownGlyph() const {
    return m_downButton->Glyph();
}
void TsSpinButton::SetDownGlyph(const TBitmap& glyph) {
    m_downButton->SetGlyph(glyph);
}

void TsSpinButton::RebuildGlyphs() {
    SetUpGlyph(MakeArrowGlyph(true, Font().Color()));
    SetDownGlyph(MakeArrowGlyph(false, Font().Color()));
}

void TsSpinButton::LayoutButtons() {
    if (!m_upButton || !m_downButton || IsLoading() || Height() <= 0) return;
    if (Width() < MinimumWidth) {
        SetWidth(MinimumWidth); // comes back here through WM_SIZE
        return;
    }
    const int upHeight = Height() / 2;
    m_upButton->SetBounds(0, 0, Width(), upHeight);
    m_downButton->SetBounds(0, upHeight, Width(), Height() - upHeight);
}

void TsSpinButton::Loaded() {
    TCustomControl::Loaded();
    LayoutButtons();
}

void TsSpinButton::WMSize(TWMSize& m) {
    TCustomControl::WMSize(m);
    LayoutButtons();
}

void TsSpinButton::ArrowPressed(TsTimerSpeedButton& arrow) {
    if (m_focusControl && m_focusControl->CanFocus() && !m_focusControl->Focused())
        m_focusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
    if (m_focusedButton != &arrow) {
        const bool focused = Focused();
        MarkFocus(false);
        m_focusedButton = &arrow;
        MarkFocus(focused);
    }
}

void TsSpinButton::MarkFocus(bool focused) {
    if (!m_focusedButton) return;
    TTimeBtnStates state = m_focusedButton->TimeBtnState();
    if (focused)
        state.Include(TTimeBtnState::tbFocusRect);
    else
        state.Exclude(TTimeBtnState::tbFocusRect);
    m_focusedButton->SetTimeBtnState(state);
}

void TsSpinButton::WMSetFocus(TWMFocus& m) {
    TCustomControl::WMSetFocus(m);
    if (!m_focusedButton) m_focusedButton = m_upButton;
    MarkFocus(true);
}

void TsSpinButton::WMKillFocus(TWMFocus& m) {
    TCustomControl::WMKillFocus(m);
    MarkFocus(false);
}

TLResult TsSpinButton::DialogCode() const {
    return DLGC_WANTARROWS;
}

void TsSpinButton::WMEraseBkgnd(TWMEraseBkgnd& m) {
    // The arrows cover the whole control; erasing first would only flicker.
    m.Result = 1;
}

void TsSpinButton::CMEnabledChanged(TWMNoParams& m) {
    TCustomControl::CMEnabledChanged(m);
    m_upButton->SetEnabled(Enabled());
    m_downButton->SetEnabled(Enabled());
}

void TsSpinButton::CMFontChanged(TWMNoParams& m) {
    TCustomControl::CMFontChanged(m);
    RebuildGlyphs();
}

void TsSpinButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == m_focusControl) m_focusControl = nullptr;
    if (component == m_spinEdit) m_spinEdit = nullptr;
    if (component == m_focusedButton) m_focusedButton = nullptr;
}

bool TsSpinButton::EditFaceAnswer(TMessage& m) const {
    if (!m_spinEdit || m_spinEdit->IsDestroying()) return false;
    const TBitmap* face = m_spinEdit->SkinData().FaceBitmap();
    if (!face) return false;
    const TRect insets = m_spinEdit->NonClientInsets();
    FaceAnswer() = ParentBackground{face, Left() + insets.Left, Top() + insets.Top, !face->IsEmpty()};
    SkinCommandMessage::AnswerResult(m, 1);
    return true;
}

void TsSpinButton::WMSkinCommand(TWMSkinCommand& record) {
    TMessage& m = record;
    switch (SkinCommandMessage::Code(m)) {
    case cmdGetFace:
        EditFaceAnswer(m);
        return;
    case cmdIsInUpdate: {
        const TLParam updating = m_spinEdit && m_spinEdit->SkinData().IsUpdating() ? 1 : 0;
        SkinCommandMessage::AnswerLParam(m, updating);
        SkinCommandMessage::AnswerResult(m, updating);
        return;
    }
    case cmdSetAnimatedChild:
        return;
    default:
        TCustomControl::WMSkinCommand(record);
    }
}

void TsSpinButton::Paint(TCanvas& canvas) {
    // Native look only: skinned or not, the arrows cover the control; this fills any rest.
    canvas.FillRect(ClientRect(), ColorToRGB(clBtnFace));
}
