#include "render/TsCommonData.h"

#include <algorithm>
#include <exception>

#include "platform/core/CodePage.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TCustomEdit.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TWinControl.h"
#include "render/ParentColors.h"
#include "render/SkinCommandQueries.h"
#include "render/TsFrameOwner.h"
#include "render/TsSkinnedControl.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

// Sections: construction and properties; indexes and defaults; state questions; face and
// updates; skin commands; window messages.

namespace {

TWinControl* AsWindowed(TControl* control) {
    return control && control->IsWindowed() ? static_cast<TWinControl*>(control) : nullptr;
}

bool HasSections(const TsSkinManager* manager) {
    return manager && !manager->Model().GeneralData.empty();
}

bool HasActiveSkin(const TsSkinManager* manager) {
    return manager && manager->Active() && manager->SkinData().Ready;
}

std::uint8_t ClampChannel(int value) {
    return std::uint8_t(std::clamp(value, 0, 255));
}

} // namespace

// ---------------------------------------------------------------- construction and properties

TsCommonData::TsCommonData(TControl* control, TsCreateFace createFace) : m_control(control) {
    if (createFace == TsCreateFace::Yes) m_faceBitmap = std::make_unique<TBitmap>();
}

TsCommonData::TsCommonData(TsFrameOwner* frameOwner, TsCreateFace createFace) : m_frameOwner(frameOwner) {
    if (createFace == TsCreateFace::Yes) m_faceBitmap = std::make_unique<TBitmap>();
}

TsCommonData::~TsCommonData() {
    m_sectionIndex = m_borderMaskIndex = m_patternIndex = m_hotPatternIndex = -1;
    m_control = nullptr;
    m_frameOwner = nullptr;
    if (m_explicitManager) m_explicitManager->RemoveClient(this);
    m_explicitManager = nullptr;
}

TCustomForm* TsCommonData::ClientForm() const {
    return m_control ? m_control->ParentForm() : nullptr;
}

void TsCommonData::ManagerDestroyed(TsSkinManager& manager) {
    if (&manager != m_explicitManager) return;
    m_explicitManager = nullptr;
    m_sectionIndex = m_borderMaskIndex = m_patternIndex = m_hotPatternIndex = -1;
    m_faceStale = true;
}

TsSkinManager* TsCommonData::SkinManager() const {
    return m_explicitManager ? m_explicitManager : DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
    TsSkinManager* stored = manager == DefaultManager() ? nullptr : manager;
    if (stored == m_explicitManager) return;
    if (m_explicitManager) m_explicitManager->RemoveClient(this);
    m_explicitManager = stored;
    if (m_explicitManager) m_explicitManager->AddClient(this);
    if (m_control && m_control->IsLoading()) return;
    if (HasSections(SkinManager()))
        ResolveIndexes();
    else
        m_sectionIndex = -1;
    NotifyOwnerOfSkin(true);
}

void TsCommonData::SetSkinSection(const std::string& section) {
    const std::string value = section.empty() ? std::string("UNKNOWN") : AnsiUpperCase(section);
    if (value == m_skinSection) return;
    m_skinSection = value;
    if (HasSections(SkinManager()))
        ResolveIndexes();
    else
        m_sectionIndex = -1;
    if (m_control) {
        if (!ControlIsBusy() && m_control->Parent()) NotifyOwnerOfSkin(false);
    } else if (m_frameOwner) {
        m_faceStale = true;
        m_frameOwner->FreeFrameCache();
    }
}

void TsCommonData::SetCustomColor(bool value) {
    if (value == m_customColor) return;
    m_customColor = value;
    if (m_control && IsEditLike() && Skinned() && !m_control->IsLoading()) TakeSectionColors();
    Invalidate();
}

void TsCommonData::SetCustomFont(bool value) {
    m_customFont = value;
    Invalidate();
}

