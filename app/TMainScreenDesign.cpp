#include "app/TMainScreenDesign.h"

#include <array>

#include "app/DesignFont.h"
#include "app/TForm1.h"
#include "controls/TsButton.h"
#include "controls/TsComboBox.h"
#include "controls/TsEdit.h"
#include "controls/TsLabel.h"
#include "controls/TsLabelFX.h"
#include "controls/TsUpDown.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TTimer.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

// Size classes: 1 and 2 have one size each, 3 and 4 two (the first button of each manager's
// pair has the first), 5 two as listed per button.
constexpr std::array<TFieldButtonDesign, TForm1::ButtonCount> ButtonTable{{
    {5, 10, 0, 416, 296, 241, 129},
    // Size class 1, 70 x 17.
    {1, 1, 1, 176, 368, 70, 17},
    {2, 1, 1, 304, 176, 70, 17},
    {3, 1, 2, 696, 368, 70, 17},
    {4, 1, 2, 840, 224, 70, 17},
    {6, 1, 3, 640, 544, 70, 17},
    {7, 1, 3, 752, 320, 70, 17},
    {8, 1, 4, 848, 416, 70, 17},
    {9, 1, 4, 872, 472, 70, 17},
    {10, 1, 5, 904, 584, 70, 17},
    {11, 1, 5, 24, 320, 70, 17},
    // Size class 2, 100 x 23.
    {12, 2, 1, 336, 568, 100, 23},
    {13, 2, 1, 512, 256, 100, 23},
    {14, 2, 2, 192, 408, 100, 23},
    {15, 2, 2, 400, 624, 100, 23},
    {16, 2, 3, 544, 608, 100, 23},
    {17, 2, 3, 24, 480, 100, 23},
    {18, 2, 4, 480, 128, 100, 23},
    {19, 2, 4, 776, 584, 100, 23},
    {20, 2, 5, 848, 512, 100, 23},
    {21, 2, 5, 32, 632, 100, 23},
    // Size class 3, 90 x 35 and 130 x 25.
    {22, 3, 1, 56, 16, 90, 35},
    {23, 3, 1, 16, 104, 130, 25},
    {24, 3, 2, 328, 440, 90, 35},
    {25, 3, 2, 128, 64, 130, 25},
    {26, 3, 3, 520, 184, 90, 35},
    {27, 3, 3, 328, 216, 130, 25},
    {28, 3, 4, 152, 304, 90, 35},
    {29, 3, 4, 272, 296, 130, 25},
    {30, 3, 5, 840, 56, 90, 35},
    {31, 3, 5, 160, 136, 130, 25},
    // Size class 4, 90 x 50 and 150 x 30.
    {32, 4, 1, 24, 248, 90, 50},
    {33, 4, 1, 296, 112, 150, 30},
    {34, 4, 2, 328, 24, 90, 50},
    {35, 4, 2, 168, 600, 150, 30},
    {36, 4, 3, 640, 8, 90, 50},
    {37, 4, 3, 8, 176, 150, 30},
    {38, 4, 4, 288, 336, 90, 50},
    {39, 4, 4, 64, 528, 150, 30},
    {40, 4, 5, 680, 616, 90, 50},
    {41, 4, 5, 264, 504, 150, 30},
    // Size class 5, 125 x 55 and 170 x 40.
    {42, 5, 1, 464, 32, 125, 55},
    {43, 5, 1, 680, 440, 170, 40},
    {44, 5, 2, 840, 304, 125, 55},
    {45, 5, 2, 624, 72, 170, 40},
    {46, 5, 3, 32, 376, 125, 55},
    {47, 5, 3, 488, 496, 170, 40},
    {48, 5, 4, 656, 160, 125, 55},
    {49, 5, 4, 808, 112, 170, 40},
    {50, 5, 5, 176, 216, 125, 55},
    {51, 5, 5, 672, 240, 125, 55},
}};

const TRect EditBounds = TRect::FromBounds(200, 16, 49, 21);

