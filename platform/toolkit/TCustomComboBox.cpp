#include "platform/toolkit/TCustomComboBox.h"

// Sections: items and selection; appearance; the list; painting; keyboard; mouse and focus;
// notifications.

#include <algorithm>
#include <cwctype>

#include "platform/canvas/TCanvas.h"
#include "platform/core/Utf8.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/ClassicScrollLook.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TComboBoxEdit.h"
#include "platform/toolkit/TComboBoxList.h"
#include "platform/toolkit/TJsonWriter.h"

namespace {
// Posted to itself: hand the focus on to the inner edit.
constexpr std::uint32_t ForwardFocusMessage = WM_USER + 0x300;

// Typed text selects an item only when it matches exactly, letter case included.
int ExactIndexOf(const TStringList& items, const std::string& text) {
    for (int i = 0; i < items.Count(); ++i)
        if (items[i] == text) return i;
    return -1;
}
} // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csSetCaption);
    style.Exclude(TControlStyleFlag::csClickEvents);
    // Opening the list hands the capture to the list.
    style.Exclude(TControlStyleFlag::csCaptureMouse);
    SetControlStyle(style);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    SetComboStyle(TComboBoxStyle::csDropDown);
}

TCustomComboBox::~TCustomComboBox() {
    MarkDestroying();
    // The list and the edit are owned components; they go with the combo box.
}

// --- items and selection ---

void TCustomComboBox::ItemsChanged() {
    if (m_itemIndex >= m_items.Count()) {
        m_itemIndex = -1;
        SyncTextFromIndex();
    }
    if (m_list && m_droppedDown) m_list->PlaceBelow(ScreenRect());
    Invalidate();
}

void TCustomComboBox::AddItem(const std::string& text) {
    m_items.Add(text);
    ItemsChanged();
}

void TCustomComboBox::ClearItems() {
    m_items.Clear();
    m_itemIndex = -1;
    SyncTextFromIndex();
    ItemsChanged();
}

int TCustomComboBox::ItemIndex() const {
    return m_itemIndex >= 0 && m_itemIndex < m_items.Count() ? m_itemIndex : -1;
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= m_items.Count()) index = -1;
    if (index == ItemIndex() && index == m_itemIndex) return;
    m_itemIndex = index;
    SyncTextFromIndex();
    Invalidate();
}

void TCustomComboBox::SyncTextFromIndex() {
    std::string text = ItemIndex() >= 0 ? m_items[ItemIndex()] : std::string();
    // A csDropDown box without a selection keeps what was typed.
    if (m_edit && ItemIndex() < 0) return;
    m_syncing = true;
    TControl::SetText(text);
    if (m_edit) {
        m_edit->SetText(text);
        m_edit->SelectAll();
    }
    m_syncing = false;
}

void TCustomComboBox::SetText(const std::string& text) {
    int found = ExactIndexOf(m_items, text);
    if (m_edit) {
        m_itemIndex = found;
        m_syncing = true;
        TControl::SetText(text);
        m_edit->SetText(text);
        m_syncing = false;
        Invalidate();
    } else if (found >= 0) {
        SetItemIndex(found);
    }
}

void TCustomComboBox::EditTextChanged() {
    if (m_syncing || !m_edit) return;
    TControl::SetText(m_edit->Text());
    m_itemIndex = ExactIndexOf(m_items, m_edit->Text());
    Change();
}

void TCustomComboBox::SelectByUser(int index) {
    if (index < 0 || index >= m_items.Count() || index == ItemIndex()) return;
    SetItemIndex(index);
    Change();
    Select();
}

int TCustomComboBox::FindNextByFirstChar(int from, char32_t c) const {
    int n = m_items.Count();
    if (n == 0) return -1;
    auto lower = [](char32_t ch) { return char32_t(std::towlower(std::wint_t(ch))); };
    char32_t want = lower(c);
    for (int step = 1; step <= n; ++step) {
        int i = ((from < 0 ? -1 : from) + step) % n;
        std::u32string text = Utf8::Decode(m_items[i]);
        if (!text.empty() && lower(text[0]) == want) return i;
    }
    return -1;
}

// --- appearance ---

