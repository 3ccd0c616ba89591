#pragma once

#include <memory>

#include "platform/os/TStringList.h"
#include "platform/toolkit/TWinControl.h"

class TComboBoxEdit;
class TComboBoxList;
class TCustomEdit;

// Combo box messages, with the platform's numbers.
constexpr std::uint32_t CB_GETCURSEL = 0x0147;
constexpr std::uint32_t CB_SETCURSEL = 0x014E;    // WParam: the index (-1 none)
constexpr std::uint32_t CB_SHOWDROPDOWN = 0x014F; // WParam: 1 opens, 0 closes
constexpr std::uint32_t CB_GETDROPPEDSTATE = 0x0157;
constexpr std::uint32_t CB_GETCOUNT = 0x0146;

enum class TComboBoxStyle {
    csDropDown,       // an edit field with a list to choose from
    csDropDownList,   // a closed box showing the selected item; the list chooses
    csOwnerDrawFixed, // like csDropDownList; items are painted on request (CN_DRAWITEM)
};

// Paints one item: index -1 is the closed box's field without a selection.
using TDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int index, const TRect& rect, unsigned state)>;

// The platform combo box: a sunken box with a drop-down button and, for csDropDown, an inner
// edit. The drop-down list is a popup window (TComboBoxList) below the box (above when the
// screen has no room below) with DropDownCount rows and a scroll bar when there are more
// items; it closes on a click outside it, Escape, Enter, F4 or a selection.
//
// Keys: Up/Down/Home/End/PageUp/PageDown choose the previous, next, first, last item or a
// page away (while the list is open they move its highlight, which Enter takes); a typed
// character chooses the next item starting with it; Alt+Down or F4 opens the list.
//
// Notifications: a choice by the user runs Change (OnChange) and then Select (OnSelect);
// typing in the edit of csDropDown runs Change; opening runs DropDown (OnDropDown) and
// closing CloseUp (OnCloseUp). Setting ItemIndex or Text by the program raises none.
//
// Owner draw (csOwnerDrawFixed): every list item and the closed box's field are painted by
// a CN_DRAWITEM request to the combo box carrying a TDrawItemStruct (ODT_COMBOBOX, the item
// index, its rectangle, ODS_SELECTED / ODS_FOCUS / ODS_DISABLED / ODS_COMBOBOXEDIT and the
// canvas); the base answer is DrawItem, which calls OnDrawItem or paints the item plainly.
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;
    std::string ClassName() const override { return "TCustomComboBox"; }

    // --- items and selection ---
    // The items. After changing them through this reference, call ItemsChanged.
    TStringList& Items() { return m_items; }
    const TStringList& Items() const { return m_items; }
    void ItemsChanged();
    void AddItem(const std::string& text);
    void ClearItems();
    // The selected item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // For csDropDownList the selected item's text; for csDropDown the edit's text. Setting it
    // selects the item with exactly that text (or none; csDropDownList keeps its selection
    // when no item has it).
    void SetText(const std::string& text) override;

    // --- appearance ---
    TComboBoxStyle ComboStyle() const { return m_style; }
    void SetComboStyle(TComboBoxStyle style);
    bool IsOwnerDraw() const { return m_style == TComboBoxStyle::csOwnerDrawFixed; }
    // Rows of the list; 0 (the default) follows the font.
    int ItemHeight() const;
    void SetItemHeight(int h);
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int n);
    // For csDropDown, characters the user may type at most (0: no limit).
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int n);

    // --- the list ---
    bool DroppedDown() const { return m_droppedDown; }
    void SetDroppedDown(bool v);
    // Closes the list; with commit the highlighted item becomes the selection.
    void CloseUp(bool commit);
    // The list window while it exists (it is created on first opening), or null.
    TComboBoxList* ListWindow() const { return m_list; }
    // The inner edit of csDropDown, or null.
    TCustomEdit* EditControl() const;
    // The focus is on the combo box or its inner edit.
    bool IsFocusWithin() const;
    // With an inner edit the edit takes the focus.
    void SetFocus() override;
    // The drop-down button's rectangle and the closed box's item field (client coordinates).
    TRect ButtonRect() const;
    TRect FieldRect() const;

    // Asks for an item to be painted (the owner-draw request, or DrawItem for other styles).
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, unsigned state);
    // Chooses an item as the user does: Change and Select follow when it differs.
    void SelectByUser(int index);
    // The next item after from (wrapping) whose text starts with c (letter case ignored), or -1.
    int FindNextByFirstChar(int from, char32_t c) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;

    TRect NonClientInsets() const override { return {2, 2, 2, 2}; }
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void DoCloseUp();
    // Paints one item plainly, or calls OnDrawItem.
    virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect, unsigned state);
    // A change of style made or freed the inner edit (EditControl).
    virtual void EditControlChanged() {}
    void PaintWindow(TCanvas& canvas) override;
    void PaintNonClient(TCanvas& canvas) override;
    TLResult DialogCode() const override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void WMSysKeyDown(TWMKey& m) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMMouseWheel(TWMMouseWheel& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMSize(TWMSize& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void OtherMessage(TMessage& m) override;

private:
    friend class TComboBoxEdit;
    friend class TComboBoxList;

    // Handles a navigation key for the closed box or the open list; true when used.
    bool HandleListKey(int key, TShiftState shift);
    void OpenList();
    void LayoutEdit();
    void SyncTextFromIndex();
    // The inner edit's text changed by typing.
    void EditTextChanged();

    TStringList m_items;
    int m_itemIndex = -1;
    TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
    int m_itemHeight = 0;
    int m_dropDownCount = 8;
    int m_maxLength = 0;
    bool m_droppedDown = false;
    bool m_syncing = false;
    TComboBoxList* m_list = nullptr;
    TComboBoxEdit* m_edit = nullptr;
};