// Controls before the buttons in tab order: sComboBox1, sEdit1, sUpDown1.
constexpr int FirstButtonTabOrder = 3;

int TabOrderOf(int number) {
    if (number == TForm1::SuperButtonNumber) return FirstButtonTabOrder;
    return FirstButtonTabOrder + (number < TForm1::SuperButtonNumber ? number : number - 1);
}

void AddButton(TFormDesign& design, const TFieldButtonDesign& b, TsButton*& field,
               TsSkinManager* const& manager) {
    std::vector<std::function<void(TsButton&)>> properties;
    properties.push_back([b](TsButton& c) {
        c.SetBounds(b.Left, b.Top, b.Width, b.Height);
        c.SetCaption(std::string(TMainScreenDesign::CaptionForTag(b.Tag)));
    });
    if (b.Tag == TForm1::SuperButtonTag)
        properties.push_back([](TsButton& c) { c.SetFont(DesignFont(-24)); });
    const int tabOrder = TabOrderOf(b.Number);
    properties.push_back([b, tabOrder](TsButton& c) {
        c.SetTabOrder(tabOrder);
        c.SetTag(b.Tag);
    });
    // The super button names no manager and wears the default one's skin; the field buttons
    // wear their group's manager.
    properties.push_back([b, &manager](TsButton& c) {
        c.SkinData().SetSkinSection("BUTTON");
        if (b.Manager != 0) c.SkinData().SetSkinManager(manager);
    });
    design.Add<TsButton>("sButton" + std::to_string(b.Number), "", &field, std::move(properties));
}

const std::array<TManagerDesign, TForm1::ManagerCount> ManagerTable{{
    {"Office2007 Black (internal)",
     0,
     0,
     {"Desert (internal)", "Golden (internal)", "Office2003 (internal)", "Office2007 Black (internal)",
      "Office2007 Blue (internal)"}},
    {"Office2007 Black (internal)", 50, 0, {"Golden (internal)", "Office2007 Black (internal)"}},
    {"Golden (internal)", 60, 100, {"Golden (internal)"}},
    {"Golden (internal)", 240, 100, {"Golden (internal)"}},
    {"Golden (internal)", 340, 100, {"Golden (internal)"}},
    {"Golden (internal)", 170, 100, {"Golden (internal)"}},
}};

// The managers come first in the design, so that each loads its design skin while the rest
// of the form data is read. The stored skins come from the packages built into the program.
void AddManager(TFormDesign& design, int number, TsSkinManager*& field) {
    design.Add<TsSkinManager>(
        "sSkinManager" + std::to_string(number), "", &field,
        {[number](TsSkinManager& c) { TMainScreenDesign::ApplyManagerDesign(c, number); }});
}

} // namespace

std::span<const TManagerDesign> TMainScreenDesign::Managers() {
    return ManagerTable;
}

void TMainScreenDesign::ApplyManagerDesign(TsSkinManager& manager, int number) {
    const TManagerDesign& m = ManagerTable.at(std::size_t(number));
    if (number != 0) manager.SetIsDefault(false);
    for (std::string_view name : m.StoredSkins)
        if (const TStoredSkinPackage* package = FindStoredSkinPackage(name))
            manager.InternalSkins().AddPackage(
                std::string(name), std::vector<std::uint8_t>(package->Data.begin(), package->Data.end()));
    manager.SetHueOffset(m.HueOffset);
    if (m.Saturation != 0) manager.SetSaturation(m.Saturation);
    manager.SetSkinName(std::string(m.SkinName));
}

std::span<const TFieldButtonDesign> TMainScreenDesign::Buttons() {
    return ButtonTable;
}

std::string_view TMainScreenDesign::CaptionForTag(int tag) {
    switch (tag) {
    case 1:
        return "Кнопулечка";
    case 2:
        return "Кнопочка";
    case 3:
        return "Кнопка";
    case 4:
        return "Кнопа";
    case 5:
        return "Кнопище";
    case TForm1::SuperButtonTag:
        return "Супер кнопка";
    default:
        return "";
    }
}

