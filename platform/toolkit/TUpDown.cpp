#include "platform/toolkit/TUpDown.h"

#include <algorithm>
#include <charconv>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/toolkit/ClassicScrollLook.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TTimer.h"

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csSetCaption);
    style.Exclude(TControlStyleFlag::csClickEvents);
    // A second press soon after the first is one more step, not a double click.
    style.Exclude(TControlStyleFlag::csDoubleClicks);
    style.Exclude(TControlStyleFlag::csCaptureMouse);
    SetControlStyle(style);
    int w = GetSystemMetrics(SM_CXVSCROLL);
    int h = GetSystemMetrics(SM_CYVSCROLL);
    SetBounds(0, 0, w, h + h / 2);
    m_repeat = new TTimer(this);
    m_repeat->SetEnabled(false);
    m_repeat->SetInterval(ArrowRepeatDelayMs);
    m_repeat->SetOnTimer([this](TObject*) { RepeatTick(); });
}

TUpDown::~TUpDown() {
    MarkDestroying();
    UnhookAssociate();
}

// --- range and position ---

void TUpDown::SetMin(int v) {
    if (v == m_min) return;
    m_min = v;
    SetPosition(m_position);
}

void TUpDown::SetMax(int v) {
    if (v == m_max) return;
    m_max = v;
    SetPosition(m_position);
}

void TUpDown::SetIncrement(int v) {
    m_increment = v;
}

int TUpDown::ClampToRange(int v) const {
    return std::clamp(v, std::min(m_min, m_max), std::max(m_min, m_max));
}

void TUpDown::SetPosition(int v) {
    v = ClampToRange(v);
    if (v != m_position) {
        m_position = v;
        Invalidate();
    }
    UpdateAssociateText();
}

void TUpDown::SetThousands(bool v) {
    if (v == m_thousands) return;
    m_thousands = v;
    UpdateAssociateText();
}

void TUpDown::SetOrientation(TUDOrientation o) {
    if (o == m_orientation) return;
    m_orientation = o;
    Invalidate();
}

std::string TUpDown::FormatPosition(int position) const {
    std::string digits = std::to_string(position < 0 ? -std::int64_t(position) : std::int64_t(position));
    std::string out;
    if (position < 0) out += '-';
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (m_thousands && i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

void TUpDown::Step(TUDBtnType button) {
    ReadAssociateText();
    int lo = std::min(m_min, m_max), hi = std::max(m_min, m_max);
    // btNext moves toward Max, whichever way the range runs.
    std::int64_t delta = std::int64_t(m_increment) * (m_max >= m_min ? 1 : -1);
    if (button == TUDBtnType::btPrev) delta = -delta;
    std::int64_t next = std::int64_t(m_position) + delta;
    if (next > hi) next = m_wrap && m_position == hi ? lo : hi;
    if (next < lo) next = m_wrap && m_position == lo ? hi : lo;
    if (int(next) != m_position && CanChange()) {
        m_position = int(next);
        UpdateAssociateText();
        Invalidate();
    }
    DoClick(button);
}

bool TUpDown::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TUpDown::DoClick(TUDBtnType button) {
    if (OnClick) OnClick(this, button);
}

// --- associate ---

void TUpDown::ReadAssociateText() {
    if (!m_associate) return;
    std::string text;
    for (char c : m_associate->Text())
        if (c != ',' && c != ' ') text += c;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return;
    m_position = ClampToRange(value);
}

void TUpDown::UpdateAssociateText() {
    if (m_associate && !m_associate->IsDestroying()) m_associate->SetText(FormatPosition(m_position));
}

void TUpDown::PlaceBesideAssociate() {
    if (!m_associate) return;
    TWinControl* a = m_associate;
    if (Parent() != a->Parent()) SetParent(a->Parent());
    int w = Width();
    if (m_alignButton == TUDAlignButton::udRight) {
        a->SetWidth(std::max(0, a->Width() - w));
        SetBounds(a->Left() + a->Width(), a->Top(), w, a->Height());
    } else {
        int left = a->Left();
        a->SetBounds(left + w, a->Top(), std::max(0, a->Width() - w), a->Height());
        SetBounds(left, a->Top(), w, a->Height());
    }
}

void TUpDown::HookAssociate() {
    m_hookOwner = std::make_shared<TUpDown*>(this);
    std::weak_ptr<TUpDown*> owner = m_hookOwner;
    TWndMethod previous = m_associate->WindowProc();
    // Up and Down in the associate step the up-down; everything goes on to the associate.
    m_associate->SetWindowProc([owner, previous](TMessage& msg) {
        if (msg.Msg == WM_KEYDOWN && (msg.WParam == TWParam(VK_UP) || msg.WParam == TWParam(VK_DOWN))) {
            auto alive = owner.lock();
            if (alive && *alive && (*alive)->m_arrowKeys && (*alive)->IsEnabledInTree()) {
                (*alive)->Step(msg.WParam == TWParam(VK_UP) ? TUDBtnType::btNext : TUDBtnType::btPrev);
                return;
            }
        }
        previous(msg);
    });
}

void TUpDown::ForgetAssociate() {
    // The associate keeps the replaced procedure (something may have replaced it again
    // since); without its owner it only passes messages on.
    if (m_hookOwner) *m_hookOwner = nullptr;
    m_hookOwner.reset();
    m_associate = nullptr;
}

void TUpDown::UnhookAssociate() {
    if (m_associate) m_associate->RemoveFreeNotification(this);
    ForgetAssociate();
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == m_associate || control == this) return;
    UnhookAssociate();
    if (!control) return;
    m_associate = control;
    control->FreeNotification(this);
    HookAssociate();
    PlaceBesideAssociate();
    UpdateAssociateText();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_associate) ForgetAssociate();
}

