#include "app/TOptionsDialogDesign.h"

#include <array>
#include <string>

#include "app/DesignFont.h"
#include "app/TMainScreenDesign.h"
#include "app/TfrmOptions.h"
#include "controls/TsButton.h"
#include "controls/TsComboBox.h"
#include "controls/TsGroupBox.h"
#include "controls/TsSpinEdit.h"
#include "platform/graphics/SystemColors.h"
#include "render/TsCommonData.h"
#include "render/TsSkinnedControl.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

const std::array<TOptionsGroupDesign, TfrmOptions::GroupCount> GroupTable{{
    {24, "Стиль окна и суперкнопки", NoManager, NoManager, 0, NoManager, 0, "Стиль суперкнопки", 0},
    {96, "Стиль кнопок 1", 1, 1, 50, 1, 1, "Стиль кнопок 1", 1},
    {168, "Стиль кнопок 2", 0, 2, 60, 2, 2, "Стиль кнопок 2", 2},
    {240, "Стиль кнопок 3", 0, 3, 240, 3, 5, "Стиль кнопок 3", 3},
    {312, "Стиль кнопок 4", 0, 4, 340, 4, 6, "Стиль кнопок 4", 4},
    {384, "Стиль кнопок 5", 0, 5, 170, 5, 7, "Стиль кнопок 5", 5},
}};

// Every group's controls sit at the same places inside it.
constexpr int GroupLeft = 8, GroupWidth = 369, GroupHeight = 57;
constexpr int ControlTop = 24;
constexpr int ComboLeft = 8, ComboWidth = 145, ComboHeight = 21;
constexpr int SpinLeft = 160, SpinWidth = 65, SpinHeight = 21;
constexpr int SampleLeft = 240, SampleWidth = 121, SampleHeight = 25;
constexpr int HueIncrement = 10, HueMin = 0, HueMax = 1000;

// The combo boxes' black 8-point font.
TFont ComboFont() {
    TFont font = DesignFont(-11, clBlack);
    font.SetSize(8);
    return font;
}

// Binds a control's skin to a section and a manager (none: the default manager). Controls
// whose class paints natively carry no binding and keep their platform look.
void BindSkin(TControl& control, TsSkinManager* manager, std::string_view section) {
    auto* skinned = dynamic_cast<TsSkinnedControl*>(&control);
    if (!skinned) return;
    skinned->SkinData().SetSkinSection(std::string(section));
    if (manager) skinned->SkinData().SetSkinManager(manager);
}

TsSkinManager* ManagerOf(TfrmOptions& form, int number) {
    return number == NoManager ? nullptr : form.sSkinManager(number);
}

// The group's four fields of the dialog.
struct TGroupFields {
    TsGroupBox*& GroupBox;
    TsComboBox*& ComboBox;
    TsSpinEdit*& SpinEdit;
    TsButton*& SampleButton;
};

void AddGroup(TFormDesign& design, TfrmOptions& form, int n, const TGroupFields& fields) {
    const TOptionsGroupDesign& g = GroupTable[std::size_t(n)];
    const std::string groupName = "sGroupBox" + std::to_string(n);
    design.Add<TsGroupBox>(groupName, "", &fields.GroupBox, {[&form, g, n](TsGroupBox& c) {
                               c.SetBounds(GroupLeft, g.GroupTop, GroupWidth, GroupHeight);
                               c.SetCaption(std::string(g.GroupCaption));
                               c.SetTabOrder(n);
                               BindSkin(c, ManagerOf(form, g.GroupManager), "GROUPBOX");
                           }});
    design.Add<TsComboBox>("sComboBox" + std::to_string(n), groupName, &fields.ComboBox,
                           {[&form, g, n](TsComboBox& c) {
                               c.SetBounds(ComboLeft, ControlTop, ComboWidth, ComboHeight);
                               c.SetComboStyle(TComboBoxStyle::csDropDownList);
                               c.SetColor(clWhite);
                               c.SetFont(ComboFont());
                               c.SetItemHeight(13);
                               c.SetItemIndex(-1);
                               c.SetTabOrder(0);
                               BindSkin(c, ManagerOf(form, g.ComboManager), "COMBOBOX");
                               c.OnChange = [&form, n](TObject*) { form.sComboBoxChange(n); };
                           }});
    design.Add<TsSpinEdit>("sSpinEdit" + std::to_string(n), groupName, &fields.SpinEdit,
                           {[&form, g, n](TsSpinEdit& c) {
                               c.SetBounds(SpinLeft, ControlTop, SpinWidth, SpinHeight);
                               c.SetIncrement(HueIncrement);
                               c.SetMinValue(HueMin);
                               c.SetMaxValue(HueMax);
                               c.SetValue(g.HueValue);
                               c.SetTabOrder(1);
                               BindSkin(c, ManagerOf(form, g.SpinManager), "EDIT");
                               c.OnChange = [&form, n](TObject*) { form.sSpinEditChange(n); };
                           }});
    design.Add<TsButton>("sButton" + std::to_string(g.SampleButtonNumber), groupName, &fields.SampleButton,
                         {[&form, g](TsButton& c) {
                             c.SetBounds(SampleLeft, ControlTop, SampleWidth, SampleHeight);
                             c.SetCaption(std::string(g.SampleCaption));
                             c.SetTabOrder(2);
                             BindSkin(c, ManagerOf(form, g.SampleManager), "BUTTON");
                         }});
}

} // namespace

