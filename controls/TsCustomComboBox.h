#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/toolkit/TCustomComboBox.h"
#include "render/Blend.h"
#include "render/TsBoundLabel.h"
#include "render/TsCommonData.h"
#include "render/TsSkinned.h"

class TsComboListAdapter;

// Skin command sub-code a combo box answers: is its list dropped down (1) or not (0)?
inline constexpr std::uint16_t cmdIsDroppedDown = 14;

// The skinned combo box. It keeps the platform combo box (items, list window, selection,
// keyboard) and replaces the look of the closed box: the frame, the background, the selected
// item's text and the drop-down button are built in the binding's face bitmap (section
// "COMBOBOX", the button from "COMBOBTN" and the arrow from the section's GLYPHMASK) and
// copied to the window in one block. When the list holds more items than DropDownCount, a
// list adapter skins the open list's scroll bar. Without a skin it is the platform combo box.
class TsCustomComboBox : public TsSkinned<TCustomComboBox> {
public:
    explicit TsCustomComboBox(TComponent* owner);
    ~TsCustomComboBox() override;
    std::string ClassName() const override { return "TsCustomComboBox"; }

    TsBoundLabel& BoundLabel() { return *m_boundLabel; }

    // Text alignment of the closed box.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    // While set, the user cannot change the selection: keys and characters are swallowed and
    // a click only takes the focus.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    TDisabledKinds DisabledKind() const { return m_disabledKind; }
    void SetDisabledKind(TDisabledKinds kinds);

    // The index of the first item whose text equals the text exactly (letter case counting),
    // or -1.
    int IndexOfText(const std::string& text) const;

    // The list adapter skinning the open list's scroll bar, or null.
    const TsComboListAdapter* ListAdapter() const { return m_listAdapter.get(); }
    // The list is open (from the drop-down notification to the close-up).
    bool ListShown() const { return m_listShown; }
    // The drop-down button's rectangle in the face (window coordinates, frame included).
    TRect SkinButtonRect() const;

    void Invalidate() override;
    void Loaded() override;
    // Adds "skinned" (the face is painted from the skin) and "listAdapter".
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    void PaintWindow(TCanvas& canvas) override;
    void PaintNonClient(TCanvas& canvas) override;
    void DropDown() override;
    void DoCloseUp() override;
    // The closed box's field of a skinned box shows its face; everything else is drawn as the
    // platform draws it (or by OnDrawItem).
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, unsigned state) override;
    // Forgets the hooked inner edit when a change of style frees it.
    void Notification(TComponent* component, TOperation operation) override;
    // Hooks the inner edit a change of style made.
    void EditControlChanged() override;

    void WMSkinCommand(TWMSkinCommand& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void CMMouseEnter(TCMMouseEnter& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMVisibleChanged(TCMVisibleChanged& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMTextChanged(TWMNoParams& m) override;
    // A read-only box swallows these before its binding and the platform box see them.
    void WMKeyDown(TWMKey& m) override;
    void WMSysKeyDown(TWMKey& m) override;
    void WMChar(TWMKey& m) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    // The list window's colour request, the list's repaint and the program's selection.
    void OtherMessage(TMessage& m) override;

private:
    // Follows a skin change that the binding has handled.
    void FollowSkinChange(std::uint16_t code);
    // A skinned box's own crossing (not one passed up from its inner edit) while its list is
    // closed: the pointer changes its hot face.
    bool CrossingChangesFace(const TControl* child) const;
    // A read-only box's press only takes the focus.
    void TakeFocusWhileReadOnly();
    void TakeSkinColors();
    void TakePlatformColors();
    // Rebuilds a stale face; false when the box must not paint now.
    bool FaceReady();
    void RebuildFace();
    void DrawButton(TBitmap& face);
    void DrawSelectedText(TBitmap& face);
    int ButtonState() const;
    void AttachListAdapter(THandle listWindow);
    void HookInnerEdit();
    bool InnerEditShowsItself() const;
    void InnerEditWndProc(TMessage& m);

    std::unique_ptr<TsBoundLabel> m_boundLabel;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_readOnly = false;
    TDisabledKinds m_disabledKind = DefaultDisabledKinds;
    bool m_listShown = false;
    bool m_buttonShown = true;
    TCustomEdit* m_hookedEdit = nullptr;
    TWndMethod m_editProc;
    // Released first on destruction.
    std::unique_ptr<TsComboListAdapter> m_listAdapter;
};
