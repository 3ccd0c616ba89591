#include <gtest/gtest.h>

#include "platform/automation/TToolkitAutomationTarget.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TForm.h"
#include "platform/toolkit/TScreen.h"

namespace {

struct TTargetFixture : ::testing::Test {
    TApplication application{std::make_unique<THeadlessBackend>(TSize{800, 600})};

    TForm* MakeForm(const std::string& name, TRect bounds) {
        TForm* form = application.CreateForm<TForm>();
        static_cast<TComponent*>(form)->SetName(name);
        form->SetBoundsRect(bounds);
        return form;
    }
    TButton* MakeButton(TForm* form, const std::string& name, TRect bounds) {
        auto* button = new TButton(form);
        static_cast<TComponent*>(button)->SetName(name);
        button->SetParent(form);
        button->SetBoundsRect(bounds);
        return button;
    }
};

} // namespace

TEST_F(TTargetFixture, FindsTheNamedControlInTheTopMostFormThatHasIt) {
    TForm* lower = MakeForm("Lower", TRect::FromBounds(10, 10, 300, 200));
    TForm* upper = MakeForm("Upper", TRect::FromBounds(400, 10, 300, 200));
    MakeButton(lower, "Shared", TRect::FromBounds(5, 5, 50, 20));
    TButton* top = MakeButton(upper, "Shared", TRect::FromBounds(5, 5, 50, 20));
    lower->Show();
    upper->Show();
    application.ProcessMessages();
    EXPECT_EQ(FindNamedControl(*Screen, "Shared"), top->ScreenRect());
    lower->BringToFrontAndActivate();
    application.ProcessMessages();
    EXPECT_NE(FindNamedControl(*Screen, "Shared"), top->ScreenRect());
}

TEST_F(TTargetFixture, HiddenControlsAndHiddenFormsAreNotFound) {
    TForm* shown = MakeForm("Shown", TRect::FromBounds(10, 10, 300, 200));
    TForm* hidden = MakeForm("Hidden", TRect::FromBounds(10, 10, 300, 200));
    MakeButton(shown, "Invisible", TRect::FromBounds(5, 5, 50, 20))->Hide();
    MakeButton(hidden, "InHiddenForm", TRect::FromBounds(5, 5, 50, 20));
    shown->Show();
    application.ProcessMessages();
    EXPECT_FALSE(FindNamedControl(*Screen, "Invisible").has_value());
    EXPECT_FALSE(FindNamedControl(*Screen, "InHiddenForm").has_value());
    EXPECT_EQ(FindNamedControl(*Screen, "Shown"), shown->ScreenRect());
}

TEST_F(TTargetFixture, DumpListsShownFormsTopFirstThenHiddenOnes) {
    TForm* first = MakeForm("First", TRect::FromBounds(10, 10, 300, 200));
    MakeForm("Never", TRect::FromBounds(10, 10, 300, 200));
    TForm* second = MakeForm("Second", TRect::FromBounds(10, 10, 300, 200));
    first->Show();
    second->Show();
    application.ProcessMessages();
    const std::string json = DumpWindowTree(*Screen);
    EXPECT_EQ(json.rfind("{\"screen\":[800,600],\"windows\":[", 0), 0u) << json;
    const auto secondAt = json.find("\"name\":\"Second\"");
    const auto firstAt = json.find("\"name\":\"First\"");
    const auto neverAt = json.find("\"name\":\"Never\"");
    ASSERT_NE(neverAt, std::string::npos);
    EXPECT_LT(secondAt, firstAt);
    EXPECT_LT(firstAt, neverAt);
}
