#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TCustomControl.h"
#include "platform/toolkit/TGraphicControl.h"
#include "platform/toolkit/ToolkitTestSupport.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "render/TsSkinnedControl.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

// A section record with the given name and the defaults of the model.
inline TsGeneralData MakeSection(const std::string& name) {
    TsGeneralData section;
    section.ClassName = name;
    return section;
}

// A windowed control that carries a binding the way skinned controls do: the binding sees
// every message first. Tests hook the skin commands it receives.
class TTestSkinned : public TCustomControl, public TsSkinnedControl {
public:
    TTestSkinned(TComponent* owner, std::int32_t kind)
        : TCustomControl(owner), m_binding(this, TsCreateFace::Yes) {
        m_binding.SetKindCode(kind);
    }
    ~TTestSkinned() override { MarkDestroying(); }
    TsCommonData& SkinData() override { return m_binding; }
    TsCommonData& Binding() { return m_binding; }

    // Called for every skin command after the binding; may set the message's Result.
    std::function<void(TMessage&)> OnSkinCommand;
    std::vector<std::uint16_t> Commands; // every skin command received, in order
    int Paints = 0;

protected:
    void WndProc(TMessage& m) override {
        const bool handled = m_binding.HandleMessage(m);
        if (SkinCommandMessage::Is(m)) {
            Commands.push_back(SkinCommandMessage::Code(m));
            if (OnSkinCommand) OnSkinCommand(m);
            return;
        }
        if (!handled) TCustomControl::WndProc(m);
    }
    void Paint(TCanvas&) override { ++Paints; }

private:
    TsCommonData m_binding;
};

// The same for a windowless control.
class TTestSkinnedGraphic : public TGraphicControl, public TsSkinnedControl {
public:
    TTestSkinnedGraphic(TComponent* owner, std::int32_t kind)
        : TGraphicControl(owner), m_binding(this, TsCreateFace::Yes) {
        m_binding.SetKindCode(kind);
    }
    ~TTestSkinnedGraphic() override { MarkDestroying(); }
    TsCommonData& SkinData() override { return m_binding; }
    TsCommonData& Binding() { return m_binding; }

    std::function<void(TMessage&)> OnSkinCommand;
    std::function<void(TCanvas&)> OnPaint;
    std::vector<std::uint16_t> Commands;

protected:
    void WndProc(TMessage& m) override {
        const bool handled = m_binding.HandleMessage(m);
        if (SkinCommandMessage::Is(m)) {
            Commands.push_back(SkinCommandMessage::Code(m));
            if (OnSkinCommand) OnSkinCommand(m);
            return;
        }
        if (!handled) TGraphicControl::WndProc(m);
    }
    void Paint(TCanvas& canvas) override {
        if (OnPaint) OnPaint(canvas);
    }

private:
    TsCommonData m_binding;
};

// A toolkit application on the fake backend with one skin manager (the default one) whose
// model the test fills with sections, and a shown form to put controls on.
class BindingTest : public ToolkitTest {
protected:
    BindingTest() {
        SetDefaultManager(nullptr);
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        form_ = MakeForm(400, 300);
        form_->Show();
        Pump();
    }
    ~BindingTest() override {
        delete form_;
        manager_.reset();
        SetGlobalButtonEvents(15);
    }

    // Adds a section to the manager's skin and marks the skin loaded; returns the section.
    TsGeneralData& AddSection(const std::string& name, TsSkinManager* manager = nullptr) {
        TsSkinModel& model = (manager ? manager : manager_.get())->Model();
        model.GeneralData.push_back(MakeSection(name));
        model.SkinData.Ready = true;
        return model.GeneralData.back();
    }
    // The section of that name (take references only after the last AddSection: adding moves them).
    TsGeneralData& Section(const std::string& name) {
        return manager_->Model().GeneralData.at(std::size_t(manager_->GetSkinIndex(name)));
    }

    template <class T>
    T* Add(std::int32_t kind, TWinControl* parent, TRect bounds, const std::string& section) {
        auto* control = new T(form_, kind);
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        control->SetParent(parent);
        if (!section.empty()) control->Binding().SetSkinSection(section);
        return control;
    }

    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
};