void TsCommonData::NotifyOwnerOfSkin(bool swallowErrors) {
    TsSkinManager* manager = SkinManager();
    const std::uint16_t code = HasSections(manager) && Skinned() ? cmdSkinApplied : cmdSkinRemoved;
    if (m_frameOwner) {
        TMessage m = SkinCommandMessage::Make(code, LParamFromPointer(manager));
        m_frameOwner->FrameSkinCommand(m);
        return;
    }
    if (!m_control || !m_control->Parent() || m_control->IsDestroying()) return;
    TMessage m = SkinCommandMessage::Make(code, LParamFromPointer(manager));
    if (!swallowErrors) {
        m_control->PerformMessage(m);
        return;
    }
    try {
        m_control->PerformMessage(m);
    } catch (const std::exception&) {
        // A control's failure to take the new manager must not fail the assignment.
    }
}

// ---------------------------------------------------------------- indexes and defaults

void TsCommonData::ResolveIndexes() {
    m_faceStale = true;
    const TsSkinManager* manager = SkinManager();
    m_sectionIndex = manager ? manager->GetSkinIndex(m_skinSection) : -1;
    if (m_sectionIndex < 0) {
        m_patternIndex = -1;
        m_hotPatternIndex = -1;
        return;
    }
    m_borderMaskIndex = manager->GetMaskIndex(m_sectionIndex, m_skinSection, "BORDERSMASK");
    m_patternIndex = manager->GetTextureIndex(m_sectionIndex, m_skinSection, "PATTERN");
    m_hotPatternIndex = manager->GetTextureIndex(m_sectionIndex, m_skinSection, "HOTPATTERN");
}

void TsCommonData::ChooseDefaultSection() {
    if (!m_skinSection.empty()) {
        ResolveIndexes();
        return;
    }
    std::string className;
    if (m_control)
        className = m_control->ClassName();
    else if (const auto* object = dynamic_cast<const TObject*>(m_frameOwner))
        className = object->ClassName();
    SetSkinSection(DefaultSectionForKind(m_kindCode, className));
}

void TsCommonData::ApplyDefaults() {
    ChooseDefaultSection();
    // The toolkit draws no visual themes, so an unskinned control has no theme style to drop.
    if (!Skinned() || !m_control || !m_control->Parent() || m_control->IsLoading()) return;
    if (m_control->IsWindowed()) AnnounceToForm();
    if (IsEditLike()) TakeSectionColors();
}

bool TsCommonData::IsEditLike() const {
    return dynamic_cast<const TCustomEdit*>(m_control) != nullptr || m_kindCode == KindCode::EditLike;
}

void TsCommonData::TakeSectionColors() {
    if (!m_control || !Skinned()) return;
    const TsGeneralData& section = SkinManager()->Model().GeneralData[std::size_t(m_sectionIndex)];
    if (!m_customColor && m_control->Color() != section.Color) m_control->SetColor(section.Color);
    const TColor fontColor = TColor(section.FontColor[0]);
    if (!m_customFont && m_control->Font().Color() != fontColor)
        m_control->ChangeFont([fontColor](TFont& f) { f.SetColor(fontColor); });
}

void TsCommonData::AnnounceToForm() {
    if (!m_control) return;
    TCustomForm* form = m_control->ParentForm();
    if (form && form != m_control) SendSkinCommand(form, cmdControlSkinned, LParamFromPointer(m_control));
}

// ---------------------------------------------------------------- state questions

bool TsCommonData::OwnerIsDestroying() const {
    if (m_control) return m_control->IsDestroying();
    if (m_frameOwner) return m_frameOwner->IsFrameOwnerDestroying();
    return true;
}

bool TsCommonData::ControlIsBusy() const {
    return m_control && (m_control->IsLoading() || m_control->IsReading() || m_control->IsDestroying());
}

bool TsCommonData::Skinned(bool requireActiveSkin) const {
    if (OwnerIsDestroying()) return false;
    const TsSkinManager* manager = SkinManager();
    if (!manager || manager->IsDestroying()) return false;
    if (requireActiveSkin && !HasActiveSkin(manager)) return false;
    return m_sectionIndex >= 0 && std::size_t(m_sectionIndex) < manager->Model().GeneralData.size();
}

bool TsCommonData::IsUpdating() const {
    if (!HasActiveSkin(SkinManager())) return true;
    if (m_inUpdate) return true;
    if (!m_control) return false;
    TWinControl* parent = m_control->Parent();
    if (!parent) return true;
    if (parent->IsDestroying()) return false;
    return AskControl(parent, cmdIsInUpdate);
}

