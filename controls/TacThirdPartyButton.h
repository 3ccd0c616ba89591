#pragma once

#include <optional>

#include "controls/TacControlAdapter.h"
#include "platform/graphics/TRegion.h"
#include "render/TsCommonData.h"

class TButton;
class TCanvas;
class TsSkinManager;

// A standard push button (TButton) on a skinned form, painted as the skinned push button
// paints: the face of the skin's "BUTTON" section for its state (normal, hot under the pointer
// or as the dialog's active default, pressed), with the focus frame and the disabled look, and
// the window cut to the border mask so that the form's face shows in the key-coloured corners.
// The button keeps its whole behaviour. Without a usable skin, and after the adapter goes, it
// paints as the platform button again.
class TacThirdPartyButton : public TacControlAdapter {
public:
    // The binding follows the manager given (null: the default manager).
    TacThirdPartyButton(TButton& button, TsSkinManager* manager);
    ~TacThirdPartyButton() override;
    std::string ClassName() const override { return "TacThirdPartyButton"; }

    TsCommonData& SkinData() { return m_binding; }
    // The face state the button would paint now: 0 normal, 1 hot, 2 pressed.
    int FaceState() const;

protected:
    void AdapterProc(TMessage& message) override;

private:
    TButton* Button() const;
    bool SkinnedNow() const;
    void HandleSkinCommand(TMessage& message);
    void PaintSkinned(TCanvas& canvas);
    // What the face shows beyond the binding's own state; a change asks for a repaint.
    int LookKey() const;
    void RepaintIfLookChanged();
    void RestorePlainLook();

    TsCommonData m_binding;
    int m_shownLook = -1;
    // Right after taking over the window has no shape yet; the first one is set with a redraw.
    bool m_shaped = false;
};
