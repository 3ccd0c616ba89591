#include "TPreviewSheetLayout.h"

#include <stdexcept>

#include "app/TMainScreenDesign.h"

namespace {

constexpr int Margin = 16;
constexpr int Gap = 16;
constexpr int RowGap = 10;
constexpr int FirstRow = 44;

constexpr TPreviewButtonState ButtonStates[] = {TPreviewButtonState::Normal, TPreviewButtonState::Hot,
                                                TPreviewButtonState::Pressed, TPreviewButtonState::Focused,
                                                TPreviewButtonState::Disabled};

// The size of the main screen's first button of a size class.
TSize ButtonSize(int tag) {
    for (const TFieldButtonDesign& b : TMainScreenDesign::Buttons())
        if (b.Tag == tag) return {b.Width, b.Height};
    throw std::logic_error("the main screen has no button of size class " + std::to_string(tag));
}

} // namespace

const TPreviewSheetLayout& TPreviewSheetLayout::Instance() {
    static const TPreviewSheetLayout layout;
    return layout;
}

std::string TPreviewSheetLayout::StateName(TPreviewButtonState state) {
    switch (state) {
    case TPreviewButtonState::Normal:
        return "normal";
    case TPreviewButtonState::Hot:
        return "hot";
    case TPreviewButtonState::Pressed:
        return "pressed";
    case TPreviewButtonState::Focused:
        return "focused";
    case TPreviewButtonState::Disabled:
        return "disabled";
    }
    return "";
}

// A control is centred in its sample, or placed topMargin below the sample's top.
void TPreviewSheetLayout::Add(TPreviewSampleKind kind, std::string caption, TRect sample, TSize control,
                              int topMargin) {
    TPreviewCell cell;
    cell.Kind = kind;
    cell.Caption = std::move(caption);
    cell.Sample = sample;
    if (control.Width == 0)
        cell.Control = sample;
    else
        cell.Control = TRect::FromBounds(sample.Left + (sample.Width() - control.Width) / 2,
                                         topMargin >= 0 ? sample.Top + topMargin
                                                        : sample.Top + (sample.Height() - control.Height) / 2,
                                         control.Width, control.Height);
    cell.Label = TRect::FromBounds(sample.Left, sample.Bottom + 2, sample.Width(), LabelHeight);
    m_cells.push_back(std::move(cell));
}

TPreviewSheetLayout::TPreviewSheetLayout() {
    using K = TPreviewSampleKind;
    int y = FirstRow;

    // The dialog frames: whole windows, centred in their samples.
    const char* dialogCaptions[] = {"dialog, active", "close button hot", "close button pressed",
                                    "dialog, inactive"};
    const K dialogKinds[] = {K::DialogActive, K::DialogCloseHot, K::DialogClosePressed, K::DialogInactive};
    for (int i = 0; i < 4; ++i)
        Add(dialogKinds[i], dialogCaptions[i], TRect::FromBounds(Margin + i * (280 + Gap), y, 280, 110), {});
    y += 110 + LabelHeight + RowGap;

    // The push buttons: a row per size class, a column per state; the super button beside.
    const int superLeft = Margin + 5 * (170 + Gap);
    Add(K::SuperButton, "super button", TRect::FromBounds(superLeft, y, Width - Margin - superLeft, 150),
        ButtonSize(10));
    for (int sizeClass = 1; sizeClass <= 5; ++sizeClass) {
        const TSize size = ButtonSize(sizeClass);
        const int height = size.Height + 16;
        for (int column = 0; column < 5; ++column) {
            const TPreviewButtonState state = ButtonStates[column];
            Add(K::Button, "size " + std::to_string(sizeClass) + ": " + StateName(state),
                TRect::FromBounds(Margin + column * (170 + Gap), y, 170, height), size);
            m_cells.back().SizeClass = sizeClass;
            m_cells.back().State = state;
        }
        y += height + LabelHeight + RowGap;
    }

    // The controls of the options dialog.
    struct TControlSample {
        K Kind;
        const char* Caption;
        int SampleWidth;
        TSize Control;
        int TopMargin;
    };
    const TControlSample controls[] = {
        {K::GroupBox, "group box", 272, {240, 60}, -1},
        {K::Edit, "edit", 161, {145, 21}, 12},
        {K::EditFocused, "edit, focused", 161, {145, 21}, 12},
        {K::SpinEdit, "spin edit", 97, {65, 21}, 12},
        {K::ComboBox, "combo box", 161, {145, 21}, 12},
        {K::ComboBoxOpen, "combo box, list open", 161, {145, 21}, 8},
    };
    int x = Margin;
    for (const TControlSample& c : controls) {
        Add(c.Kind, c.Caption, TRect::FromBounds(x, y, c.SampleWidth, 110), c.Control, c.TopMargin);
        x += c.SampleWidth + Gap;
    }
    y += 110 + LabelHeight + RowGap;

    Add(K::EffectLabel, "effect label with glow", TRect::FromBounds(Margin, y, 340, 130), {300, 60});
    Add(K::MessageBox, "message box", TRect::FromBounds(Margin + 340 + Gap, y, 400, 130), {});
}

const TPreviewCell& TPreviewSheetLayout::Cell(TPreviewSampleKind kind, int sizeClass,
                                              TPreviewButtonState state) const {
    for (const TPreviewCell& cell : m_cells)
        if (cell.Kind == kind &&
            (kind != TPreviewSampleKind::Button || (cell.SizeClass == sizeClass && cell.State == state)))
            return cell;
    throw std::out_of_range("the preview sheet has no such cell");
}