// --- arrows ---

TRect TUpDown::ButtonRect(TUDBtnType button) const {
    TRect c = ClientRect();
    if (m_orientation == TUDOrientation::udVertical) {
        int mid = c.Top + c.Height() / 2;
        return button == TUDBtnType::btNext ? TRect{c.Left, c.Top, c.Right, mid}
                                            : TRect{c.Left, mid, c.Right, c.Bottom};
    }
    int mid = c.Left + c.Width() / 2;
    return button == TUDBtnType::btNext ? TRect{mid, c.Top, c.Right, c.Bottom}
                                        : TRect{c.Left, c.Top, mid, c.Bottom};
}

TButtonBehaviour& TUpDown::BehaviourOf(TUDBtnType button) {
    return button == TUDBtnType::btNext ? m_next : m_prev;
}

const TButtonBehaviour& TUpDown::Behaviour(TUDBtnType button) const {
    return button == TUDBtnType::btNext ? m_next : m_prev;
}

bool TUpDown::ButtonAt(TPoint p, TUDBtnType& button) const {
    for (TUDBtnType b : {TUDBtnType::btNext, TUDBtnType::btPrev})
        if (ButtonRect(b).Contains(p)) {
            button = b;
            return true;
        }
    return false;
}

void TUpDown::Apply(TButtonBehaviour::TResult r) {
    if (r.Changed) Invalidate();
}

void TUpDown::Paint(TCanvas& canvas) {
    bool enabled = IsEnabledInTree();
    bool vertical = m_orientation == TUDOrientation::udVertical;
    using ClassicLook::TArrowDirection;
    ClassicLook::DrawArrowButton(canvas, ButtonRect(TUDBtnType::btNext),
                                 vertical ? TArrowDirection::Up : TArrowDirection::Right, m_next.IsPushed(),
                                 enabled);
    ClassicLook::DrawArrowButton(canvas, ButtonRect(TUDBtnType::btPrev),
                                 vertical ? TArrowDirection::Down : TArrowDirection::Left, m_prev.IsPushed(),
                                 enabled);
}

void TUpDown::WMLButtonDown(TWMMouse& m) {
    TCustomControl::WMLButtonDown(m);
    TUDBtnType button;
    if (!IsEnabledInTree() || !ButtonAt(m.Pos, button)) return;
    // The associate takes the focus, as the platform's buddy does.
    if (m_associate && !m_associate->Focused() && m_associate->CanFocus()) m_associate->SetFocus();
    m_held = true;
    m_heldButton = button;
    Apply(BehaviourOf(button).MouseDown());
    SetMouseCapture(true);
    Step(button);
    m_repeat->SetInterval(ArrowRepeatDelayMs);
    m_repeat->SetEnabled(true);
}

void TUpDown::WMLButtonDblClk(TWMMouse& m) {
    WMLButtonDown(m);
}

void TUpDown::WMMouseMove(TWMMouse& m) {
    TCustomControl::WMMouseMove(m);
    TPoint p = m.Pos;
    Apply(m_next.MouseMove(ButtonRect(TUDBtnType::btNext).Contains(p)));
    Apply(m_prev.MouseMove(ButtonRect(TUDBtnType::btPrev).Contains(p)));
}

void TUpDown::WMLButtonUp(TWMMouse& m) {
    TCustomControl::WMLButtonUp(m);
    if (!m_held) return;
    TPoint p = m.Pos;
    m_held = false;
    StopRepeat();
    // The step was made on the press; the release only ends the hold.
    Apply(BehaviourOf(m_heldButton).MouseUp(ButtonRect(m_heldButton).Contains(p)));
    if (MouseCapture()) SetMouseCapture(false);
}

void TUpDown::WMCaptureChanged(TWMCaptureChanged& m) {
    TCustomControl::WMCaptureChanged(m);
    if (m_held && !MouseCapture()) CancelHold();
}

void TUpDown::CMMouseLeave(TCMMouseLeave& m) {
    TCustomControl::CMMouseLeave(m);
    if (m_held) return;
    Apply(m_next.MouseLeave());
    Apply(m_prev.MouseLeave());
}

void TUpDown::CMEnabledChanged(TWMNoParams& m) {
    TCustomControl::CMEnabledChanged(m);
    if (!Enabled() && m_held) {
        CancelHold();
        if (MouseCapture()) SetMouseCapture(false);
    }
}

void TUpDown::StopRepeat() {
    m_repeat->SetEnabled(false);
}

void TUpDown::CancelHold() {
    m_held = false;
    StopRepeat();
    Apply(BehaviourOf(m_heldButton).Cancel());
}

void TUpDown::RepeatTick() {
    if (!m_held) {
        StopRepeat();
        return;
    }
    if (m_repeat->Interval() != ArrowRepeatIntervalMs) m_repeat->SetInterval(ArrowRepeatIntervalMs);
    // While the pointer is off the held arrow the repeat waits.
    if (BehaviourOf(m_heldButton).IsPushed()) Step(m_heldButton);
}

void TUpDown::WriteDumpFields(TJsonWriter& json) const {
    TCustomControl::WriteDumpFields(json);
    json.Field("position", m_position);
    json.Field("min", m_min);
    json.Field("max", m_max);
}
