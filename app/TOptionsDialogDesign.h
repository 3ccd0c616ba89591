#pragma once

#include <span>
#include <string_view>

#include "platform/toolkit/TFormDesign.h"

class TfrmOptions;
class TsSkinManager;

// A manager number of the options dialog's design; NoManager names none, so the control
// follows the process's default manager (sSkinManager0 in this dialog).
inline constexpr int NoManager = -1;

// One settings group of the options dialog as designed: a group box holding a skin list, a
// hue field and a sample button, each bound to a manager.
struct TOptionsGroupDesign {
    int GroupTop = 0;
    std::string_view GroupCaption;
    int GroupManager = NoManager;
    int ComboManager = NoManager;
    int HueValue = 0; // the spin edit's designed value
    int SpinManager = NoManager;
    int SampleButtonNumber = 0; // sButton<Number>
    std::string_view SampleCaption;
    int SampleManager = NoManager;
};

// The stored design of the options dialog "Настройки": the window's own properties, its six
// managers (the main screen's design skins and hues, saturation at the manager default), the
// six groups and the Ok and Cancel buttons.
class TOptionsDialogDesign {
public:
    // Group N controls manager N; the table binds each control to its manager.
    static std::span<const TOptionsGroupDesign> Groups();
    // Assigns manager `number`'s designed values in stored order: its stored skins, hue
    // offset and last the skin name, which loads the skin. The saturation stays the default.
    static void ApplyManagerDesign(TsSkinManager& manager, int number);
    // The design bound to the dialog's fields and handlers.
    static TFormDesign Build(TfrmOptions& form);
};