void TCustomComboBox::SetComboStyle(TComboBoxStyle style) {
    bool first = m_edit == nullptr && !m_list && m_style == style && style == TComboBoxStyle::csDropDown;
    if (style == m_style && !first) return;
    CloseUp(false);
    const bool hadEdit = m_edit != nullptr;
    m_style = style;
    if (style == TComboBoxStyle::csDropDown) {
        if (!m_edit) {
            m_edit = new TComboBoxEdit(this, this);
            m_edit->SetParent(this);
            m_edit->SetColor(Color());
            m_edit->SetMaxLength(m_maxLength);
        }
        m_edit->SetText(ItemIndex() >= 0 ? m_items[ItemIndex()] : Text());
        LayoutEdit();
        // The tab stop is the edit's: tabbing backwards out of it must not land on the box,
        // which would hand the focus straight back.
        m_edit->SetTabStop(true);
        SetTabStop(false);
    } else {
        if (m_edit) {
            TComboBoxEdit* edit = m_edit;
            m_edit = nullptr;
            delete edit;
        }
        SetTabStop(true);
        m_syncing = true;
        TControl::SetText(ItemIndex() >= 0 ? m_items[ItemIndex()] : std::string());
        m_syncing = false;
    }
    Invalidate();
    if ((m_edit != nullptr) != hadEdit) EditControlChanged();
}

int TCustomComboBox::ItemHeight() const {
    if (m_itemHeight > 0) return m_itemHeight;
    return std::max(1, TextRenderer::CellHeight(Font()));
}

void TCustomComboBox::SetItemHeight(int h) {
    m_itemHeight = std::max(h, 0);
    Invalidate();
}

void TCustomComboBox::SetDropDownCount(int n) {
    m_dropDownCount = std::max(n, 1);
}

void TCustomComboBox::SetMaxLength(int n) {
    m_maxLength = std::max(n, 0);
    if (m_edit) m_edit->SetMaxLength(m_maxLength);
}

TCustomEdit* TCustomComboBox::EditControl() const {
    return m_edit;
}

bool TCustomComboBox::IsFocusWithin() const {
    return Focused() || (m_edit && m_edit->Focused());
}

TRect TCustomComboBox::ButtonRect() const {
    TRect c = ClientRect();
    int w = std::min(GetSystemMetrics(SM_CXVSCROLL), c.Width());
    return {c.Right - w, c.Top, c.Right, c.Bottom};
}

TRect TCustomComboBox::FieldRect() const {
    TRect c = ClientRect();
    return {c.Left + 1, c.Top + 1, std::max(c.Left + 1, ButtonRect().Left - 1),
            std::max(c.Top + 1, c.Bottom - 1)};
}

void TCustomComboBox::LayoutEdit() {
    if (!m_edit) return;
    TRect f = FieldRect();
    m_edit->SetBounds(f.Left + 1, f.Top, std::max(0, f.Width() - 1), f.Height());
}

// --- the list ---

void TCustomComboBox::SetDroppedDown(bool v) {
    if (v == m_droppedDown) return;
    if (v)
        OpenList();
    else
        CloseUp(false);
}

void TCustomComboBox::OpenList() {
    if (m_droppedDown || !IsShowing() || !IsEnabledInTree()) return;
    // The handler may fill the items before the list takes its size.
    DropDown();
    if (!m_list) {
        m_list = new TComboBoxList(this, this);
        m_list->SetFont(Font());
        // Window managers keep the list above the form it drops from.
        m_list->SetNativeOwner(ParentForm(), false);
    }
    m_droppedDown = true;
    m_list->SetColor(Color());
    m_list->SetHighlightIndex(-1);
    m_list->PlaceBelow(ScreenRect());
    m_list->SetHighlightIndex(ItemIndex());
    m_list->SetVisible(true);
    m_list->SetMouseCapture(true);
    Invalidate();
}

void TCustomComboBox::CloseUp(bool commit) {
    if (!m_droppedDown) return;
    m_droppedDown = false;
    int chosen = m_list ? m_list->HighlightIndex() : -1;
    if (m_list) {
        if (m_list->MouseCapture()) m_list->SetMouseCapture(false);
        m_list->SetVisible(false);
    }
    Invalidate();
    if (commit && chosen >= 0) SelectByUser(chosen);
    DoCloseUp();
}