TFormDesign TMainScreenDesign::Build(TForm1& form) {
    TFormDesign design;
    design.Form([&form](TCustomForm& f) {
        static_cast<TComponent&>(f).SetName("Form1");
        f.SetLeft(128);
        f.SetTop(33);
        f.SetBorderStyle(TFormBorderStyle::bsNone);
        f.SetCaption("Form1");
        f.SetClientWidth(790);
        f.SetClientHeight(602);
        f.SetColor(clBtnFace);
        f.SetFont(DesignFont(-11));
        f.SetWindowState(TWindowState::wsMaximized);
        f.OnClose = [&form](TObject* sender, TCloseAction& action) { form.FormClose(sender, action); };
        f.OnCreate = [&form](TObject* sender) { form.FormCreate(sender); };
        f.OnMouseDown = [&form](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
            form.FormMouseDown(sender, button, shift, x, y);
        };
        f.OnResize = [&form](TObject* sender) { form.FormResize(sender); };
    });
    for (int n = 0; n < TForm1::ManagerCount; ++n)
        AddManager(design, n, form.m_managers[std::size_t(n)]);
    // The skin chooser: created hidden and never shown.
    design.Add<TsComboBox>("sComboBox1", "", &form.sComboBox1, {[&form](TsComboBox& c) {
                               c.SetBounds(40, 16, 145, 21);
                               c.SetComboStyle(TComboBoxStyle::csDropDownList);
                               c.SetVisible(false);
                               c.SetTabOrder(0);
                               c.OnChange = [&form](TObject* sender) { form.sComboBox1Change(sender); };
                           }});
    design.Add<TsEdit>("sEdit1", "", &form.sEdit1, {[&form](TsEdit& c) {
                           c.SetBoundsRect(EditBounds);
                           c.SetText("0");
                           c.SetVisible(false);
                           c.SetTabOrder(1);
                           c.OnChange = [&form](TObject* sender) { form.sEdit1Change(sender); };
                       }});
    design.Add<TsUpDown>("sUpDown1", "", &form.sUpDown1, {[&form](TsUpDown& c) {
                             c.SetMax(1000);
                             c.SetIncrement(10);
                             c.SetVisible(false);
                             c.SetTabOrder(2);
                             c.SetAssociate(form.sEdit1);
                             // The stored bounds are those after the association: the edit
                             // had already made room for the up-down beside it.
                             form.sEdit1->SetBoundsRect(EditBounds);
                             c.SetBounds(249, 16, 15, 21);
                         }});
    for (const TFieldButtonDesign& b : ButtonTable)
        AddButton(design, b, form.m_buttons[std::size_t(b.Number)], form.m_managers[std::size_t(b.Manager)]);
    design.Add<TsLabelFX>("sLabel1", "", &form.sLabel1, {[&form](TsLabelFX& c) {
                              c.SetAutoSize(false);
                              c.SetBounds(408, 440, 66, 22);
                              c.SetCaption("sLabel1");
                              c.SetFont(DesignFont(-16, clWhite, TFontStyles{}.With(TFontStyle::fsBold)));
                              c.SetVisible(false);
                              c.OnClick = [&form](TObject* sender) { form.sLabel1Click(sender); };
                          }});
    design.Add<TsLabel>("sLabel1_old", "", &form.sLabel1_old, {[](TsLabel& c) {
                            c.SetAutoSize(false);
                            c.SetBounds(672, 0, 101, 24);
                            c.SetCaption("sLabel1_old");
                            c.SetFont(DesignFont(-19, clWhite));
                            c.SetVisible(false);
                        }});
    design.Add<TTimer>("Timer1", "", &form.Timer1, {[&form](TTimer& c) {
                           c.SetEnabled(false);
                           c.SetInterval(20);
                           c.SetOnTimer([&form](TObject* sender) { form.Timer1Timer(sender); });
                       }});
    return design;
}
