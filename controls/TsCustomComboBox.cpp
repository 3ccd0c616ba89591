#include "controls/TsCustomComboBox.h"

// Sections: construction and properties; skin commands; events; read-only; painting; the
// face; the inner edit; the list adapter.

#include <algorithm>

#include "controls/TsComboListAdapter.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TComboBoxList.h"
#include "platform/toolkit/TCustomEdit.h"
#include "platform/toolkit/TJsonWriter.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/KindCodes.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

namespace {

// The frame strips around the text field of the face.
constexpr int FrameStrip = 3;

// Posted to itself when a list adapter was attached while the list painted: the list is
// painted again, through the adapter, once that painting has finished.
constexpr std::uint32_t RepaintListMessage = WM_USER + 0x310;

bool IsReadOnlyKey(int key) {
    return (key >= 32 && key <= 40) || key == 57 || (key >= 65 && key <= 90);
}

// The inner edit's messages that change its text, which a read-only box's edit refuses.
bool IsEditingMessage(std::uint32_t msg) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------- construction and properties

TsCustomComboBox::TsCustomComboBox(TComponent* owner)
    : TsSkinned<TCustomComboBox>(owner), m_boundLabel(std::make_unique<TsBoundLabel>(m_skinData)) {
    m_skinData.SetKindCode(KindCode::ComboBox);
    if (m_skinData.SkinSection().empty()) m_skinData.SetSkinSection("COMBOBOX");
    SetDropDownCount(16);
    m_skinData.ApplyDefaults();
    HookInnerEdit();
}

TsCustomComboBox::~TsCustomComboBox() {
    MarkDestroying();
    m_listAdapter.reset();
    if (m_hookedEdit && m_editProc) m_hookedEdit->SetWindowProc(m_editProc);
    m_hookedEdit = nullptr;
    m_boundLabel.reset();
}

void TsCustomComboBox::SetAlignment(TAlignment alignment) {
    if (alignment == m_alignment) return;
    m_alignment = alignment;
    m_skinData.Invalidate();
}

void TsCustomComboBox::SetDisabledKind(TDisabledKinds kinds) {
    if (kinds == m_disabledKind) return;
    m_disabledKind = kinds;
    m_skinData.Invalidate();
}

int TsCustomComboBox::IndexOfText(const std::string& text) const {
    const TStringList& items = Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items[i] == text) return i;
    return -1;
}

void TsCustomComboBox::Invalidate() {
    // Whatever asks for a repaint (selection, text, focus, state) may change the face.
    m_skinData.SetFaceStale(true);
    TCustomComboBox::Invalidate();
    if (m_skinData.Skinned() && HandleAllocated()) InvalidateFrame();
}

void TsCustomComboBox::Loaded() {
    TCustomComboBox::Loaded();
    m_skinData.ApplyDefaults();
    if (m_skinData.Skinned()) TakeSkinColors();
    HookInnerEdit();
}

void TsCustomComboBox::TakeSkinColors() {
    TsSkinManager* manager = m_skinData.SkinManager();
    if (!manager || !m_skinData.Skinned()) return;
    const TsGeneralData& section = manager->Model().GeneralData[std::size_t(m_skinData.SectionIndex())];
    if (!m_skinData.CustomColor() && Color() != section.Color) SetColor(section.Color);
    const TColor fontColor = TColor(section.FontColor[0]);
    if (!m_skinData.CustomFont() && Font().Color() != fontColor)
        ChangeFont([fontColor](TFont& f) { f.SetColor(fontColor); });
}

void TsCustomComboBox::TakePlatformColors() {
    if (!m_skinData.CustomColor()) SetColor(clWindow);
    if (!m_skinData.CustomFont()) ChangeFont([](TFont& f) { f.SetColor(clWindowText); });
}

void TsCustomComboBox::WriteDumpFields(TJsonWriter& json) const {
    TCustomComboBox::WriteDumpFields(json);
    json.Field("skinned", m_skinData.Skinned());
    json.Field("listAdapter", m_listAdapter != nullptr);
}