bool TsCommonData::IsHot() const {
    if (!m_control || m_control->IsDestroying() || !m_control->Enabled() || m_control->IsDesigning())
        return false;
    if (m_hasFocus) return true;
    if (const TWinControl* windowed = AsWindowed(m_control); windowed && windowed->Focused()) return true;
    return m_mouseOver && !IsNoHoverKind(m_kindCode);
}

bool TsCommonData::BgIsPatterned() const {
    if (!Skinned()) return true;
    if (!m_control || !m_control->Visible() || m_control->IsCreating()) return true;
    const auto& sections = SkinManager()->Model().GeneralData;
    if (m_sectionIndex < 0 || std::size_t(m_sectionIndex) >= sections.size()) return false;
    if (m_control->Enabled() && sections[std::size_t(m_sectionIndex)].Transparency <= 0) return false;
    TWinControl* parent = m_control->Parent();
    if (parent && parent->HandleAllocated()) return AskControl(parent, cmdBgIsPatterned);
    return true;
}

// ---------------------------------------------------------------- face and updates

void TsCommonData::PrepareFace() {
    if (!m_faceBitmap) m_faceBitmap = std::make_unique<TBitmap>();
    m_faceBitmap->SetPixelFormat(TPixelFormat::pf24bit);
    if (!m_control) return;
    const int width = std::max(m_control->Width(), 0);
    const int height = std::max(m_control->Height(), 0);
    if (m_faceBitmap->Width() != width || m_faceBitmap->Height() != height)
        m_faceBitmap->SetSize(width, height);
}

void TsCommonData::Invalidate() {
    if (!m_control) {
        m_faceStale = true;
        return;
    }
    if (m_control->IsDestroying() || m_control->IsLoading()) return;
    m_faceStale = true;
    const TWinControl* windowed = AsWindowed(m_control);
    const bool canPaint = !(windowed && !windowed->HandleAllocated()) && !m_control->IsCreating() &&
                          !ControlIsBusy() && m_control->Parent();
    if (canPaint) m_control->Invalidate();
}

void TsCommonData::BeginUpdate() {
    m_inUpdate = true;
    if (m_frameOwner)
        SendSkinCommand(m_frameOwner->FrameForm(), cmdBeginUpdate);
    else
        SendSkinCommand(m_control, cmdBeginUpdate);
}

void TsCommonData::EndUpdate() {
    m_inUpdate = false;
    if (m_frameOwner)
        SendSkinCommand(m_frameOwner->FrameForm(), cmdEndUpdate);
    else
        SendSkinCommand(m_control, cmdEndUpdate);
}

ParentBackground TsCommonData::GetParentFace() const {
    FaceAnswer().Ready = false;
    TControl* parent = m_control ? m_control->Parent() : nullptr;
    if (!parent) return {};
    try {
        QuerySkinCommand(parent, cmdGetFace);
    } catch (const std::exception&) {
        return {};
    }
    return FaceAnswer().Ready ? FaceAnswer() : ParentBackground{};
}

// ---------------------------------------------------------------- skin commands

void TsCommonData::SkinCommand(TWMSkinCommand& command) {
    TMessage& m = command;
    switch (command.Code) {
    case cmdSkinLoaded:
        OnSkinLoaded(SkinCommandMessage::ObjectAs<TsSkinManager>(m));
        break;
    case cmdSkinRemoved:
        OnSkinRemoved(SkinCommandMessage::ObjectAs<TsSkinManager>(m));
        break;
    case cmdSkinApplied:
        OnSkinApplied(SkinCommandMessage::ObjectAs<TsSkinManager>(m));
        break;
    case cmdGetFace:
        // A control whose section the skin lacks paints natively and has no face to offer:
        // its bitmap still holds whatever the last skin painted, or nothing at all.
        if (m_faceBitmap && Skinned()) {
            FaceAnswer() = ParentBackground{m_faceBitmap.get(), 0, 0, true};
            SkinCommandMessage::AnswerResult(m, 1);
        }
        break;
    case cmdIsSkinAware:
        SkinCommandMessage::Answer(m, 1);
        break;
    case cmdSetInUpdate:
        m_inUpdate = SkinCommandMessage::Small(m) == 1;
        break;
    case cmdIsInUpdate:
        // The face of a control that paints natively is never rebuilt, so it stays stale;
        // its children must not wait for it.
        SkinCommandMessage::Answer(m, (m_faceStale && Skinned()) || IsUpdating() ? 1 : 0);
        break;
    case cmdIsPartlyHidden:
        SkinCommandMessage::Answer(m, m_partlyHidden ? 1 : 0);
        break;
    case cmdSetAnimatedChild:
        m_animatedChild = SkinCommandMessage::ObjectAs<TControl>(m);
        break;
    case cmdBgIsPatterned:
        if (m_sectionIndex >= 0 && Skinned()) SkinCommandMessage::Answer(m, AnswerBgIsPatterned());
        break;
    case cmdParentBgChanged:
        OnParentBgChanged(SkinCommandMessage::Small(m) == 1);
        break;
    case cmdGetBgColor:
        ComputeBgColor();
        SkinCommandMessage::AnswerResult(m, 1);
        break;
    case cmdSetPartlyHidden:
        m_partlyHidden = true;
        break;
    default:
        break;
    }
}

