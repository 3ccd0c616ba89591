#pragma once

#include <span>
#include <string_view>

#include "platform/toolkit/TFormDesign.h"

class TForm1;

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

// The stored design of the main screen: the window's own properties, then its components in
// stored order with every designed value and handler.
class TMainScreenDesign {
public:
    // The super button first, then sButton1 to sButton51 without it, in number order.
    static std::span<const TFieldButtonDesign> Buttons();
    // The caption of a size class ("Кнопулечка" ... "Кнопище"); the super button's for Tag 10.
    static std::string_view CaptionForTag(int tag);
    // The design bound to the form's fields and handlers.
    static TFormDesign Build(TForm1& form);
};
