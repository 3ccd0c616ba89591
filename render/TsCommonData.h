#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/MessageRecords.h"
#include "render/KindCodes.h"
#include "render/ParentBackground.h"
#include "skin/TsManagerClient.h"

class TControl;
class TsFrameOwner;
class TsSkinManager;

enum class TsCreateFace { No, Yes };

// A control's skin binding: it ties the control to a skin manager and a section of its skin,
// resolves the section's indexes, keeps the face bitmap (the finished skinned picture the
// control copies to the screen), tracks the visual state that painting reads, and handles the
// skin command message (WM_SKINCOMMAND) and the window messages that change the face.
//
// Each message's part is a named method below; a skinned control's typed handlers call them
// (TsSkinned does it for every skinned control) before their own work. HandleMessage routes a
// raw message to the same methods, for the adapters that take over a window's procedure. The
// effective manager is the explicit one when set, else the process's default manager.
class TsCommonData final : public TsManagerClient {
public:
    // The owner is a control (the usual case) or a frame provider.
    TsCommonData(TControl* control, TsCreateFace createFace);
    TsCommonData(TsFrameOwner* frameOwner, TsCreateFace createFace);
    ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    // --- published properties ---
    // The control's own colour replaces the skin's fill colour (and an edit's colours).
    bool CustomColor() const { return m_customColor; }
    void SetCustomColor(bool value);
    // The control's own font colour is used (no skin text colours, no outline copies).
    bool CustomFont() const { return m_customFont; }
    void SetCustomFont(bool value);
    // The effective manager; writing the default manager stores none, so the binding keeps
    // following whichever manager is the default.
    TsSkinManager* SkinManager() const;
    void SetSkinManager(TsSkinManager* manager);
    // Upper-case section name; an empty assignment stores "UNKNOWN".
    const std::string& SkinSection() const { return m_skinSection; }
    void SetSkinSection(const std::string& section);

    // --- state ---
    bool InUpdate() const { return m_inUpdate; }
    void SetInUpdate(bool value) { m_inUpdate = value; }
    // cmdUpdateDone: painting is no longer held; true when it was, so the control repaints.
    bool EndHeldUpdate() { return std::exchange(m_inUpdate, false); }
    // The manager stored by SkinManager writes; null follows the default manager.
    TsSkinManager* ExplicitManager() const { return m_explicitManager; }
    std::int32_t BorderMaskIndex() const { return m_borderMaskIndex; }
    void SetBorderMaskIndex(std::int32_t index) { m_borderMaskIndex = index; }
    std::int32_t SectionIndex() const { return m_sectionIndex; }
    void SetSectionIndex(std::int32_t index) { m_sectionIndex = index; }
    std::int32_t PatternIndex() const { return m_patternIndex; }
    void SetPatternIndex(std::int32_t index) { m_patternIndex = index; }
    std::int32_t HotPatternIndex() const { return m_hotPatternIndex; }
    void SetHotPatternIndex(std::int32_t index) { m_hotPatternIndex = index; }
    // The windowless child whose fade frame is being drawn; while set, a client paint of this
    // control repaints only that child.
    TControl* AnimatedChild() const { return m_animatedChild; }
    void SetAnimatedChild(TControl* child) { m_animatedChild = child; }
    // The face bitmap must be rebuilt before the next copy to the screen.
    bool FaceStale() const { return m_faceStale; }
    void SetFaceStale(bool value) { m_faceStale = value; }
    // The control is not wholly inside its parent's client area.
    bool PartlyHidden() const { return m_partlyHidden; }
    void SetPartlyHidden(bool value) { m_partlyHidden = value; }
    // The skinned control; null for a frame provider's binding.
    TControl* Control() const { return m_control; }
    // The frame provider that owns the binding; null for a control's binding.
    TsFrameOwner* FrameOwner() const { return m_frameOwner; }
    // The face bitmap (24-bit); null only when the binding was made without one.
    TBitmap* FaceBitmap() const { return m_faceBitmap.get(); }
    std::int32_t KindCode() const { return m_kindCode; }
    void SetKindCode(std::int32_t kind) { m_kindCode = kind; }
    bool HasFocus() const { return m_hasFocus; }
    void SetHasFocus(bool value) { m_hasFocus = value; }
    bool MouseOver() const { return m_mouseOver; }
    void SetMouseOver(bool value) { m_mouseOver = value; }