void TsCommonData::OnSkinLoaded(TsSkinManager* manager) {
    if (manager != SkinManager()) return;
    m_inUpdate = true;
    ResolveIndexes();
    SetAnnouncingSkin(false);
}

void TsCommonData::OnSkinRemoved(TsSkinManager* manager) {
    if (manager != SkinManager()) return;
    if (manager && manager->IsDestroying() && manager == m_explicitManager) {
        m_explicitManager->RemoveClient(this);
        m_explicitManager = nullptr;
    }
    m_sectionIndex = m_borderMaskIndex = m_patternIndex = m_hotPatternIndex = -1;
    m_inUpdate = true;
    if (m_faceBitmap) m_faceBitmap->SetSize(0, 0);
    if (m_control && IsEditLike()) {
        if (!m_customColor) m_control->SetColor(clWindow);
        if (!m_customFont) m_control->ChangeFont([](TFont& f) { f.SetColor(clWindowText); });
    }
}

void TsCommonData::OnSkinApplied(TsSkinManager* manager) {
    if (manager != SkinManager()) return;
    m_faceStale = true;
    m_inUpdate = false;
    if (!Skinned()) return;
    if (IsEditLike()) TakeSectionColors();
    if (m_control && m_control->IsWindowed()) AnnounceToForm();
}

TLParam TsCommonData::AnswerBgIsPatterned() {
    const TsGeneralData& section = SkinManager()->Model().GeneralData[std::size_t(m_sectionIndex)];
    TWinControl* parent = m_control ? m_control->Parent() : nullptr;
    if (section.Transparency == 100 && parent) return AskControl(parent, cmdBgIsPatterned) ? 1 : 0;
    return section.GradientPercent + section.ImagePercent > 0 || BgIsPatterned() ? 1 : 0;
}

void TsCommonData::OnParentBgChanged(bool redrawWindow) {
    const bool patterned = BgIsPatterned();
    if (patterned) m_faceStale = true;
    TWinControl* windowed = AsWindowed(m_control);
    if (!windowed) return;
    if (redrawWindow) windowed->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
    if (!patterned) return;
    // A child may leave the list while it handles the notice, so walk a copy.
    const std::vector<TControl*> children = windowed->ControlList();
    for (TControl* child : children)
        if (!child->IsDestroying()) QuerySkinCommand(child, cmdParentBgChanged);
}

void TsCommonData::ComputeBgColor() {
    if (!m_control) return;
    const TColor own = ColorToRGB(m_control->Color());
    if (!Skinned()) {
        SetParentFillColor(own);
        return;
    }
    const TsGeneralData& section = SkinManager()->Model().GeneralData[std::size_t(m_sectionIndex)];
    const int transparency = std::clamp(section.Transparency, 0, 100);
    const TColor colour = ColorToRGB(section.Color);
    if (transparency == 0) {
        SetParentFillColor(m_customColor ? own : colour);
        return;
    }
    // The colour behind this control: what the parent answers, else the parent's own colour.
    TColor behind = own;
    if (TWinControl* parent = m_control->Parent()) {
        SetParentFillColor(clFuchsia);
        QuerySkinCommand(parent, cmdGetBgColor);
        behind = IsKnownColor(ParentFillColor()) ? ParentFillColor() : ColorToRGB(parent->Color());
    }
    if (transparency == 100) {
        SetParentFillColor(behind);
        return;
    }
    // The percentage weighs out of 256, as the skins were made for.
    auto mix = [transparency](int p, int o) { return ClampChannel((transparency * (p - o) + o * 256) >> 8); };
    SetParentFillColor(MakeColor(mix(GetRValue(behind), GetRValue(colour)),
                                 mix(GetGValue(behind), GetGValue(colour)),
                                 mix(GetBValue(behind), GetBValue(colour))));
}

