#pragma once

#include "platform/toolkit/ClassicScrollLook.h"
#include "platform/toolkit/TCustomForm.h"

class TCustomComboBox;

// The drop-down list of a combo box: a borderless popup form that stays on top and never
// takes the activation. While open it holds the mouse capture, so a press outside it closes
// it. It shows DropDownCount rows from TopIndex; with more items a classic vertical scroll
// bar on its right scrolls it (arrows, track pages, thumb dragging), as do the wheel and
// the keys its combo box passes on. The highlighted item follows the pointer; a click on an
// item chooses it. Before each painting it asks its combo box for its colours
// (WM_CTLCOLORLISTBOX with the list's handle in LParam).
class TComboBoxList : public TCustomForm {
public:
    TComboBoxList(TComponent* owner, TCustomComboBox* combo);
    std::string ClassName() const override { return "TComboBoxList"; }

    TCustomComboBox* ComboBox() const { return m_combo; }
    // The highlighted item (-1 none); setting scrolls it into view.
    int HighlightIndex() const { return m_highlight; }
    void SetHighlightIndex(int index);
    int TopIndex() const { return m_top; }
    void SetTopIndex(int index);
    void ScrollBy(int rows);
    // Rows shown at once: DropDownCount, fewer when there are fewer items, at least one.
    int VisibleRows() const;
    bool HasScrollBar() const;
    // Client coordinates.
    TRect ItemRect(int index) const;
    TRect ScrollBarRect() const;
    // Where the scroll bar's parts lie now, and the arrow button shown pushed (None when none
    // is), for whoever paints the scroll bar over the list's own painting.
    ClassicLook::TScrollBarLayout ScrollLayout() const;
    ClassicLook::TScrollBarPart PushedPart() const { return m_pushed; }
    // The item at a client position in the item area, or -1.
    int ItemAt(TPoint p) const;
    // Places the list under the box with the given screen rectangle, sized for its rows.
    void PlaceBelow(const TRect& boxScreenRect);
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    void PaintWindow(TCanvas& canvas) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMMouseWheel(TWMMouseWheel& m) override;
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void WMTimer(TWMTimer& m) override;

private:
    int Count() const;
    int MaxTop() const;
    TRect ItemArea() const;
    void ScrollPart(ClassicLook::TScrollBarPart part);
    void StopScrollRepeat();

    TCustomComboBox* m_combo;
    int m_top = 0;
    int m_highlight = -1;
    ClassicLook::TScrollBarPart m_pushed = ClassicLook::TScrollBarPart::None;
    bool m_thumbDrag = false;
    int m_thumbGrabY = 0;
    int m_thumbGrabTop = 0;
};
