#pragma once

#include <vector>

#include "platform/toolkit/CBTHook.h"
#include "skin/TsFrameSkinning.h"

class TacProvider;
class TCustomForm;
class TsSkinProvider;

// Frame skinning for the whole program: while the default manager has an active skin, a
// window hook attaches a frame provider (TacProvider, which makes a TsSkinProvider) to each
// form at its activation, following the default manager's SkinningRules: ordinary forms with
// srStdForms unless their Tag is -98, message boxes (TMessageForm) with srStdDialogs. The
// adapter list holds what the hook attached; removing the hook frees them all.
class TacFrameSkinning : public TsFrameSkinning {
public:
    // A form with this Tag is never skinned by the hook.
    static constexpr int UnskinnedTag = -98;

    static TacFrameSkinning& Instance();
    // Makes the skin managers use frame skinning (called once at start-up).
    static void Register();

    void Install() override;
    void Remove() override;
    bool Installed() const override { return m_hook != 0; }
    std::vector<TCustomForm*> Forms() const override;
    TsSkinManager* FrameManager(const TCustomForm& form) const override;

    // The frame provider of a form (attached by the hook or not), or null.
    static TsSkinProvider* ProviderOf(const TCustomForm& form);
    // A provider leaves the list when it is freed.
    void Forget(TacProvider* provider);
    const std::vector<TacProvider*>& Adapters() const { return m_adapters; }

private:
    TLResult HookProc(int code, THandle wnd, TLParam lParam);
    void Attach(THandle wnd);
    void Detach(THandle wnd);

    THookHandle m_hook = 0;
    std::vector<TacProvider*> m_adapters;
};
