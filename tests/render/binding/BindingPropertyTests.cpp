#include "BindingTestSupport.h"

#include "render/KindCodes.h"

namespace {

using BindingProperties = BindingTest;

TEST_F(BindingProperties, EmptySectionReadsBackUnknown) {
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "");
    c->Binding().SetSkinSection("BUTTON");
    c->Binding().SetSkinSection("");
    EXPECT_EQ(c->Binding().SkinSection(), "UNKNOWN");
}

TEST_F(BindingProperties, SectionIsStoredInUpperCase) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "button");
    EXPECT_EQ(c->Binding().SkinSection(), "BUTTON");
    EXPECT_EQ(c->Binding().SectionIndex(), 0);
    EXPECT_TRUE(c->Binding().Skinned(true));
}

TEST_F(BindingProperties, SectionChangeAnnouncesAppliedOrRemoved) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Commands.clear();
    c->Binding().SetSkinSection("NOSUCH");
    c->Binding().SetSkinSection("BUTTON");
    ASSERT_GE(c->Commands.size(), 2u);
    EXPECT_EQ(c->Commands[0], cmdSkinRemoved);
    EXPECT_EQ(c->Commands[1], cmdSkinApplied);
}

TEST_F(BindingProperties, MissingSectionGivesIndexMinusOneAndNoSkin) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "SLIDER");
    EXPECT_EQ(c->Binding().SectionIndex(), -1);
    EXPECT_FALSE(c->Binding().Skinned());
}

TEST_F(BindingProperties, AssigningTheDefaultManagerStoresNoneAndFollowsTheDefault) {
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "");
    c->Binding().SetSkinManager(manager_.get());
    EXPECT_EQ(c->Binding().ExplicitManager(), nullptr);
    TsSkinManager other(nullptr);
    SetDefaultManager(&other);
    EXPECT_EQ(c->Binding().SkinManager(), &other);
    SetDefaultManager(manager_.get());
}

TEST_F(BindingProperties, AnExplicitManagerIsKeptAndResolvesItsOwnSections) {
    TsSkinManager other(nullptr);
    AddSection("EDIT", &other);
    AddSection("BUTTON", &other);
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    EXPECT_EQ(c->Binding().SectionIndex(), -1);
    c->Binding().SetSkinManager(&other);
    EXPECT_EQ(c->Binding().ExplicitManager(), &other);
    EXPECT_EQ(c->Binding().SectionIndex(), 1);
    c->Binding().SetSkinManager(nullptr);
}

// A manager that goes while its skin is off sends no skin command, yet the bindings that named
// it must not keep a pointer to it; a binding that went first is not touched by it.
TEST_F(BindingProperties, AnExplicitManagerDestroyedWhileInactiveIsForgotten) {
    auto other = std::make_unique<TsSkinManager>(nullptr);
    AddSection("BUTTON", other.get());
    auto* kept = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    auto* gone = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 50, 50, 30}, "BUTTON");
    kept->Binding().SetSkinManager(other.get());
    gone->Binding().SetSkinManager(other.get());
    other->SetActive(false);
    delete gone;
    other.reset();
    EXPECT_EQ(kept->Binding().ExplicitManager(), nullptr);
    EXPECT_EQ(kept->Binding().SkinManager(), manager_.get());
    EXPECT_EQ(kept->Binding().SectionIndex(), -1);
}

TEST_F(BindingProperties, DefaultSectionComesFromTheKind) {
    AddSection("GROUPBOX");
    auto* c = Add<TTestSkinned>(KindCode::GroupBox, form_, {10, 10, 50, 30}, "");
    c->Binding().ChooseDefaultSection();
    EXPECT_EQ(c->Binding().SkinSection(), "GROUPBOX");
    EXPECT_EQ(c->Binding().SectionIndex(), 0);
}

TEST_F(BindingProperties, UnlistedKindTakesTheClassName) {
    EXPECT_EQ(DefaultSectionForKind(500, "TsThing"), "TsThing");
    EXPECT_EQ(DefaultSectionForKind(KindCode::PushButton, "x"), "BUTTON");
    EXPECT_EQ(DefaultSectionForKind(KindCode::SpeedButton, "x"), "SPEEDBUTTON");
    EXPECT_EQ(DefaultSectionForKind(KindCode::AdapterItem, "x"), "EDIT");
    EXPECT_EQ(DefaultSectionForKind(52, "x"), "PANEL_LOW");
}

