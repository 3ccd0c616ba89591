#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "platform/toolkit/TFormDesign.h"

class TForm1;
class TsSkinManager;

// One button of the main screen as designed.
struct TFieldButtonDesign {
    int Number = 0;  // sButton<Number>
    int Tag = 0;     // size class 1 to 5; the super button's 10
    int Manager = 0; // the skin manager it wears: 1 to 5, 0 for the default manager
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// One skin manager of the main screen as designed.
struct TManagerDesign {
    std::string_view SkinName;
    int HueOffset = 0;
    int Saturation = 0; // zero keeps the manager's default
    std::vector<std::string_view> StoredSkins;
};

// The stored design of the main screen: the window's own properties, then its components in
// stored order with every designed value and handler.
class TMainScreenDesign {
public:
    // The super button first, then sButton1 to sButton51 without it, in number order.
    static std::span<const TFieldButtonDesign> Buttons();
    // The caption of a size class ("Кнопулечка" ... "Кнопище"); the super button's for Tag 10.
    static std::string_view CaptionForTag(int tag);
    // sSkinManager0 to sSkinManager5.
    static std::span<const TManagerDesign> Managers();
    // Assigns manager `number`'s designed values in stored order: its stored skins (from the
    // packages built into the program), hue offset, saturation, and last the skin name, which
    // loads the skin.
    static void ApplyManagerDesign(TsSkinManager& manager, int number);
    // The design bound to the form's fields and handlers.
    static TFormDesign Build(TForm1& form);
};