// ---------------------------------------------------------------- skin commands

void TsCustomComboBox::WMSkinCommand(TWMSkinCommand& m) {
    switch (m.Code) {
    case cmdIsDroppedDown:
        m.SetAnswer(DroppedDown() ? 1 : 0);
        return;
    case cmdUpdateDone:
        if (m_skinData.EndHeldUpdate()) Invalidate();
        return;
    default:
        break;
    }
    // Read first: a removed skin makes the binding forget a manager that is being destroyed.
    const bool fromOwnManager = m.Object<TsSkinManager>() == m_skinData.SkinManager();
    TsSkinned::WMSkinCommand(m);
    if (fromOwnManager) FollowSkinChange(m.Code);
}

void TsCustomComboBox::FollowSkinChange(std::uint16_t code) {
    switch (code) {
    case cmdSkinLoaded:
        if (m_listAdapter) m_listAdapter->SkinLoaded();
        break;
    case cmdSkinRemoved:
        TakePlatformColors();
        m_listAdapter.reset();
        Invalidate();
        break;
    case cmdSkinApplied:
        if (m_skinData.Skinned()) TakeSkinColors();
        Invalidate();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- events

// Where the box's own work comes before TsSkinned's, it writes the same state as the binding,
// so the binding sees what it would have seen first.

void TsCustomComboBox::WMSetFocus(TWMFocus& m) {
    if (m_skinData.Skinned() && CanFocus()) {
        m_skinData.SetHasFocus(true);
        m_skinData.SetMouseOver(false);
        m_skinData.SetFaceStale(true);
    }
    TsSkinned::WMSetFocus(m);
}

void TsCustomComboBox::WMKillFocus(TWMFocus& m) {
    if (!m_skinData.Skinned()) return TsSkinned::WMKillFocus(m);
    // The binding's part first; the list closes before the platform box hears of the loss
    // (which would keep it open for a move into the inner edit).
    m_skinData.FocusChanged(false);
    CloseUp(false);
    m_skinData.SetHasFocus(false);
    m_skinData.SetMouseOver(false);
    TCustomComboBox::WMKillFocus(m);
    Invalidate();
}

bool TsCustomComboBox::CrossingChangesFace(const TControl* child) const {
    return m_skinData.Skinned() && !child && !m_listShown;
}

void TsCustomComboBox::CMMouseEnter(TCMMouseEnter& m) {
    const bool changesFace = CrossingChangesFace(m.Child);
    if (changesFace) m_skinData.SetMouseOver(true);
    TsSkinned::CMMouseEnter(m);
    if (changesFace) Invalidate();
}

void TsCustomComboBox::CMMouseLeave(TCMMouseLeave& m) {
    const bool changesFace = CrossingChangesFace(m.Child);
    if (changesFace) m_skinData.SetMouseOver(false);
    TsSkinned::CMMouseLeave(m);
    if (changesFace) Invalidate();
}

void TsCustomComboBox::CMFontChanged(TWMNoParams& m) {
    if (m_skinData.Skinned()) m_skinData.SetFaceStale(true);
    TsSkinned::CMFontChanged(m);
}

void TsCustomComboBox::CMVisibleChanged(TCMVisibleChanged& m) {
    if (m_skinData.Skinned()) m_skinData.SetFaceStale(true);
    TsSkinned::CMVisibleChanged(m);
}

void TsCustomComboBox::CMEnabledChanged(TWMNoParams& m) {
    if (m_skinData.Skinned()) m_skinData.SetFaceStale(true);
    TsSkinned::CMEnabledChanged(m);
}

void TsCustomComboBox::CMTextChanged(TWMNoParams& m) {
    const bool skinned = m_skinData.Skinned();
    TsSkinned::CMTextChanged(m);
    if (skinned) Invalidate();
}

void TsCustomComboBox::OtherMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_CTLCOLORLISTBOX:
        AttachListAdapter(THandle(m.LParam));
        return;
    case RepaintListMessage:
        if (m_listAdapter) m_listAdapter->List().Invalidate();
        return;
    case CB_SETCURSEL: {
        const bool skinned = m_skinData.Skinned();
        TsSkinned::OtherMessage(m);
        if (skinned) Invalidate();
        return;
    }
    default:
        TsSkinned::OtherMessage(m);
        return;
    }
}