void TCustomComboBox::PaintItem(TCanvas& canvas, int index, const TRect& rect, unsigned state) {
    if (!IsOwnerDraw()) {
        DrawItem(canvas, index, rect, state);
        return;
    }
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(rect);
    TDrawItemStruct dis;
    dis.CtlType = ODT_COMBOBOX;
    dis.ItemID = index;
    dis.ItemAction = ODA_DRAWENTIRE;
    dis.ItemState = state;
    dis.HwndItem = WindowHandle();
    dis.Canvas = &canvas;
    dis.RcItem = rect;
    Perform(CN_DRAWITEM, 0, LParamFromPointer(&dis));
}

void TCustomComboBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, unsigned state) {
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, rect, state);
        return;
    }
    bool selected = (state & ODS_SELECTED) != 0;
    bool disabled = (state & ODS_DISABLED) != 0;
    canvas.FillRect(rect, ColorToRGB(selected ? clHighlight : disabled ? clBtnFace : Color()));
    if (index >= 0 && index < m_items.Count()) {
        TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(rect);
        canvas.SetFont(Font());
        canvas.Font().SetColor(ColorToRGB(selected   ? clHighlightText
                                          : disabled ? clGrayText
                                                     : Font().Color()));
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        int y = rect.Top + (rect.Height() - TextRenderer::CellHeight(Font())) / 2;
        canvas.TextOut(rect.Left + 2, y, m_items[index]);
    }
    if ((state & ODS_FOCUS) && (state & ODS_COMBOBOXEDIT)) canvas.DrawFocusRect(rect);
}

// --- painting ---

void TCustomComboBox::PaintNonClient(TCanvas& canvas) {
    ClassicLook::DrawEdge(canvas, {0, 0, Width(), Height()}, ClassicLook::TEdge::Sunken);
}

void TCustomComboBox::PaintWindow(TCanvas& canvas) {
    bool enabled = IsEnabledInTree();
    TRect c = ClientRect();
    canvas.FillRect(c, ColorToRGB(enabled ? Color() : clBtnFace));
    ClassicLook::DrawArrowButton(canvas, ButtonRect(), ClassicLook::TArrowDirection::Down, m_droppedDown,
                                 enabled);
    if (m_edit) return;
    unsigned state = ODS_COMBOBOXEDIT;
    if (!enabled)
        state |= ODS_DISABLED;
    else if (Focused() && !m_droppedDown)
        state |= ODS_SELECTED | ODS_FOCUS;
    PaintItem(canvas, ItemIndex(), FieldRect(), state);
}

// --- keyboard ---

TLResult TCustomComboBox::DialogCode() const {
    TLResult code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_droppedDown) code |= DLGC_WANTALLKEYS;
    return code;
}

bool TCustomComboBox::HandleListKey(int key, TShiftState shift) {
    bool alt = (shift & ssAlt) != 0;
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        if (m_droppedDown)
            CloseUp(true);
        else if (key != VK_UP)
            OpenList();
        return true;
    }
    if (alt) return false;
    if (m_droppedDown) {
        if (key == VK_RETURN) {
            CloseUp(true);
            return true;
        }
        if (key == VK_ESCAPE) {
            CloseUp(false);
            return true;
        }
    }
    int count = m_items.Count();
    int current = m_droppedDown && m_list ? m_list->HighlightIndex() : ItemIndex();
    int page = std::max(1, std::min(count, m_dropDownCount) - 1);
    int next;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        next = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        next = current + 1;
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    case VK_PRIOR:
        next = current < 0 ? 0 : current - page;
        break;
    case VK_NEXT:
        next = current + page;
        break;
    default:
        return false;
    }
    if (count == 0) return true;
    next = std::clamp(next, 0, count - 1);
    if (m_droppedDown && m_list)
        m_list->SetHighlightIndex(next);
    else
        SelectByUser(next);
    return true;
}

void TCustomComboBox::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (HandleListKey(key, shift)) key = 0;
}

void TCustomComboBox::WMSysKeyDown(TWMKey& m) {
    int key = m.CharCode;
    if ((key == VK_DOWN || key == VK_UP) && HandleListKey(key, ssAlt)) return;
    TWinControl::WMSysKeyDown(m);
}

void TCustomComboBox::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key == 0 || key < 0x20 || key == 0x7F) return;
    int from = m_droppedDown && m_list ? m_list->HighlightIndex() : ItemIndex();
    int found = FindNextByFirstChar(from, key);
    if (found >= 0) {
        if (m_droppedDown && m_list)
            m_list->SetHighlightIndex(found);
        else
            SelectByUser(found);
    }
    key = 0;
}

// --- mouse and focus ---