TEST_F(BindingProperties, NoHoverSetCoversPanelsAndPagesOnly) {
    for (int kind : {51, 60, 74, 110, 141, 151, 161})
        EXPECT_TRUE(IsNoHoverKind(kind)) << kind;
    for (int kind : {50, 75, 92, 93, 140, 162, 256 + 60})
        EXPECT_FALSE(IsNoHoverKind(kind)) << kind;
}

TEST_F(BindingProperties, RemovedSkinDropsFaceAndIndexes) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Binding().PrepareFace();
    ASSERT_EQ(c->Binding().FaceBitmap()->Size(), (TSize{c->Width(), c->Height()}));
    ASSERT_FALSE(c->Binding().FaceBitmap()->IsEmpty());
    c->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdSkinRemoved), LParamFromPointer(manager_.get()));
    EXPECT_EQ(c->Binding().SectionIndex(), -1);
    EXPECT_TRUE(c->Binding().InUpdate());
    EXPECT_TRUE(c->Binding().FaceBitmap()->IsEmpty());
}

TEST_F(BindingProperties, CommandsOfAnotherManagerAreIgnored) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    TsSkinManager other(nullptr);
    c->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdSkinRemoved), LParamFromPointer(&other));
    EXPECT_EQ(c->Binding().SectionIndex(), 0);
}

TEST_F(BindingProperties, SkinLoadedHoldsPaintingAndAppliedReleasesIt) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    SetAnnouncingSkin(true);
    c->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdSkinLoaded), LParamFromPointer(manager_.get()));
    EXPECT_TRUE(c->Binding().InUpdate());
    EXPECT_FALSE(AnnouncingSkin());
    c->Binding().SetFaceStale(false);
    c->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdSkinApplied), LParamFromPointer(manager_.get()));
    EXPECT_FALSE(c->Binding().InUpdate());
    EXPECT_TRUE(c->Binding().FaceStale());
}

TEST_F(BindingProperties, WindowSendAndDirectDispatchReachTheSameHandler) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Binding().SetPartlyHidden(false);
    EXPECT_EQ(SendMessage(c->Handle(), WM_SKINCOMMAND, MakeWParam(0, cmdSetPartlyHidden), 0), 0);
    EXPECT_TRUE(c->Binding().PartlyHidden());
    c->Binding().SetPartlyHidden(false);
    c->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdSetPartlyHidden), 0);
    EXPECT_TRUE(c->Binding().PartlyHidden());
    EXPECT_TRUE(AskControl(c, cmdIsPartlyHidden));
    EXPECT_TRUE(AskWindow(c->Handle(), cmdIsSkinAware));
}

TEST_F(BindingProperties, GetFaceAnswersTheFaceBitmap) {
    AddSection("BUTTON");
    auto* parent = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "BUTTON");
    auto* child = Add<TTestSkinned>(KindCode::PushButton, parent, {10, 10, 50, 30}, "BUTTON");
    const ParentBackground face = child->Binding().GetParentFace();
    EXPECT_TRUE(face.Ready);
    EXPECT_EQ(face.Bitmap, parent->Binding().FaceBitmap());
    auto* plain = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    EXPECT_FALSE(plain->Binding().GetParentFace().Ready); // the form has no binding
}

TEST_F(BindingProperties, IsUpdatingAsksTheParent) {
    AddSection("BUTTON");
    auto* parent = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "BUTTON");
    auto* child = Add<TTestSkinned>(KindCode::PushButton, parent, {10, 10, 50, 30}, "BUTTON");
    parent->Binding().SetFaceStale(false);
    EXPECT_FALSE(child->Binding().IsUpdating());
    parent->Binding().SetFaceStale(true);
    EXPECT_TRUE(child->Binding().IsUpdating());
    manager_->Model().SkinData.Ready = false;
    parent->Binding().SetFaceStale(false);
    EXPECT_TRUE(child->Binding().IsUpdating());
}

} // namespace
