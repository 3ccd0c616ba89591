// The skin manager. Sections of this file:
//   - life and properties
//   - loading (by name, package, folder or stored skin)
//   - announcing, broadcasting and deactivating
//   - skin names and hover notice
#include "skin/TsSkinManager.h"

#include "platform/toolkit/SkinCommandMessage.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ProgramPaths.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TScreen.h"
#include "platform/toolkit/TWinControl.h"
#include "skin/HueSaturation.h"
#include "skin/SkinCommands.h"
#include "skin/SkinDirectory.h"
#include "skin/SkinProcessState.h"
#include "skin/SkinStrings.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsFrameSkinning.h"
#include "skin/TsSharedSkinSource.h"
#include "skin/TsSkinImageFinder.h"
#include "skin/TsSkinLoader.h"
#include "skin/TsSkinSourceCache.h"

namespace {

// The names behind every index a binding resolves (sections, mask entries, external
// images), in order: two loads with the same layout give every control the same indexes.
std::string IndexLayout(const TsSkinModel& model) {
    std::string layout;
    for (const TsGeneralData& section : model.GeneralData)
        layout.append(section.ClassName).push_back('\n');
    layout.push_back('\0');
    for (const TsMaskData& mask : model.MaskData)
        layout.append(mask.ClassName).append(".").append(mask.PropertyName).push_back('\n');
    layout.push_back('\0');
    for (const TsPatternData& pattern : model.PatternData)
        layout.append(pattern.ClassName).append(".").append(pattern.PropertyName).push_back('\n');
    return layout;
}

// Raises LoadingSkin for its lifetime. A load that fails lowers it too, so that controls do
// not go on skipping their fades after a broken skin.
class TLoadingScope {
public:
    TLoadingScope() : m_previous(LoadingSkin()) { SetLoadingSkin(true); }
    ~TLoadingScope() { SetLoadingSkin(m_previous); }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

private:
    bool m_previous;
};

// True when the control answers cmdIsSkinAware with 1, by direct dispatch or through its
// window.
bool IsSkinAware(TControl* control) {
    TMessage message = SkinCommandMessage::Make(cmdIsSkinAware);
    control->PerformMessage(message);
    if (SkinCommandMessage::LParamAnswer(message) == 1 || message.Result == 1) return true;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed || !windowed->HandleAllocated()) return false;
    const TMessage query = SkinCommandMessage::Make(cmdIsSkinAware);
    return windowed->SendMessage(query.Msg, query.WParam, query.LParam) == 1;
}

void Deliver(TControl* control, std::uint16_t code, TLParam lParam, bool throughWindow) {
    try {
        TMessage command = SkinCommandMessage::Make(code, lParam);
        if (throughWindow)
            static_cast<TWinControl*>(control)->SendMessage(command.Msg, command.WParam, command.LParam);
        else
            control->PerformMessage(command);
    } catch (const std::exception&) {
        // A control's failure to handle a skin command must not stop the others.
    }
}

// Walks the container's children; false when a control being destroyed ended the walk.
bool WalkControls(TWinControl* container, std::uint16_t code, TLParam lParam) {
    const std::vector<TControl*> children = container->ControlList();
    for (TControl* child : children) {
        if (child->IsDestroying()) return false;
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed || !windowed->HandleAllocated()) {
            Deliver(child, code, lParam, false);
        } else if (IsSkinAware(windowed)) {
            Deliver(windowed, code, lParam, true);
        } else if (!WalkControls(windowed, code, lParam)) {
            return false;
        }
    }
    return true;
}

void SendToControl(TControl* control, std::uint16_t code, TLParam lParam) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed)
        Deliver(control, code, lParam, false);
    else if (windowed->HandleAllocated() && !windowed->IsDestroying())
        Deliver(windowed, code, lParam, true);
}

} // namespace

// ---------------------------------------------------------------- life and properties

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner), m_internalSkins(this) {
    if (!DefaultManager()) SetDefaultManager(this);
    m_animEffects.Buttons.SetManager(this);
    m_thirdParty.FillDefaults();
    m_skinDirectory = DefaultSkinDirectory;
}

