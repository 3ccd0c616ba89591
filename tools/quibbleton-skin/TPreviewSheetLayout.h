#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"

// What one cell of the preview sheet shows.
enum class TPreviewSampleKind {
    DialogActive,
    DialogCloseHot,
    DialogClosePressed,
    DialogInactive,
    Button,
    SuperButton,
    GroupBox,
    Edit,
    EditFocused,
    SpinEdit,
    ComboBox,
    ComboBoxOpen,
    EffectLabel,
    MessageBox,
};

// The state a push button sample is shown in.
enum class TPreviewButtonState { Normal, Hot, Pressed, Focused, Disabled };

// One cell: the sample's picture fills Sample (a window is centred in it, a control sits at
// Control on the program's own background, which fills the rest), the caption naming the
// state is written in Label under it.
struct TPreviewCell {
    TPreviewSampleKind Kind = TPreviewSampleKind::Button;
    int SizeClass = 0; // push buttons: the main screen's size class 1 to 5
    TPreviewButtonState State = TPreviewButtonState::Normal;
    std::string Caption;
    TRect Sample;
    TRect Control; // where the control stands, inside Sample; equal to Sample for windows
    TRect Label;
};

// The fixed layout of the preview sheet, the same for every skin so that sheets can be laid
// side by side: a title line, then the dialog frames, the push buttons by size class (rows)
// and state (columns) with the super button beside them, the edit-like controls, and last the
// effect label and the message box.
class TPreviewSheetLayout {
public:
    static constexpr int Width = 1240;
    static constexpr int Height = 890;
    static constexpr TColor Background = 0xE0E0E0; // neutral light grey
    static constexpr TColor TextColour = 0x000000;
    static constexpr int LabelHeight = 18;

    static const TPreviewSheetLayout& Instance();

    TRect Title() const { return {16, 8, Width - 16, 36}; }
    std::span<const TPreviewCell> Cells() const { return m_cells; }
    // The first cell of the kind (and, for push buttons, of the size class and state).
    const TPreviewCell& Cell(TPreviewSampleKind kind, int sizeClass = 0,
                             TPreviewButtonState state = TPreviewButtonState::Normal) const;
    // The state's word in the captions ("normal", "hot", "pressed", "focused", "disabled").
    static std::string StateName(TPreviewButtonState state);

private:
    TPreviewSheetLayout();
    void Add(TPreviewSampleKind kind, std::string caption, TRect sample, TSize control, int topMargin = -1);

    std::vector<TPreviewCell> m_cells;
};