void TsCustomComboBox::DropDown() {
    m_listShown = true;
    m_skinData.SetFaceStale(true);
    TCustomComboBox::DropDown();
}

void TsCustomComboBox::DoCloseUp() {
    m_listShown = false;
    Invalidate();
    TCustomComboBox::DoCloseUp();
}

// ---------------------------------------------------------------- read-only

void TsCustomComboBox::WMKeyDown(TWMKey& m) {
    if (m_readOnly && IsReadOnlyKey(m.CharCode)) return;
    TsSkinned::WMKeyDown(m);
}

void TsCustomComboBox::WMSysKeyDown(TWMKey& m) {
    if (m_readOnly && IsReadOnlyKey(m.CharCode)) return;
    TsSkinned::WMSysKeyDown(m);
}

void TsCustomComboBox::WMChar(TWMKey& m) {
    if (m_readOnly) return;
    TsSkinned::WMChar(m);
}

void TsCustomComboBox::TakeFocusWhileReadOnly() {
    if (CanFocus() && !IsFocusWithin()) SetFocus();
}

void TsCustomComboBox::WMLButtonDown(TWMMouse& m) {
    if (!m_readOnly) return TsSkinned::WMLButtonDown(m);
    TakeFocusWhileReadOnly();
}

void TsCustomComboBox::WMLButtonDblClk(TWMMouse& m) {
    if (!m_readOnly) return TsSkinned::WMLButtonDblClk(m);
    TakeFocusWhileReadOnly();
    DblClick();
}

// ---------------------------------------------------------------- painting

bool TsCustomComboBox::FaceReady() {
    if (!IsShowing()) return false;
    m_skinData.SetInUpdate(m_skinData.IsUpdating());
    if (m_skinData.InUpdate()) return false;
    bool stale = m_skinData.FaceStale() || m_skinData.PartlyHidden();
    if (TWinControl* parent = Parent()) {
        stale = stale || AskControl(parent, cmdIsPartlyHidden);
        const TRect inside = parent->ClientRect();
        const TRect bounds = BoundsRect();
        m_skinData.SetPartlyHidden(bounds.Intersect(inside) != bounds);
    }
    if (stale) RebuildFace();
    RepaintCorners(m_skinData, 0, cnAllCorners);
    return true;
}

void TsCustomComboBox::PaintNonClient(TCanvas& canvas) {
    if (!m_skinData.Skinned() || !FaceReady()) {
        if (!m_skinData.Skinned()) TCustomComboBox::PaintNonClient(canvas);
        return;
    }
    const TBitmap& face = *m_skinData.FaceBitmap();
    canvas.CopyRect({0, 0}, face, face.BoundsRect());
}

void TsCustomComboBox::PaintWindow(TCanvas& canvas) {
    if (!m_skinData.Skinned()) {
        TCustomComboBox::PaintWindow(canvas);
        return;
    }
    if (!FaceReady()) return;
    const TBitmap& face = *m_skinData.FaceBitmap();
    const TRect insets = NonClientInsets();
    // The client area starts inside the frame; the face covers the whole box. Where the inner
    // edit lies, its own window shows (or repaints this face itself).
    canvas.CopyRect({-insets.Left, -insets.Top}, face, face.BoundsRect());
    if (!IsOwnerDraw() || !IsEnabledInTree()) return;
    const TRect button = SkinButtonRect();
    TRect field{FrameStrip, FrameStrip, button.Left, face.Height() - FrameStrip};
    field = field.Offset(-insets.Left, -insets.Top);
    unsigned state = ODS_COMBOBOXEDIT;
    if (IsFocusWithin() || m_skinData.HasFocus()) state |= ODS_SELECTED | ODS_FOCUS;
    PaintItem(canvas, ItemIndex(), field, state);
}

void TsCustomComboBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, unsigned state) {
    const bool closedField = (state & ODS_COMBOBOXEDIT) != 0 && !DroppedDown();
    if (!closedField || !m_skinData.Skinned() || !m_skinData.FaceBitmap()) {
        TCustomComboBox::DrawItem(canvas, index, rect, state);
        return;
    }
    const TRect insets = NonClientInsets();
    const TRect inFace =
        rect.Offset(insets.Left, insets.Top).Intersect(m_skinData.FaceBitmap()->BoundsRect());
    canvas.CopyRect({inFace.Left - insets.Left, inFace.Top - insets.Top}, *m_skinData.FaceBitmap(), inFace);
}

// ---------------------------------------------------------------- the face

TRect TsCustomComboBox::SkinButtonRect() const {
    const int w = m_buttonShown ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int left = Width() - w - 2;
    return {left, 2, left + w, Height() - 2};
}

int TsCustomComboBox::ButtonState() const {
    if (m_listShown) return 2;
    return m_skinData.IsHot() ? 1 : 0;
}

void TsCustomComboBox::RebuildFace() {
    m_skinData.PrepareFace();
    TBitmap& face = *m_skinData.FaceBitmap();
    if (face.Width() < 1 || face.Height() < 1) return;
    const int state = m_skinData.IsHot() ? 1 : 0;
    const ParentBackground background = m_skinData.GetParentFace();
    const TPoint position{Left(), Top()};
    PaintFace(m_skinData, background, FillCentre::Yes, CornerFlag::Yes, state, face, position,
              face.BoundsRect());
    DrawButton(face);
    if (!(IsOwnerDraw() && OnDrawItem)) DrawSelectedText(face);
    if (!IsEnabledInTree()) ApplyDisabledLook(face, m_disabledKind, Parent(), position, background);
    m_skinData.SetFaceStale(false);
}

void TsCustomComboBox::DrawButton(TBitmap& face) {
    TsSkinManager* manager = m_skinData.SkinManager();
    const TRect button = SkinButtonRect();
    if (!manager || button.IsEmpty() || !face.BoundsRect().Contains(button)) return;
    const int state = ButtonState();
    const TsCommonIndexes& indexes = manager->CommonIndexes();
    if (indexes.ComboBtn.Section >= 0) {
        const TBitmap behind(face);
        PaintSectionFace(indexes.ComboBtn.Section, "COMBOBTN", ParentBackground{&behind, 0, 0, true}, state,
                         FillCentre::Yes, manager, face, {0, 0}, button);
    }
    const auto& masks = manager->Model().MaskData;
    if (indexes.ComboBoxGlyph < 0 || std::size_t(indexes.ComboBoxGlyph) >= masks.size()) return;
    const TsMaskData& glyph = masks[std::size_t(indexes.ComboBoxGlyph)];
    const int glyphWidth = glyph.R.Width() / std::max<int>(glyph.ImageCount, 1);
    const int glyphHeight = glyph.R.Height() / std::max<int>(glyph.MaskType + 1, 1);
    const TPoint at{button.Left + (button.Width() - glyphWidth) / 2, (Height() - glyphHeight) / 2};
    DrawCornerImage(face, at, state, glyph, CornerFlag::Yes);
}

