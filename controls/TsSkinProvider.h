#pragma once

#include <string>
#include <vector>

#include "controls/FrameGeometry.h"
#include "controls/TsTitleButton.h"
#include "platform/toolkit/TComponent.h"
#include "platform/toolkit/TControl.h"
#include "render/TsCommonData.h"
#include "render/TsFrameOwner.h"

class TCanvas;
class TCustomForm;

enum class TGripMode { gmNone, gmRightBottom };
enum class TResizeMode { rmStandard, rmBorder };
enum class TCaptionAlignment { taLeftJustify, taRightJustify, taCenter };

// The frame provider of a form: it takes over the form's window procedure and paints the
// whole window from the skin — the "FORM" section over the window (only its layers for a
// form without a caption), the title section with the caption text and the title buttons
// over the skin's TITLEBUTTON image, the size grip — into one window face, from which the
// frame and the client background are copied. Children find their background in it
// (cmdGetFace). Title-button hover, press and release are handled here; the rest of the
// mouse on the frame is left to the form.
class TsSkinProvider : public TComponent, public TsFrameOwner {
public:
    // The kind code of a frame provider's binding.
    static constexpr std::int32_t KindCode = 224;

    explicit TsSkinProvider(TCustomForm* form);
    ~TsSkinProvider() override;
    std::string ClassName() const override { return "TsSkinProvider"; }

    // --- published properties ---
    TCaptionAlignment CaptionAlignment = TCaptionAlignment::taLeftJustify;
    TsCommonData& SkinData() { return m_data; }
    const TsCommonData& SkinData() const { return m_data; }
    TGripMode GripMode() const { return m_gripMode; }
    void SetGripMode(TGripMode mode);
    bool MakeSkinMenu = false;
    std::string MenuLineSkin;
    TResizeMode ResizeMode = TResizeMode::rmStandard;
    bool ScreenSnap = false;
    int SnapBuffer = 10;
    bool ShowAppIcon = true;
    std::vector<TsTitleButton> TitleButtons;
    // Empty: "FORMTITLE".
    std::string TitleSkin;
    bool UseGlobalColor = true;

    // --- state ---
    TCustomForm* Form() const { return m_form; }
    // The frame paints skinned: the form's section is valid in a manager with a loaded skin.
    bool Skinned() const;
    TFrameMetrics Metrics() const;
    std::vector<TTitleButtonPlace> TitleButtonPlaces() const;
    // State of the title button at the place index: 0 normal, 1 hot, 2 pressed.
    int TitleButtonState(int index) const;
    // Rebuilds the window face now for the form's active state.
    void RebuildFace();
    // The window's hit code for a screen point as the provider answers it (0: no answer).
    int HitTest(TPoint screen) const;

    // --- TsFrameOwner ---
    TWinControl* FrameForm() const override;
    void FreeFrameCache() override;
    void FrameSkinCommand(TMessage& message) override;
    bool IsFrameOwnerDestroying() const override { return IsDestroying(); }

private:
    void ProviderProc(TMessage& m);
    void CallPrevious(TMessage& m);
    bool HandleSkinCommand(TMessage& m);
    void PaintNonClientFace(TMessage& m);
    void PaintClientFace(TMessage& m);
    void EnsureFace();
    void PaintTitle(TBitmap& face, const TFrameMetrics& metrics, int state);
    void PaintTitleButtons(TBitmap& face, int titleIndex, const std::string& titleName);
    void PaintGrip(TBitmap& face, const TFrameMetrics& metrics);
    void PaintOwnPicture(TBitmap& face, const TFrameMetrics& metrics);
    void NonClientMouseMove(int hit);
    bool NonClientButtonDown(int hit);
    bool NonClientButtonUp(int hit);
    void RunButtonAction(const TTitleButtonPlace& button);
    int PlaceIndexForHit(int hit) const;
    void SetHot(int index);
    void RepaintFrame();
    void RepaintWhole();
    std::string TitleSectionName() const;

    TCustomForm* m_form;
    TsCommonData m_data;
    TWndMethod m_previousProc;
    TGripMode m_gripMode = TGripMode::gmNone;
    int m_hotButton = -1;
    int m_pressedButton = -1;
    bool m_pressedShown = false;
};