void TCustomComboBox::WMLButtonDown(TWMMouse& m) {
    TWinControl::WMLButtonDown(m);
    if (!IsEnabledInTree()) return;
    if (m_edit) {
        if (!m_edit->Focused() && m_edit->CanFocus()) m_edit->SetFocus();
    } else if (!Focused() && CanFocus()) {
        SetFocus();
    }
    TPoint p = m.Pos;
    // A drop-down list opens from anywhere on the box; with an edit only the button opens it.
    if (m_edit && !ButtonRect().Contains(p)) return;
    if (m_droppedDown)
        CloseUp(false);
    else
        OpenList();
}

void TCustomComboBox::WMLButtonDblClk(TWMMouse& m) {
    WMLButtonDown(m);
}

void TCustomComboBox::WMMouseWheel(TWMMouseWheel& m) {
    if (m_droppedDown && m_list) {
        m_list->Perform(WM_MOUSEWHEEL, m.Message.WParam, m.Message.LParam);
        m.Result = 1;
        return;
    }
    TWinControl::WMMouseWheel(m);
    if (m.Result) return;
    // A closed box steps through its items, one per notch.
    int notches = m.WheelDelta / 120;
    if (notches != 0 && m_items.Count() > 0 && IsFocusWithin()) {
        int current = ItemIndex();
        int next = std::clamp(current < 0 ? 0 : current - notches, 0, m_items.Count() - 1);
        SelectByUser(next);
        m.Result = 1;
    }
}

void TCustomComboBox::SetFocus() {
    if (m_edit && m_edit->CanFocus())
        m_edit->SetFocus();
    else
        TWinControl::SetFocus();
}

void TCustomComboBox::WMSetFocus(TWMFocus& m) {
    TWinControl::WMSetFocus(m);
    // The edit takes the focus once the move to the box has finished.
    if (m_edit && Application) Application->PostMessage(Handle(), ForwardFocusMessage);
    Invalidate();
}

void TCustomComboBox::WMKillFocus(TWMFocus& m) {
    TWinControl::WMKillFocus(m);
    // The focus moving into the inner edit keeps the list; anything else closes it.
    TWinControl* now = GetFocus();
    if (!(m_edit && now == m_edit)) CloseUp(false);
    Invalidate();
}

void TCustomComboBox::WMSize(TWMSize& m) {
    TWinControl::WMSize(m);
    LayoutEdit();
}

void TCustomComboBox::CMEnabledChanged(TWMNoParams& m) {
    TWinControl::CMEnabledChanged(m);
    if (!Enabled()) CloseUp(false);
    if (m_edit) m_edit->SetEnabled(Enabled());
}

void TCustomComboBox::CMFontChanged(TWMNoParams& m) {
    TWinControl::CMFontChanged(m);
    if (m_list) m_list->SetFont(Font());
}

void TCustomComboBox::OtherMessage(TMessage& m) {
    switch (m.Msg) {
    case ForwardFocusMessage:
        if (m_edit && Focused() && m_edit->CanFocus()) m_edit->SetFocus();
        return;
    case CN_DRAWITEM: {
        TDrawItemStruct* dis = TWMDrawItem(m).DrawItemStruct;
        if (dis && dis->Canvas) DrawItem(*dis->Canvas, dis->ItemID, dis->RcItem, dis->ItemState);
        m.Result = 1;
        return;
    }
    case CB_GETCURSEL:
        m.Result = ItemIndex();
        return;
    case CB_SETCURSEL:
        SetItemIndex(int(std::intptr_t(m.WParam)));
        m.Result = ItemIndex();
        return;
    case CB_SHOWDROPDOWN:
        SetDroppedDown(m.WParam != 0);
        m.Result = 1;
        return;
    case CB_GETDROPPEDSTATE:
        m.Result = m_droppedDown ? 1 : 0;
        return;
    case CB_GETCOUNT:
        m.Result = m_items.Count();
        return;
    default:
        TWinControl::OtherMessage(m);
    }
}

// --- notifications ---

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::DoCloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::WriteDumpFields(TJsonWriter& json) const {
    TWinControl::WriteDumpFields(json);
    json.Field("itemIndex", ItemIndex());
    json.Key("items");
    json.BeginArray();
    for (const std::string& item : m_items)
        json.String(item);
    json.EndArray();
    json.Field("droppedDown", m_droppedDown);
}
