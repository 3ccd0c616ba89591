#include "BindingTestSupport.h"

#include "platform/toolkit/TLabel.h"
#include "render/KindCodes.h"
#include "render/TsBoundLabel.h"

namespace {

class BoundLabelTest : public BindingTest {
protected:
    void SetUp() override {
        edit_ = Add<TTestSkinned>(KindCode::Edit, form_, {100, 50, 220, 72}, "");
        edit_->SetName("sEdit1");
        bound_ = std::make_unique<TsBoundLabel>(edit_->Binding());
    }
    void TearDown() override { bound_.reset(); }

    TTestSkinned* edit_ = nullptr;
    std::unique_ptr<TsBoundLabel> bound_;
};

TEST_F(BoundLabelTest, ActiveCreatesANamedLabelBesideTheControl) {
    bound_->SetActive(true);
    TLabel* label = bound_->Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Name(), "sEdit1Label");
    EXPECT_EQ(label->Caption(), "sEdit1");
    EXPECT_EQ(bound_->Caption(), "sEdit1");
    EXPECT_EQ(label->Parent(), form_);
    EXPECT_EQ(label->FocusControl(), edit_);
    bound_->SetActive(false);
    EXPECT_EQ(bound_->Label(), nullptr);
}

TEST_F(BoundLabelTest, LeftLayoutEndsIndentAndFourPixelsBeforeTheControl) {
    bound_->SetIndent(2);
    bound_->SetActive(true);
    const TLabel& label = *bound_->Label();
    EXPECT_EQ(label.Left(), edit_->Left() - label.Width() - 2 - 4);
    EXPECT_EQ(label.Top(), edit_->Top() + (edit_->Height() - label.Height()) / 2 - 1);
    EXPECT_EQ(label.Alignment(), TAlignment::taRightJustify);
}

TEST_F(BoundLabelTest, TopLayoutsSitAboveTheControl) {
    bound_->SetIndent(3);
    bound_->SetActive(true);
    const TLabel& label = *bound_->Label();
    bound_->SetLayout(TsCaptionLayout::sclTopLeft);
    EXPECT_EQ(label.Left(), edit_->Left());
    EXPECT_EQ(label.Top(), edit_->Top() - label.Height() - 3);
    EXPECT_EQ(label.Alignment(), TAlignment::taLeftJustify);
    bound_->SetLayout(TsCaptionLayout::sclTopCenter);
    EXPECT_EQ(label.Left(), edit_->Left() + (edit_->Width() - label.Width()) / 2);
    EXPECT_EQ(label.Alignment(), TAlignment::taCenter);
    bound_->SetLayout(TsCaptionLayout::sclTopRight);
    EXPECT_EQ(label.Left(), edit_->Left() + edit_->Width() - label.Width());
    EXPECT_EQ(label.Alignment(), TAlignment::taRightJustify);
}

TEST_F(BoundLabelTest, MaxWidthWrapsAndTakesTheControlsHeight) {
    bound_->SetCaption("A rather long caption");
    bound_->SetActive(true);
    bound_->SetMaxWidth(30);
    const TLabel& label = *bound_->Label();
    EXPECT_FALSE(label.AutoSize());
    EXPECT_TRUE(label.WordWrap());
    EXPECT_EQ(label.Width(), 30);
    EXPECT_GE(label.Height(), edit_->Height());
}

TEST_F(BoundLabelTest, UseSkinColorReadsTrueWithoutALabel) {
    bound_->SetUseSkinColor(false);
    EXPECT_TRUE(bound_->UseSkinColor());
    bound_->SetActive(true);
    EXPECT_FALSE(bound_->UseSkinColor());
}

TEST_F(BoundLabelTest, LabelFreedWithItsParentIsForgotten) {
    auto* panel = Add<TTestSkinned>(51, form_, {0, 0, 300, 200}, "");
    auto* edit = Add<TTestSkinned>(KindCode::Edit, panel, {100, 50, 220, 72}, "");
    edit->SetName("sEdit2");
    TsBoundLabel bound(edit->Binding());
    bound.SetActive(true);
    ASSERT_NE(bound.Label(), nullptr);
    edit->SetParent(form_);
    delete panel; // frees the label, its child
    EXPECT_EQ(bound.Label(), nullptr);
}

// A label of another layer, made through the factory hook.
class TFactoryLabel : public TLabel, public TsBoundCaption {
public:
    TFactoryLabel(TComponent* owner, TsBoundLabel& bound) : TLabel(owner), m_bound(bound) {}
    ~TFactoryLabel() override { m_bound.ForgetLabel(); }
    bool UseSkinColor() const override { return m_use; }
    void SetUseSkinColor(bool use) override { m_use = use; }

private:
    TsBoundLabel& m_bound;
    bool m_use = true;
};

TLabel* MakeFactoryLabel(TComponent* owner, TsBoundLabel& bound) {
    return new TFactoryLabel(owner, bound);
}

TEST_F(BoundLabelTest, FactoryMakesTheLabelAndHearsUseSkinColor) {
    SetBoundLabelFactory(&MakeFactoryLabel);
    bound_->SetUseSkinColor(false);
    bound_->SetActive(true);
    auto* label = dynamic_cast<TFactoryLabel*>(bound_->Label());
    SetBoundLabelFactory(nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Name(), "sEdit1Label");
    EXPECT_FALSE(label->UseSkinColor());
    bound_->SetUseSkinColor(true);
    EXPECT_TRUE(label->UseSkinColor());
    bound_->SetActive(false);
    EXPECT_EQ(bound_->Label(), nullptr);
}

TEST_F(BoundLabelTest, FactoryLabelGoingOnItsOwnMakesTheBoundLabelInactive) {
    SetBoundLabelFactory(&MakeFactoryLabel);
    bound_->SetActive(true);
    SetBoundLabelFactory(nullptr);
    delete bound_->Label();
    EXPECT_EQ(bound_->Label(), nullptr);
    EXPECT_FALSE(bound_->Active());
}

} // namespace