// ---------------------------------------------------------------- window messages

bool TsCommonData::HandleMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SKINCOMMAND: {
        TWMSkinCommand command(m);
        SkinCommand(command);
        break;
    }
    case WM_MOVE:
        Moved();
        break;
    case WM_SIZE:
        Resized();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusChanged(m.Msg == WM_SETFOCUS);
        break;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED:
        ForgetFocusAndPointer();
        break;
    case WM_UPDATEUISTATE:
        return SwallowsUIState();
    case WM_PARENTNOTIFY:
        if (LoWord(m.WParam) == WM_PARENTNOTIFY_CREATE) ChildCreated();
        break;
    case CM_VISIBLECHANGED:
        VisibilityChanged(m.WParam == 1);
        break;
    case CM_MOUSEENTER:
        MouseEntered(PointerFromLParam<TControl>(m.LParam));
        break;
    case CM_MOUSELEAVE:
        MouseLeft();
        break;
    default:
        break;
    }
    return false;
}

void TsCommonData::Moved() {
    if (m_control && BgIsPatterned()) SendSkinCommand(m_control, cmdParentBgChanged, 0, 1);
}

void TsCommonData::Resized() {
    if (!Skinned()) return;
    m_faceStale = true;
    TWinControl* windowed = AsWindowed(m_control);
    if (!windowed || SkinManager()->Model().GeneralData[std::size_t(m_sectionIndex)].GradientPercent < 1)
        return;
    const std::vector<TControl*> children = windowed->ControlList();
    for (TControl* child : children) {
        const TAnchors anchors = child->Anchors();
        if (child->IsDestroying() || anchors.Has(TAnchorKind::akRight) || anchors.Has(TAnchorKind::akBottom))
            continue;
        QuerySkinCommand(child, cmdParentBgChanged, 0, 1);
    }
}

void TsCommonData::FocusChanged(bool focused) {
    TWinControl* windowed = AsWindowed(m_control);
    if (windowed && windowed->CanFocus() && windowed->TabStop()) {
        m_faceStale = true;
        m_hasFocus = focused;
    }
}

void TsCommonData::ForgetFocusAndPointer() {
    m_hasFocus = false;
    m_mouseOver = false;
}

void TsCommonData::VisibilityChanged(bool visible) {
    if (visible)
        m_faceStale = true;
    else if (m_faceBitmap)
        m_faceBitmap->SetSize(0, 0);
}

void TsCommonData::MouseLeft() {
    if (m_control && m_control->IsDesigning()) return;
    if (!IsNoHoverKind(m_kindCode)) m_mouseOver = false;
}

void TsCommonData::MouseEntered(const TControl* entered) {
    if (!m_control || m_control->IsDesigning()) return;
    TWinControl* windowed = AsWindowed(m_control);
    TsSkinManager* defaultManager = DefaultManager();
    if (windowed && defaultManager) {
        const std::vector<TControl*> children = windowed->ControlList();
        for (TControl* child : children) {
            if (child == entered || child->IsDestroying()) continue;
            auto* skinned = dynamic_cast<TsSkinnedControl*>(child);
            if (!skinned) continue;
            const TsCommonData& data = skinned->SkinData();
            const bool speedButton = data.KindCode() == KindCode::SpeedButton || data.KindCode() == 95;
            if (speedButton && data.MouseOver()) child->Perform(CM_MOUSELEAVE);
        }
    }
    if (!IsNoHoverKind(m_kindCode)) m_mouseOver = true;
    if (windowed && defaultManager) defaultManager->HoverNotice(m_control);
}
