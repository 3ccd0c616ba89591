#include "platform/toolkit/TComboBoxList.h"

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomComboBox.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TScreen.h"

using ClassicLook::TScrollBarPart;

namespace {
constexpr std::uintptr_t ScrollTimerId = 1;
} // namespace

TComboBoxList::TComboBoxList(TComponent* owner, TCustomComboBox* combo) : TCustomForm(owner), m_combo(combo) {
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetNoActivate(true);
    SetColor(clWindow);
    TControlStyle style = ControlStyle();
    // The list keeps the capture itself for as long as it is open.
    style.Exclude(TControlStyleFlag::csCaptureMouse);
    style.Exclude(TControlStyleFlag::csClickEvents);
    style.Exclude(TControlStyleFlag::csDoubleClicks);
    SetControlStyle(style);
}

int TComboBoxList::Count() const {
    return m_combo->Items().Count();
}

int TComboBoxList::VisibleRows() const {
    return std::max(1, std::min(Count(), m_combo->DropDownCount()));
}

bool TComboBoxList::HasScrollBar() const {
    return Count() > m_combo->DropDownCount();
}

int TComboBoxList::MaxTop() const {
    return std::max(0, Count() - VisibleRows());
}

TRect TComboBoxList::ScrollBarRect() const {
    if (!HasScrollBar()) return {};
    TRect c = ClientRect();
    return {c.Right - 1 - GetSystemMetrics(SM_CXVSCROLL), c.Top + 1, c.Right - 1, c.Bottom - 1};
}

TRect TComboBoxList::ItemArea() const {
    TRect c = ClientRect();
    TRect area{c.Left + 1, c.Top + 1, c.Right - 1, c.Bottom - 1};
    if (HasScrollBar()) area.Right = ScrollBarRect().Left;
    return area;
}

TRect TComboBoxList::ItemRect(int index) const {
    TRect area = ItemArea();
    int h = m_combo->ItemHeight();
    int top = area.Top + (index - m_top) * h;
    return {area.Left, top, area.Right, top + h};
}

int TComboBoxList::ItemAt(TPoint p) const {
    TRect area = ItemArea();
    if (!area.Contains(p)) return -1;
    int index = m_top + (p.Y - area.Top) / std::max(1, m_combo->ItemHeight());
    return index < Count() ? index : -1;
}

ClassicLook::TScrollBarLayout TComboBoxList::ScrollLayout() const {
    return ClassicLook::LayoutVerticalScrollBar(ScrollBarRect(), m_top, VisibleRows(), Count());
}

void TComboBoxList::SetTopIndex(int index) {
    index = std::clamp(index, 0, MaxTop());
    if (index == m_top) return;
    m_top = index;
    Invalidate();
}

void TComboBoxList::ScrollBy(int rows) {
    SetTopIndex(m_top + rows);
}

void TComboBoxList::SetHighlightIndex(int index) {
    index = Count() == 0 ? -1 : std::clamp(index, -1, Count() - 1);
    if (index >= 0) {
        if (index < m_top)
            SetTopIndex(index);
        else if (index >= m_top + VisibleRows())
            SetTopIndex(index - VisibleRows() + 1);
    }
    if (index == m_highlight) return;
    m_highlight = index;
    Invalidate();
}

void TComboBoxList::PlaceBelow(const TRect& box) {
    m_top = std::clamp(m_top, 0, MaxTop());
    int height = VisibleRows() * m_combo->ItemHeight() + 2;
    int width = std::max(box.Width(), 1);
    int y = box.Bottom;
    // With no room below, the list opens upwards, as the platform's does.
    if (Screen && y + height > Screen->Height() && box.Top - height >= 0) y = box.Top - height;
    SetBounds(box.Left, y, width, height);
    Invalidate();
}

void TComboBoxList::PaintWindow(TCanvas& canvas) {
    m_combo->Perform(WM_CTLCOLORLISTBOX, 0, TLParam(Handle()));
    TRect c = ClientRect();
    canvas.FrameRect(c, ColorToRGB(clWindowFrame));
    TRect area = ItemArea();
    canvas.FillRect(area, ColorToRGB(m_combo->Color()));
    {
        TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(area);
        int last = std::min(Count(), m_top + VisibleRows());
        unsigned base = m_combo->IsEnabledInTree() ? 0 : ODS_DISABLED;
        for (int i = m_top; i < last; ++i) {
            unsigned state = base | (i == m_highlight ? ODS_SELECTED | ODS_FOCUS : 0);
            m_combo->PaintItem(canvas, i, ItemRect(i), state);
        }
    }
    if (HasScrollBar()) ClassicLook::DrawVerticalScrollBar(canvas, ScrollLayout(), m_pushed, true);
}