std::span<const TOptionsGroupDesign> TOptionsDialogDesign::Groups() {
    return GroupTable;
}

void TOptionsDialogDesign::ApplyManagerDesign(TsSkinManager& manager, int number) {
    const TManagerDesign& m = TMainScreenDesign::Managers()[std::size_t(number)];
    manager.SetIsDefault(false);
    for (std::string_view name : m.StoredSkins)
        if (const TStoredSkinPackage* package = FindStoredSkinPackage(name))
            manager.InternalSkins().AddPackage(
                std::string(name), std::vector<std::uint8_t>(package->Data.begin(), package->Data.end()));
    manager.SetHueOffset(m.HueOffset);
    manager.SetSkinName(std::string(m.SkinName));
}

TFormDesign TOptionsDialogDesign::Build(TfrmOptions& form) {
    TFormDesign design;
    design.Form([&form](TCustomForm& f) {
        static_cast<TComponent&>(f).SetName("frmOptions");
        f.SetBorderStyle(TFormBorderStyle::bsDialog);
        f.SetCaption("Настройки");
        f.SetClientWidth(388);
        f.SetClientHeight(486);
        f.SetLeft(269);
        f.SetTop(169);
        f.SetFormStyle(TFormStyle::fsStayOnTop);
        f.SetColor(clBtnFace);
        f.SetFont(DesignFont(-11));
        f.OnCreate = [&form](TObject* sender) { form.FormCreate(sender); };
        f.OnClose = [&form](TObject* sender, TCloseAction& action) { form.FormClose(sender, action); };
    });
    for (int n = 0; n < TfrmOptions::ManagerCount; ++n)
        design.Add<TsSkinManager>("sSkinManager" + std::to_string(n), "", &form.m_managers[std::size_t(n)],
                                  {[n](TsSkinManager& c) { ApplyManagerDesign(c, n); }});
    for (int n = 0; n < TfrmOptions::GroupCount; ++n)
        AddGroup(design, form, n,
                 {form.m_groupBoxes[std::size_t(n)], form.m_comboBoxes[std::size_t(n)],
                  form.m_spinEdits[std::size_t(n)], form.m_sampleButtons[std::size_t(n)]});
    design.Add<TsButton>("sButton3", "", &form.sButton3, {[&form](TsButton& c) {
                             c.SetBounds(216, 456, 75, 25);
                             c.SetCaption("Ok");
                             c.SetTabOrder(TfrmOptions::GroupCount);
                             BindSkin(c, nullptr, "BUTTON");
                             c.OnClick = [&form](TObject* sender) { form.sButton3Click(sender); };
                         }});
    design.Add<TsButton>("sButton4", "", &form.sButton4, {[&form](TsButton& c) {
                             c.SetBounds(304, 456, 75, 25);
                             c.SetCaption("Cancel");
                             c.SetCancel(true);
                             c.SetTabOrder(TfrmOptions::GroupCount + 1);
                             BindSkin(c, nullptr, "BUTTON");
                             c.OnClick = [&form](TObject* sender) { form.sButton4Click(sender); };
                         }});
    return design;
}
