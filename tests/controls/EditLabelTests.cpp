#include "LabelTestSupport.h"

#include "controls/TsEditLabel.h"
#include "platform/toolkit/TEdit.h"
#include "render/TsCommonData.h"

using namespace labeltest;

namespace {

class TPanelLike : public TWinControl {
public:
    explicit TPanelLike(TComponent* owner) : TWinControl(owner) {}
};

class EditLabelTest : public LabelTest {
protected:
    EditLabelTest() { TsEditLabel::InstallAsBoundLabel(); }
    ~EditLabelTest() override { SetBoundLabelFactory(nullptr); }

    // A windowed control that carries a binding and a bound label.
    TWinControl* AddControl(TWinControl* parent) {
        auto* edit = new TEdit(form_);
        edit->SetName("sEdit1");
        edit->SetBounds(100, 50, 120, 22);
        edit->SetParent(parent);
        binding_ = std::make_unique<TsCommonData>(edit, TsCreateFace::Yes);
        bound_ = std::make_unique<TsBoundLabel>(*binding_);
        return edit;
    }

    std::unique_ptr<TsCommonData> binding_;
    std::unique_ptr<TsBoundLabel> bound_;
};

TEST_F(EditLabelTest, BoundLabelCreatesAnEditLabel) {
    AddControl(form_);
    bound_->SetActive(true);
    auto* label = dynamic_cast<TsEditLabel*>(bound_->Label());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(&label->BoundLabel(), bound_.get());
    EXPECT_EQ(label->Name(), "sEdit1Label");
    EXPECT_EQ(label->ClassName(), "TsEditLabel");
    EXPECT_TRUE(label->Transparent());
}

TEST_F(EditLabelTest, UseSkinColorReachesTheLabel) {
    AddControl(form_);
    bound_->SetUseSkinColor(false);
    bound_->SetActive(true);
    auto* label = static_cast<TsEditLabel*>(bound_->Label());
    EXPECT_FALSE(label->UseSkinColor());
    EXPECT_FALSE(bound_->UseSkinColor());
    bound_->SetUseSkinColor(true);
    EXPECT_TRUE(label->UseSkinColor());
    label->SetUseSkinColor(false);
    EXPECT_FALSE(bound_->UseSkinColor());
}

TEST_F(EditLabelTest, LabelFreedByItsParentMakesTheBoundLabelInactive) {
    auto* panel = new TPanelLike(form_);
    panel->SetBounds(0, 0, 300, 200);
    panel->SetParent(form_);
    AddControl(panel);
    bound_->SetActive(true);
    ASSERT_NE(bound_->Label(), nullptr);
    binding_->Control()->SetParent(form_);
    delete panel; // frees the label, its child
    EXPECT_EQ(bound_->Label(), nullptr);
    EXPECT_FALSE(bound_->Active());
    bound_->SetActive(true); // a new label can be made again
    EXPECT_NE(bound_->Label(), nullptr);
}

TEST_F(EditLabelTest, DeactivatingFreesTheLabel) {
    AddControl(form_);
    bound_->SetActive(true);
    const int children = form_->ControlCount();
    bound_->SetActive(false);
    EXPECT_EQ(bound_->Label(), nullptr);
    EXPECT_EQ(form_->ControlCount(), children - 1);
}

} // namespace