void TComboBoxList::ScrollPart(TScrollBarPart part) {
    switch (part) {
    case TScrollBarPart::UpButton:
        ScrollBy(-1);
        break;
    case TScrollBarPart::DownButton:
        ScrollBy(1);
        break;
    case TScrollBarPart::PageUp:
        ScrollBy(-VisibleRows());
        break;
    case TScrollBarPart::PageDown:
        ScrollBy(VisibleRows());
        break;
    default:
        break;
    }
}

void TComboBoxList::StopScrollRepeat() {
    if (Application && HandleAllocated()) Application->KillTimer(WindowHandle(), ScrollTimerId);
    if (m_pushed != TScrollBarPart::None) {
        m_pushed = TScrollBarPart::None;
        Invalidate();
    }
}

void TComboBoxList::WMLButtonDown(TWMMouse& m) {
    TPoint p = m.Pos;
    if (!ClientRect().Contains(p)) {
        // A press anywhere else closes the list and is used up by it.
        m_combo->CloseUp(false);
        return;
    }
    TScrollBarPart part =
        HasScrollBar() ? ClassicLook::ScrollBarPartAt(ScrollLayout(), p) : TScrollBarPart::None;
    if (part == TScrollBarPart::Thumb) {
        m_thumbDrag = true;
        m_thumbGrabY = p.Y;
        m_thumbGrabTop = m_top;
    } else if (part != TScrollBarPart::None) {
        ScrollPart(part);
        m_pushed = part;
        Invalidate();
        if (Application) Application->SetTimer(Handle(), ScrollTimerId, ArrowRepeatDelayMs);
    } else {
        int index = ItemAt(p);
        if (index >= 0) SetHighlightIndex(index);
    }
    if (!MouseCapture()) SetMouseCapture(true);
}

void TComboBoxList::WMLButtonDblClk(TWMMouse& m) {
    WMLButtonDown(m);
}

void TComboBoxList::WMLButtonUp(TWMMouse& m) {
    TPoint p = m.Pos;
    bool wasScrolling = m_thumbDrag || m_pushed != TScrollBarPart::None;
    m_thumbDrag = false;
    StopScrollRepeat();
    if (!wasScrolling && ItemArea().Contains(p)) {
        int index = ItemAt(p);
        if (index >= 0) {
            SetHighlightIndex(index);
            m_combo->CloseUp(true);
            return;
        }
    }
    if (Visible() && !MouseCapture()) SetMouseCapture(true);
}

void TComboBoxList::WMMouseMove(TWMMouse& m) {
    TPoint p = m.Pos;
    if (m_thumbDrag) {
        auto layout = ScrollLayout();
        int free = layout.Track.Height() - layout.Thumb.Height();
        if (free > 0) SetTopIndex(m_thumbGrabTop + int(std::int64_t(p.Y - m_thumbGrabY) * MaxTop() / free));
        return;
    }
    if (m_pushed != TScrollBarPart::None) return;
    int index = ItemAt(p);
    if (index >= 0) SetHighlightIndex(index);
}

void TComboBoxList::WMMouseWheel(TWMMouseWheel& m) {
    int notches = m.WheelDelta / 120;
    // Three rows per notch, as the platform scrolls lists.
    ScrollBy(-notches * 3);
    m.Result = 1;
}

void TComboBoxList::WMCaptureChanged(TWMCaptureChanged& m) {
    TCustomForm::WMCaptureChanged(m);
    m_thumbDrag = false;
    StopScrollRepeat();
    // Another control took the capture: the list closes, as the platform's does.
    if (Visible() && m_combo->DroppedDown() && Application && Application->CaptureControl() != this)
        m_combo->CloseUp(false);
}

void TComboBoxList::WMTimer(TWMTimer& m) {
    if (m.TimerID != ScrollTimerId) {
        TCustomForm::WMTimer(m);
        return;
    }
    if (m_pushed == TScrollBarPart::None) {
        StopScrollRepeat();
        return;
    }
    Application->SetTimer(Handle(), ScrollTimerId, ArrowRepeatIntervalMs);
    // A page press repeats only while the pointer stays on the track on the thumb's side.
    TPoint p = ScreenToClient(Application->MousePos());
    TScrollBarPart now = ClassicLook::ScrollBarPartAt(ScrollLayout(), p);
    if (now == m_pushed) ScrollPart(m_pushed);
}

void TComboBoxList::WriteDumpFields(TJsonWriter& json) const {
    TCustomForm::WriteDumpFields(json);
    json.Field("itemIndex", m_highlight);
    json.Field("topIndex", m_top);
}
