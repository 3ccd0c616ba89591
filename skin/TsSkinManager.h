#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/TStringList.h"
#include "platform/toolkit/TComponent.h"
#include "skin/TacManagerSettings.h"
#include "skin/TsManagerClient.h"
#include "skin/TsSkinModel.h"
#include "skin/TsStoredSkins.h"

class TControl;
class TCustomForm;
class TWinControl;
class TacSkinConvertor;
class TacSkinOptions;
class TsSharedSkinSource;
struct TsSkinSource;

// The non-visual component that owns one loaded skin: it finds a skin by name (a package
// or a skin folder in its skin directory, or one of its stored skins), loads it into its
// model, recolours it by HueOffset and Saturation, and announces the change to every bound
// control and form through the skin command message.
//
// The search order for a name: the package "<SkinDirectory>/<name>.mvz", the skin folder
// "<resolved directory>/<name>/", the stored skin of that exact name, the first stored skin
// (whose name then becomes SkinName). Without any, the manager turns itself inactive.
class TsSkinManager : public TComponent {
public:
    static constexpr const char* ComponentVersion = "5.47";

    explicit TsSkinManager(TComponent* owner);
    ~TsSkinManager() override;

    std::string ClassName() const override { return "TsSkinManager"; }

    // --- published properties ---
    bool SkinnedPopups() const { return m_skinnedPopups; }
    void SetSkinnedPopups(bool value);
    TacAnimEffects& AnimEffects() { return m_animEffects; }
    const TacAnimEffects& AnimEffects() const { return m_animEffects; }
    bool IsDefault() const;
    void SetIsDefault(bool value);
    bool Active() const { return m_active; }
    void SetActive(bool value);
    const TStringList& CommonSections() const { return m_commonSections; }
    void SetCommonSections(const TStringList& lines);
    std::int32_t Saturation() const { return m_saturation; }
    void SetSaturation(std::int32_t value);
    std::int32_t HueOffset() const { return m_hueOffset; }
    void SetHueOffset(std::int32_t value);
    TsStoredSkins& InternalSkins() { return m_internalSkins; }
    const TsStoredSkins& InternalSkins() const { return m_internalSkins; }
    TacMenuSupport& MenuSupport() { return m_menuSupport; }
    const std::string& SkinDirectory() const { return m_skinDirectory; }
    void SetSkinDirectory(const std::string& directory);
    const std::string& SkinName() const { return m_skinName; }
    void SetSkinName(const std::string& name);
    // "N/A" without a loaded skin, else its version ("5.41"). Writing has no effect.
    std::string SkinInfo() const;
    void SetSkinInfo(const std::string&) {}
    TacSkinningRules SkinningRules() const { return m_skinningRules; }
    void SetSkinningRules(TacSkinningRules rules) { m_skinningRules = rules; }
    ThirdPartyList& ThirdParty() { return m_thirdParty; }
    const ThirdPartyList& ThirdParty() const { return m_thirdParty; }
    std::string Version() const { return ComponentVersion; }
    void SetVersion(const std::string&) {}

    TNotifyEvent OnAfterChange;  // after a load by SkinName
    TNotifyEvent OnBeforeChange; // before a load by SkinName

    // --- the loaded skin ---
    const TsSkinModel& Model() const { return m_model; }
    TsSkinModel& Model() { return m_model; }
    const TsSkinData& SkinData() const { return m_model.SkinData; }
    const TsCommonIndexes& CommonIndexes() const { return m_model.CommonIndexes; }
    // True while the skin's images come from a package (file or stored skin).
    bool IsPackage() const { return m_isPackage; }
    // The resolved skin directory (no separator at its end).
    std::string ResolvedSkinDirectory() const;