TsSkinManager::~TsSkinManager() {
    if (m_active) {
        m_active = false;
        try {
            Deactivate();
        } catch (const std::exception&) {
        }
    }
    RemoveFrameHook();
    if (m_hover) m_hover->RemoveFreeNotification(this);
    if (DefaultManager() == this) SetDefaultManager(nullptr);
    const std::vector<TsManagerClient*> clients = std::move(m_clients);
    m_clients.clear();
    for (TsManagerClient* client : clients)
        client->ManagerDestroyed(*this);
}

void TsSkinManager::AddClient(TsManagerClient* client) {
    if (std::find(m_clients.begin(), m_clients.end(), client) == m_clients.end()) m_clients.push_back(client);
}

void TsSkinManager::RemoveClient(TsManagerClient* client) {
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
}

void TsSkinManager::Loaded() {
    TComponent::Loaded();
    if (m_skinDirectory.empty()) m_skinDirectory = DefaultSkinDirectory;
    if (m_menuSupport.IcoLineSkin.empty()) m_menuSupport.IcoLineSkin = "ICOLINE";
    m_thirdParty.FillDefaults();
    if (m_active && !m_skinName.empty()) Announce();
}

void TsSkinManager::SetSkinnedPopups(bool value) {
    m_skinnedPopups = value;
}

bool TsSkinManager::IsDefault() const {
    return DefaultManager() == this;
}

void TsSkinManager::SetIsDefault(bool value) {
    if (!value && DefaultManager()) return;
    SetDefaultManager(this);
    if (!m_active) {
        Deactivate();
    } else {
        Announce();
        AnnounceRepaint();
    }
}

void TsSkinManager::SetActive(bool value) {
    if (value == m_active) return;
    m_active = value;
    if (value) {
        LoadByName();
    } else {
        if (!FormDataBeingRead()) Deactivate();
        m_model.RebuildCommonIndexes();
    }
}

void TsSkinManager::SetCommonSections(const TStringList& lines) {
    m_commonSections.Clear();
    for (const std::string& line : lines) {
        std::string cleaned = line;
        if (!cleaned.empty() && cleaned.front() != ';')
            cleaned.erase(std::remove(cleaned.begin(), cleaned.end(), ' '), cleaned.end());
        m_commonSections.Add(std::move(cleaned));
    }
    SetSkinName(m_skinName);
}

void TsSkinManager::SetSaturation(std::int32_t value) {
    if (value == m_saturation) return;
    m_saturation = value;
    Reload();
}

void TsSkinManager::SetHueOffset(std::int32_t value) {
    if (value == m_hueOffset) return;
    m_hueOffset = value;
    Reload();
}

void TsSkinManager::Reload() {
    if (!m_model.SkinData.Ready) return;
    const std::string layoutBefore = IndexLayout(m_model);
    {
        TLoadingScope loading;
        LoadFromSource();
    }
    if (!m_active) {
        Deactivate();
        return;
    }
    // The skin's files may have changed since it was loaded: then the bound controls resolve
    // their sections again, as after any other load.
    if (IndexLayout(m_model) != layoutBefore)
        Announce();
    else if (!FormDataBeingRead())
        AnnounceRepaint();
}

void TsSkinManager::SetSkinDirectory(const std::string& directory) {
    if (directory == m_skinDirectory) return;
    m_skinDirectory = directory;
    m_model.SkinData.SkinPath = ResolvedSkinDirectory();
}

void TsSkinManager::SetSkinName(const std::string& name) {
    m_skinName = name;
    if (m_active) LoadByName();
}

std::string TsSkinManager::SkinInfo() const {
    return m_model.SkinData.Ready ? FloatToText(m_model.SkinData.Version) : "N/A";
}

std::string TsSkinManager::ResolvedSkinDirectory() const {
    return ResolveSkinDirectory(m_skinDirectory, ProgramFolder());
}

// ---------------------------------------------------------------- loading