    // --- operations ---
    // Recomputes the section, border mask and texture indexes from the effective manager.
    void ResolveIndexes();
    // Resolves the chosen section, or takes the default section of the kind.
    void ChooseDefaultSection();
    // Called from the control's end-of-construction and end-of-loading steps.
    void ApplyDefaults();
    // The control paints skinned: the section is valid in the effective manager (with
    // requireActiveSkin, also the manager has a loaded skin).
    bool Skinned(bool requireActiveSkin = false) const;
    // Painting is held back: no manager or no loaded skin, InUpdate, or the parent is updating.
    bool IsUpdating() const;
    // The face shows its hot state: focused, or the mouse over a kind that turns hot.
    bool IsHot() const;
    // The face is not a plain colour (transparent, disabled, or over a patterned parent).
    bool BgIsPatterned() const;
    // Makes the face bitmap 24-bit and as large as the control.
    void PrepareFace();
    // Marks the face stale and asks the control to repaint when it can be painted now.
    void Invalidate();
    void BeginUpdate();
    void EndUpdate();
    // The parent's face (cmdGetFace); not ready when there is no parent or it has no face.
    ParentBackground GetParentFace() const;

    // --- the binding's part of each message ---
    // WM_SKINCOMMAND: answers the queries and follows the manager's skin changes.
    void SkinCommand(TWMSkinCommand& command);
    // WM_MOVE: a patterned background tells the control its background changed.
    void Moved();
    // WM_SIZE: the face is stale; a gradient's children not anchored right or bottom are told
    // their background changed.
    void Resized();
    // WM_SETFOCUS / WM_KILLFOCUS of a control that takes the focus by tab.
    void FocusChanged(bool focused);
    // WM_FONTCHANGE and CM_ENABLEDCHANGED.
    void ForgetFocusAndPointer();
    // WM_UPDATEUISTATE is swallowed while skinned.
    bool SwallowsUIState() const { return Skinned(); }
    // WM_PARENTNOTIFY of a child created: the form hears of the control again.
    void ChildCreated() { AnnounceToForm(); }
    // CM_VISIBLECHANGED: a shown control's face is stale, a hidden one's is dropped.
    void VisibilityChanged(bool visible);
    // CM_MOUSEENTER of the control (entered null) or passed up from a child.
    void MouseEntered(const TControl* entered);
    // CM_MOUSELEAVE.
    void MouseLeft();
    // Routes a raw message to the methods above; true when the control must not pass it on.
    bool HandleMessage(TMessage& message);

    // The explicit manager is gone: the binding follows the default manager from now on.
    void ManagerDestroyed(TsSkinManager& manager) override;
    TCustomForm* ClientForm() const override;

private:
    void OnSkinLoaded(TsSkinManager* manager);
    void OnSkinRemoved(TsSkinManager* manager);
    void OnSkinApplied(TsSkinManager* manager);
    TLParam AnswerBgIsPatterned();
    void OnParentBgChanged(bool redrawWindow);
    void ComputeBgColor();
    // Tells the owner that the skin applies (cmdSkinApplied) or not (cmdSkinRemoved).
    void NotifyOwnerOfSkin(bool swallowErrors);
    // Colours of an edit-like control from the section, unless custom.
    void TakeSectionColors();
    bool IsEditLike() const;
    void AnnounceToForm();
    bool ControlIsBusy() const;
    bool OwnerIsDestroying() const;

    bool m_customColor = false;
    bool m_customFont = false;
    std::string m_skinSection;

    bool m_inUpdate = false;
    TsSkinManager* m_explicitManager = nullptr;
    std::int32_t m_borderMaskIndex = -1;
    std::int32_t m_sectionIndex = -1;
    std::int32_t m_patternIndex = -1;
    std::int32_t m_hotPatternIndex = -1;
    TControl* m_animatedChild = nullptr;
    bool m_faceStale = true;
    bool m_partlyHidden = true;
    TControl* m_control = nullptr;
    TsFrameOwner* m_frameOwner = nullptr;
    std::unique_ptr<TBitmap> m_faceBitmap;
    std::int32_t m_kindCode = 0;
    bool m_hasFocus = false;
    bool m_mouseOver = false;
};