void TsCustomComboBox::DrawSelectedText(TBitmap& face) {
    const TRect button = SkinButtonRect();
    TRect rect{FrameStrip, FrameStrip, button.Left - 1, Height() - FrameStrip};
    const bool dropDown = ComboStyle() == TComboBoxStyle::csDropDown;
    const bool highlighted = (IsFocusWithin() || m_skinData.HasFocus()) &&
                             ComboStyle() == TComboBoxStyle::csDropDownList && IsEnabledInTree();
    TCanvas canvas(face);
    canvas.SetFont(Font());
    if (highlighted) {
        canvas.Font().SetColor(ColorToRGB(clHighlightText));
        canvas.SetBrushStyle(TBrushStyle::bsSolid);
        canvas.SetBrushColor(ColorToRGB(clHighlight));
        canvas.FillRect(rect);
    } else {
        canvas.Font().SetColor(ColorToRGB(Font().Color()));
    }
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    if (!Text().empty()) {
        TRect textRect =
            dropDown ? TRect{rect.Left, rect.Top, rect.Right, rect.Bottom - 1} : rect.Offset(1, 0);
        unsigned flags = TextFlags::DT_SINGLELINE | TextFlags::DT_VCENTER | TextFlags::DT_EXPANDTABS |
                         TextFlags::DT_NOPREFIX;
        if (m_alignment == TAlignment::taRightJustify)
            flags |= TextFlags::DT_RIGHT;
        else if (m_alignment == TAlignment::taCenter)
            flags |= TextFlags::DT_CENTER;
        canvas.DrawText(Text(), textRect, flags);
    }
    if (highlighted) canvas.DrawFocusRect(rect);
}

// ---------------------------------------------------------------- the inner edit

void TsCustomComboBox::HookInnerEdit() {
    TCustomEdit* edit = EditControl();
    if (edit == m_hookedEdit) return;
    if (m_hookedEdit && m_editProc) m_hookedEdit->SetWindowProc(m_editProc);
    m_hookedEdit = edit;
    m_editProc = nullptr;
    if (!edit) return;
    m_editProc = edit->WindowProc();
    edit->SetWindowProc([this](TMessage& m) { InnerEditWndProc(m); });
}

void TsCustomComboBox::EditControlChanged() {
    TsSkinned::EditControlChanged();
    HookInnerEdit();
}

void TsCustomComboBox::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation == TOperation::opRemove && component && component == m_hookedEdit) {
        m_hookedEdit = nullptr;
        m_editProc = nullptr;
    }
}

bool TsCustomComboBox::InnerEditShowsItself() const {
    if (ComboStyle() != TComboBoxStyle::csDropDown) return true;
    return (IsFocusWithin() || m_skinData.HasFocus()) && IsEnabledInTree() && !m_readOnly;
}

void TsCustomComboBox::InnerEditWndProc(TMessage& m) {
    if (m_readOnly && IsEditingMessage(m.Msg)) return;
    const bool quiet = m_skinData.Skinned() && !InnerEditShowsItself();
    if (quiet && (m.Msg == WM_ERASEBKGND || m.Msg == WM_NCPAINT)) {
        m.Result = 1;
        return;
    }
    if (quiet && m.Msg == WM_PAINT && m_hookedEdit) {
        // The box's face shows where the edit lies: the compositor leaves a windowed child's
        // area to the child, so the edit copies that part of the face itself.
        if (TCanvas* canvas = CanvasFromWParam(m.WParam); canvas && FaceReady()) {
            const TPoint origin = m_hookedEdit->ClientOrigin();
            const TPoint box = ClientToScreen({0, 0});
            const TRect insets = NonClientInsets();
            canvas->CopyRect({-(origin.X - box.X) - insets.Left, -(origin.Y - box.Y) - insets.Top},
                             *m_skinData.FaceBitmap(), m_skinData.FaceBitmap()->BoundsRect());
        }
        return;
    }
    if (m_editProc) m_editProc(m);
}

// ---------------------------------------------------------------- the list adapter

void TsCustomComboBox::AttachListAdapter(THandle listWindow) {
    if (m_listAdapter || IsLoading() || !m_skinData.Skinned()) return;
    if (Items().Count() <= DropDownCount()) return;
    TComboBoxList* list = ListWindow();
    if (!list || list->WindowHandle() != listWindow) return;
    m_listAdapter = std::make_unique<TsComboListAdapter>(*list, m_skinData, "EDIT");
    if (Application) Application->PostMessage(Handle(), RepaintListMessage);
}
