#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "TPreviewSheetLayout.h"
#include "platform/graphics/TBitmap.h"
#include "skin/storedskins/StoredSkinPackages.h"

class TApplication;
class TForm;
class TCustomForm;
class THeadlessBackend;
class TsButton;
class TsComboBox;
class TsSkinManager;
class TWinControl;

// The program's own controls on the headless backend, wearing one skin through a default
// manager as the program wires them (frame skinning registered, labels asking the default
// manager), driven into each state of the preview sheet by virtual mouse input on the virtual
// clock. The stage form lies at the screen's origin with the sheet's size, and every control
// stands at its cell's place, so a cell's picture is the stage's pixels under it.
class TPreviewStage {
public:
    // Loads the skin (see LoadSkinIntoManager); raises TToolError when it cannot be loaded.
    TPreviewStage(const std::string& skin, std::int32_t hueOffset, std::optional<std::int32_t> saturation,
                  std::span<const TStoredSkinPackage> stored);
    ~TPreviewStage();
    TPreviewStage(const TPreviewStage&) = delete;
    TPreviewStage& operator=(const TPreviewStage&) = delete;

    // The name the manager loaded the skin under.
    const std::string& SkinName() const { return m_skinName; }

    // Paints every cell's sample into the sheet at the cell's Sample rectangle.
    void PaintSamples(TBitmap& sheet);

private:
    void BuildStage();
    void Pump();
    // Runs the loop while the virtual clock moves on by ms, firing due timers (fades) on the way.
    void RunFor(std::uint64_t ms);
    void MoveMouse(TPoint screen);
    void PressMouse(TPoint screen);
    void ReleaseMouse(TPoint screen);
    void Park();

    // The stage's pixels under the cell (screen: with popups such as an open list).
    void CopyFromStage(TBitmap& sheet, const TPreviewCell& cell, bool screen = false);
    // A window's last picture centred in the cell.
    void CopyWindow(TBitmap& sheet, const TPreviewCell& cell, const TCustomForm& form);

    void PaintStillSamples(TBitmap& sheet);
    void PaintButtonStates(TBitmap& sheet);
    void PaintOpenComboBox(TBitmap& sheet);
    void PaintDialogFrames(TBitmap& sheet);
    void PaintMessageBox(TBitmap& sheet);

    THeadlessBackend* m_backend = nullptr;
    std::unique_ptr<TApplication> m_application;
    std::unique_ptr<TsSkinManager> m_manager;
    TsSkinManager* m_previousDefault = nullptr;
    std::string m_skinName;
    std::optional<std::uint64_t> m_clockTarget;

    TForm* m_stage = nullptr;
    std::map<std::pair<int, TPreviewButtonState>, TsButton*> m_buttons;
    TWinControl* m_focusedEdit = nullptr;
    TsComboBox* m_openCombo = nullptr;
};