void TsSkinManager::LoadByName() {
    if (OnBeforeChange) OnBeforeChange(this);
    {
        TLoadingScope loading;
        m_model.SkinData.Ready = false;
        LoadFromSource();
        if (!m_active)
            Deactivate();
        else
            Announce();
    }
    if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::LoadFromSource() {
    if (IsPlainSkinName(m_skinName)) {
        const std::string package = PackageFilePath(m_skinDirectory, m_skinName);
        if (FileExists(package) && LoadPackageFile(package)) return;
    }
    LoadFolderOrStoredSkin();
}

bool TsSkinManager::LoadPackageFile(const std::string& path) {
    // A package that vanished, had the wrong magic or holds no options entry is no skin:
    // the search goes on with the folders and stored skins.
    std::shared_ptr<TsSharedSkinSource> source = TsSkinSourceCache::Package(path);
    if (!source) return false;
    m_source = source;
    m_model.SkinData.SkinPath = ResolvedSkinDirectory() + "/";
    m_isPackage = true;
    RunLoader({&source->Options(), source->Package(), m_model.SkinData.SkinPath, &source->Images()});
    return true;
}

void TsSkinManager::LoadFolderOrStoredSkin() {
    const std::string folder = SkinFolderPath(ResolvedSkinDirectory(), m_skinName);
    if (!folder.empty()) {
        m_isPackage = false;
        std::shared_ptr<TsSharedSkinSource> source = TsSkinSourceCache::Folder(folder);
        m_source = source;
        m_model.SkinData.SkinPath = folder;
        RunLoader({&source->Options(), nullptr, folder, &source->Images()});
        return;
    }
    m_source.reset();
    m_model.SkinData.SkinPath.clear();
    // A name that could lead out of the skin directory names no skin at all.
    const TsStoredSkin* stored = IsPlainSkinName(m_skinName) ? m_internalSkins.Find(m_skinName) : nullptr;
    if (!stored) {
        if (m_internalSkins.IsEmpty()) {
            m_active = false;
            return;
        }
        stored = &m_internalSkins.Items(0);
        m_skinName = stored->Name;
    }
    if (!stored->IsPackage()) {
        m_isPackage = false;
        LoadCollectionForm(m_model, *stored, this);
        ApplyHueOffset(m_model, m_hueOffset);
        ApplySaturation(m_model, m_saturation);
        return;
    }
    TacSkinConvertor reader;
    reader.LendSource(stored->Data);
    reader.LoadPackage();
    reader.ReleaseSource();
    if (!reader.Options()) {
        // A stored skin without options text cannot be worn.
        m_model.ClearImagesAndSections();
        m_active = false;
        return;
    }
    const TacSkinOptions options = TacSkinOptions::Parse(*reader.Options());
    m_isPackage = true;
    RunLoader({&options, &reader, ""});
}

void TsSkinManager::RunLoader(const TsSkinSource& source) {
    TacSkinOptions common;
    if (!m_commonSections.IsEmpty()) common = TacSkinOptions::Parse(m_commonSections.Text());
    TsSkinLoader loader(m_model, this);
    loader.SetCommonSections(&common);
    loader.Load(source);
    ApplyHueOffset(m_model, m_hueOffset);
    ApplySaturation(m_model, m_saturation);
}

// ---------------------------------------------------------------- announcing

void TsSkinManager::Announce() {
    if (!FormDataBeingRead())
        for (TCustomForm* form : FormsShowingSkin())
            form->Perform(WM_SETREDRAW, 0);
    m_model.SkinData.Ready = false;
    SetAnnouncingSkin(true);
    m_model.RebuildCommonIndexes();
    Broadcast(cmdSkinLoaded);
    SetAnnouncingSkin(false);
    m_model.SkinData.Ready = true;
    if (IsDefault()) InstallFrameHook();
    AnnounceRepaint();
}

void TsSkinManager::AnnounceRepaint() {
    if (!IsDesigning()) Broadcast(cmdStopAnimation);
    // Forms whose frames or controls wear this skin show the change in one step: nothing of
    // them is painted until every control took the new skin, then each is redrawn once, frame
    // and children together. The platform shows no transition picture, so the change has no
    // duration.
    const std::vector<TCustomForm*> forms =
        FormDataBeingRead() ? std::vector<TCustomForm*>{} : FormsShowingSkin();
    for (TCustomForm* form : forms)
        form->Perform(WM_SETREDRAW, 0);
    Broadcast(cmdSkinApplied);
    for (TCustomForm* form : FormsShowingSkin()) {
        if (std::find(forms.begin(), forms.end(), form) == forms.end()) continue;
        form->Perform(WM_SETREDRAW, 1);
        form->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void TsSkinManager::Deactivate() {
    if (IsDefault()) RemoveFrameHook();
    m_model.SkinData.Ready = false;
    Broadcast(cmdSkinRemoved);
    m_model.ClearImagesAndSections();
    m_source.reset();
}

void TsSkinManager::InstallFrameHook() {
    TsFrameSkinning* skinning = FrameSkinning();
    if (m_frameHookInstalled || IsDesigning() || !skinning) return;
    if (!skinning->Installed()) skinning->Install();
    m_frameHookInstalled = true;
}

void TsSkinManager::RemoveFrameHook() {
    if (!m_frameHookInstalled) return;
    m_frameHookInstalled = false;
    if (TsFrameSkinning* skinning = FrameSkinning()) skinning->Remove();
}

std::vector<TCustomForm*> TsSkinManager::FramedForms() const {
    std::vector<TCustomForm*> forms;
    const TsFrameSkinning* skinning = FrameSkinning();
    if (!skinning || !Screen) return forms;
    for (TCustomForm* form : Screen->Forms())
        if (form->Visible() && !form->IsDestroying() && form->HandleAllocated() &&
            skinning->FrameManager(*form) == this)
            forms.push_back(form);
    return forms;
}

std::vector<TCustomForm*> TsSkinManager::FormsShowingSkin() const {
    std::vector<TCustomForm*> forms = FramedForms();
    for (const TsManagerClient* client : m_clients) {
        TCustomForm* form = client->ClientForm();
        if (form && form->Visible() && !form->IsDestroying() && form->HandleAllocated() &&
            std::find(forms.begin(), forms.end(), form) == forms.end())
            forms.push_back(form);
    }
    return forms;
}

void TsSkinManager::Broadcast(std::uint16_t code) {
    if (!Application) return;
    const TLParam lParam = LParamFromPointer(this);
    const std::vector<TCustomForm*> owned = Application->FormsLastToFirst();
    for (TCustomForm* form : owned) {
        // A form whose creation handler runs has all its controls loaded; a skin it chooses
        // there (its settings) must reach them, or they keep the indexes of the design skin.
        const bool designBeingRead = form->IsCreating() && !form->IsRunningCreateHandler();
        if (designBeingRead || form->IsDestroying() || IsSkinAware(form)) continue;
        SendToControl(form, code, lParam);
        WalkControls(form, code, lParam);
    }
    // Forms that frame skinning took over but the application does not own (message boxes
    // of other owners); a form the first step reached does not get the command twice.
    TsFrameSkinning* skinning = FrameSkinning();
    if (!skinning) return;
    for (TCustomForm* form : skinning->Forms()) {
        if (form->IsDestroying() || std::find(owned.begin(), owned.end(), form) != owned.end()) continue;
        SendToControl(form, code, lParam);
        WalkControls(form, code, lParam);
    }
}

// ---------------------------------------------------------------- names and hover

std::string TsSkinManager::GetSkinNames(TStringList& target, int kind) const {
    const TSkinNameList list =
        ListSkinNames(ResolvedSkinDirectory(), SkinListKindOf(kind), m_internalSkins.Names());
    target.Clear();
    for (const std::string& name : list.Names)
        target.Add(name);
    return list.FirstName;
}

void TsSkinManager::HoverNotice(TControl* control) {
    if (control == m_hover) return;
    const TLParam lParam = LParamFromPointer(this);
    if (m_hover) {
        m_hover->RemoveFreeNotification(this);
        SendToControl(m_hover, cmdMouseLeave, lParam);
    }
    m_hover = control;
    if (m_hover) {
        m_hover->FreeNotification(this);
        SendToControl(m_hover, cmdMouseEnter, lParam);
    }
}

void TsSkinManager::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_hover) m_hover = nullptr;
}
