#pragma once

#include <type_traits>
#include <utility>

#include "platform/toolkit/MessageRecords.h"
#include "platform/toolkit/TWinControl.h"
#include "render/TsCommonData.h"
#include "render/TsSkinnedControl.h"

// Every skinned control derives from TsSkinned<its toolkit base>. It owns the control's
// binding (SkinData) and overrides the typed handlers of the messages that change a face:
// each does the binding's part (the named methods of TsCommonData) and then passes the
// message on to the base class. A control adds its own work by overriding the same handler
// and calling the TsSkinned version where the binding and the base are to see the message.
template <class TBase> class TsSkinnedHandlers : public TBase, public TsSkinnedControl {
public:
    template <class... TArgs>
    explicit TsSkinnedHandlers(TArgs&&... args)
        : TBase(std::forward<TArgs>(args)...), m_skinData(this, TsCreateFace::Yes) {}

    TsCommonData& SkinData() override { return m_skinData; }
    const TsCommonData& SkinData() const { return m_skinData; }

protected:
    void WMSkinCommand(TWMSkinCommand& m) override {
        m_skinData.SkinCommand(m);
        TBase::WMSkinCommand(m);
    }
    void WMMove(TWMMove& m) override {
        m_skinData.Moved();
        TBase::WMMove(m);
    }
    void WMSize(TWMSize& m) override {
        m_skinData.Resized();
        TBase::WMSize(m);
    }
    void CMEnabledChanged(TWMNoParams& m) override {
        m_skinData.ForgetFocusAndPointer();
        TBase::CMEnabledChanged(m);
    }
    void CMVisibleChanged(TCMVisibleChanged& m) override {
        m_skinData.VisibilityChanged(m.Message.WParam == 1);
        TBase::CMVisibleChanged(m);
    }
    void CMMouseEnter(TCMMouseEnter& m) override {
        m_skinData.MouseEntered(m.Child);
        TBase::CMMouseEnter(m);
    }
    void CMMouseLeave(TCMMouseLeave& m) override {
        m_skinData.MouseLeft();
        TBase::CMMouseLeave(m);
    }
    // The binding's messages that the toolkit has no typed handler for.
    void OtherMessage(TMessage& m) override {
        switch (m.Msg) {
        case WM_FONTCHANGE:
            m_skinData.ForgetFocusAndPointer();
            break;
        case WM_UPDATEUISTATE:
            if (m_skinData.SwallowsUIState()) return;
            break;
        case WM_PARENTNOTIFY:
            if (LoWord(m.WParam) == WM_PARENTNOTIFY_CREATE) m_skinData.ChildCreated();
            break;
        default:
            break;
        }
        TBase::OtherMessage(m);
    }

    TsCommonData m_skinData;
};

template <class TBase, bool Windowed = std::is_base_of_v<TWinControl, TBase>>
class TsSkinned : public TsSkinnedHandlers<TBase> {
public:
    using TsSkinnedHandlers<TBase>::TsSkinnedHandlers;
};

// A windowed control's binding also follows its focus.
template <class TBase> class TsSkinned<TBase, true> : public TsSkinnedHandlers<TBase> {
public:
    using TsSkinnedHandlers<TBase>::TsSkinnedHandlers;

protected:
    void WMSetFocus(TWMFocus& m) override {
        this->m_skinData.FocusChanged(true);
        TBase::WMSetFocus(m);
    }
    void WMKillFocus(TWMFocus& m) override {
        this->m_skinData.FocusChanged(false);
        TBase::WMKillFocus(m);
    }
};