    // Lookups of the loaded skin (see TsSkinModel).
    int GetSkinIndex(std::string_view section) const { return m_model.GetSkinIndex(section); }
    int GetMaskIndex(int sectionIndex, std::string_view section, std::string_view key) const {
        return m_model.GetMaskIndex(sectionIndex, section, key);
    }
    int GetTextureIndex(int sectionIndex, std::string_view section, std::string_view key) const {
        return m_model.GetTextureIndex(sectionIndex, section, key);
    }
    int GetExternalImageIndex(int sectionIndex, std::string_view section, std::string_view key) const {
        return m_model.GetExternalImageIndex(sectionIndex, section, key);
    }
    int FindMaskEntry(std::string_view section, std::string_view key) const {
        return m_model.FindMaskEntry(section, key);
    }
    int MaskWidthLeft(int maskIndex) const { return m_model.MaskWidthLeft(maskIndex); }
    int MaskWidthTop(int maskIndex) const { return m_model.MaskWidthTop(maskIndex); }
    int MaskWidthRight(int maskIndex) const { return m_model.MaskWidthRight(maskIndex); }
    int MaskWidthBottom(int maskIndex) const { return m_model.MaskWidthBottom(maskIndex); }
    TPoint GetMaskSize(int maskIndex) const { return m_model.GetMaskSize(maskIndex); }
    TColor GlobalColor() const { return m_model.GlobalColor(); }
    TColor GlobalFontColor() const { return m_model.GlobalFontColor(); }
    TColor GlobalHotColor() const { return m_model.GlobalHotColor(); }

    // --- operations ---
    // Lists the loadable skins into the target, sorted with letter case not counting,
    // duplicates kept: kind 0 folders, 1 packages, 2 both, anything else neither; stored
    // skins always. Returns the first name found (before sorting).
    std::string GetSkinNames(TStringList& target, int kind) const;
    // Tells the previous hover control (code 30) and the new one (code 29) when it changes.
    void HoverNotice(TControl* control);
    TControl* HoverControl() const { return m_hover; }

    // Sends the skin command (code in the high word of WParam, LParam this manager) to every
    // form of the application and its controls: forms last created first; windowed controls
    // that answer cmdIsSkinAware get it through the window system and pass it on themselves;
    // other windowed controls only have their children walked; windowless controls get it by
    // direct dispatch. Then the forms whose frames frame skinning took over and that the
    // first step did not reach get it the same way. Exceptions from handlers are swallowed.
    void Broadcast(std::uint16_t code);

    // Clients that name this manager; each is told when the manager is destroyed.
    void AddClient(TsManagerClient* client);
    void RemoveClient(TsManagerClient* client);

    void Loaded() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void LoadByName();
    // Loads the current SkinName from its source into the model (no announcement).
    void LoadFromSource();
    bool LoadPackageFile(const std::string& path);
    void LoadFolderOrStoredSkin();
    void RunLoader(const TsSkinSource& source);
    void Announce();
    void AnnounceRepaint();
    void Deactivate();
    void Reload();
    // The window hook of frame skinning: on with the default manager's first active skin,
    // off when that skin goes.
    void InstallFrameHook();
    void RemoveFrameHook();
    // The visible top-level forms whose frames wear this manager's skin.
    std::vector<TCustomForm*> FramedForms() const;
    // Those and the visible forms of the clients that name this manager: the forms a skin
    // change of this manager repaints.
    std::vector<TCustomForm*> FormsShowingSkin() const;
    bool FormDataBeingRead() const { return IsReading() || IsLoading(); }

    TsSkinModel m_model;
    // What the loaded skin's file or folder gave, shared with the other managers wearing it.
    std::shared_ptr<TsSharedSkinSource> m_source;
    bool m_isPackage = false;
    bool m_skinnedPopups = true;
    TacAnimEffects m_animEffects;
    bool m_active = true;
    TStringList m_commonSections;
    std::int32_t m_saturation = 0;
    std::int32_t m_hueOffset = 0;
    TsStoredSkins m_internalSkins;
    TacMenuSupport m_menuSupport;
    std::string m_skinDirectory;
    std::string m_skinName;
    TacSkinningRules m_skinningRules{TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs,
                                     TacSkinningRule::srThirdParty};
    ThirdPartyList m_thirdParty;
    TControl* m_hover = nullptr;
    bool m_frameHookInstalled = false;
    std::vector<TsManagerClient*> m_clients;
};

// The skin directory a new manager starts with.
inline constexpr const char* DefaultSkinDirectory = "c:\\Skins";
