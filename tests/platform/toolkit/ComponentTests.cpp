#include <string>
#include <vector>

#include "ToolkitTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TLabel.h"
#include "platform/toolkit/TTimer.h"

namespace {

class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TProbe"; }
    std::vector<std::string>* Log = nullptr;
    TComponent* Partner = nullptr;
    ~TProbe() override {
        if (Log) Log->push_back("free:" + Name());
    }
    void Loaded() override {
        if (Log) Log->push_back("loaded:" + Name() + (IsLoading() ? ":loading" : ""));
        TComponent::Loaded();
    }

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == Partner) Partner = nullptr;
    }
};

TEST(ComponentTest, OwnerFreesItsComponentsLastCreatedFirst) {
    std::vector<std::string> log;
    auto* owner = new TProbe(nullptr);
    for (const char* n : {"a", "b"}) {
        auto* p = new TProbe(owner);
        p->SetName(n);
        p->Log = &log;
    }
    delete owner;
    EXPECT_EQ(log, (std::vector<std::string>{"free:b", "free:a"}));
}

TEST(ComponentTest, SiblingsHearOfARemoval) {
    TProbe owner(nullptr);
    auto* a = new TProbe(&owner);
    auto* b = new TProbe(&owner);
    a->Partner = b;
    delete b;
    EXPECT_EQ(a->Partner, nullptr);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(ComponentTest, NamesAreUniqueAmongSiblingsAndFoundIgnoringCase) {
    TProbe owner(nullptr);
    auto* a = new TProbe(&owner);
    a->SetName("Timer1");
    auto* b = new TProbe(&owner);
    EXPECT_THROW(b->SetName("timer1"), Exception);
    EXPECT_EQ(owner.FindComponent("TIMER1"), a);
}

TEST(JsonWriterTest, WritesNestedValuesWithEscapes) {
    TJsonWriter j;
    j.BeginObject();
    j.Field("text", "a\"b\\\n\x01");
    j.Key("list");
    j.BeginArray();
    j.Int(-3);
    j.Bool(true);
    j.Null();
    j.EndArray();
    j.Key("bounds");
    j.Bounds({1, 2, 11, 22});
    j.EndObject();
    EXPECT_EQ(j.Text(), R"({"text":"a\"b\\\n\u0001","list":[-3,true,null],"bounds":[1,2,10,20]})");
}

TEST(JsonWriterTest, InvalidUtf8BecomesReplacementCharacter) {
    TJsonWriter j;
    j.String("\xff");
    EXPECT_EQ(j.Text(), "\"\xEF\xBF\xBD\"");
}

class MessageTest : public ToolkitTest {};

TEST_F(MessageTest, PerformAndSendMessageReachTheSameHandlerSkinCommandIncluded) {
    TForm* form = MakeForm();
    auto* b = new TButton(form);
    b->SetParent(form);
    std::vector<TWParam> seen;
    TWndMethod old = b->WindowProc();
    b->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg == WM_SKINCOMMAND) {
            seen.push_back(m.WParam);
            m.Result = 41;
            m.LParam = 1;
            return;
        }
        old(m);
    });
    EXPECT_EQ(b->Perform(WM_SKINCOMMAND, MakeWParam(0, 7)), 41);
    EXPECT_EQ(SendMessage(b->Handle(), WM_SKINCOMMAND, MakeWParam(1, 3), 0), 41);
    EXPECT_EQ(seen, (std::vector<TWParam>{MakeWParam(0, 7), MakeWParam(1, 3)}));
}

TEST_F(MessageTest, RestoringTheSavedProcedureStopsTheReplacement) {
    TForm* form = MakeForm();
    int seen = 0;
    TWndMethod saved = form->WindowProc();
    form->SetWindowProc([&, saved](TMessage& m) {
        ++seen;
        saved(m);
    });
    form->Perform(WM_NULL);
    form->SetWindowProc(saved);
    form->Perform(WM_NULL);
    EXPECT_EQ(seen, 1);
}

TEST_F(MessageTest, PostedMessagesWaitForTheLoopAndDeadWindowsDropThem) {
    TForm* form = MakeForm();
    TForm* gone = MakeForm();
    std::vector<std::uint32_t> seen;
    TWndMethod old = form->WindowProc();
    form->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg >= WM_USER) seen.push_back(m.Msg);
        old(m);
    });
    THandle goneHandle = gone->Handle();
    EXPECT_TRUE(PostMessage(form->Handle(), WM_USER + 1));
    EXPECT_TRUE(PostMessage(goneHandle, WM_USER + 9));
    delete gone;
    EXPECT_TRUE(PostMessage(form->Handle(), WM_USER + 2));
    EXPECT_TRUE(seen.empty());
    Pump();
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{WM_USER + 1, WM_USER + 2}));
    EXPECT_FALSE(PostMessage(goneHandle, WM_USER));
}

TEST_F(MessageTest, SetBoundsSendsPositionAndSizeNotifications) {
    TForm* form = MakeForm();
    auto* b = new TButton(form);
    b->SetParent(form);
    std::vector<std::uint32_t> seen;
    TWndMethod old = b->WindowProc();
    b->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg == WM_WINDOWPOSCHANGING || m.Msg == WM_WINDOWPOSCHANGED || m.Msg == WM_MOVE ||
            m.Msg == WM_SIZE)
            seen.push_back(m.Msg);
        old(m);
    });
    b->SetBounds(5, 6, 75, 25);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    seen.clear();
    b->SetWidth(90);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}));
}

TEST_F(MessageTest, PropertyChangesSendTheirNotifications) {
    TForm* form = MakeForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    std::vector<std::uint32_t> seen;
    TWndMethod old = label->WindowProc();
    label->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg >= CM_BASE && m.Msg < CN_BASE) seen.push_back(m.Msg);
        old(m);
    });
    label->SetCaption("x");
    label->SetVisible(false);
    label->SetEnabled(false);
    label->ChangeFont([](TFont& f) { f.SetHeight(-20); });
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{CM_TEXTCHANGED, CM_VISIBLECHANGED, CM_ENABLEDCHANGED,
                                                CM_FONTCHANGED}));
}

TEST_F(MessageTest, ChildrenFollowTheParentFontUntilGivenTheirOwn) {
    TForm* form = MakeForm();
    auto* a = new TLabel(form);
    a->SetParent(form);
    auto* b = new TLabel(form);
    b->SetParent(form);
    b->ChangeFont([](TFont& f) { f.SetHeight(-30); });
    form->ChangeFont([](TFont& f) { f.SetHeight(-16); });
    EXPECT_EQ(a->Font().Height(), -16);
    EXPECT_EQ(b->Font().Height(), -30);
}

TEST_F(MessageTest, AnchoredChildrenFollowTheParentsResize) {
    TForm* form = MakeForm(200, 100);
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetBounds(100, 50, 80, 30);
    b->SetAnchors({TAnchorKind::akRight, TAnchorKind::akBottom});
    form->SetClientWidth(300);
    form->SetClientHeight(150);
    EXPECT_EQ(b->BoundsRect(), TRect::FromBounds(200, 100, 80, 30));
}

class TDesignedForm : public TForm {
public:
    TDesignedForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner) {
        TFormDesign design;
        design.Form([&log](TCustomForm& f) {
            log.push_back(std::string("form") + (f.IsReading() ? ":reading" : ""));
            f.SetCaption("Designed");
            f.OnCreate = [&log](TObject*) { log.push_back("create"); };
        });
        design.Add<TButton>("Button1", "", &Button1, {[&log](TButton& b) {
                                log.push_back(std::string("button") + (b.IsReading() ? ":reading" : "") +
                                              (b.IsLoading() ? ":loading" : ""));
                                b.SetCaption("OK");
                            }});
        design.Add<TLabel>("Label1", "Button1", &Label1, {[](TLabel& l) { l.SetCaption("in button"); }});
        design.Add<TProbe>("Probe1", "", &Probe1, {[&log](TProbe& p) { p.Log = &log; }});
        LoadDesign(design);
    }
    TButton* Button1 = nullptr;
    TLabel* Label1 = nullptr;
    TProbe* Probe1 = nullptr;
};

TEST_F(MessageTest, StoredDesignIsAppliedWhileReadingThenLoadedThenCreated) {
    std::vector<std::string> log;
    auto* form = new TDesignedForm(Application, log);
    EXPECT_EQ(log, (std::vector<std::string>{"form:reading", "button:reading:loading",
                                             "loaded:Probe1:loading", "create"}));
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Button1->Caption(), "OK");
    EXPECT_EQ(form->Button1->Parent(), form);
    EXPECT_EQ(form->Label1->Parent(), form->Button1);
    EXPECT_FALSE(form->Button1->IsLoading());
    EXPECT_EQ(form->FindComponent("Label1"), form->Label1);
    EXPECT_EQ(form->Caption(), "Designed");
    delete form;
    EXPECT_EQ(log.back(), "free:Probe1");
}

TEST_F(MessageTest, DumpWritesTheControlTree) {
    TForm* form = MakeForm(200, 100);
    form->SetName("Form1");
    auto* b = new TButton(form);
    b->SetName("Button1");
    b->SetParent(form);
    b->SetBounds(10, 20, 75, 25);
    TJsonWriter j;
    form->WriteDump(j);
    const std::string& t = j.Text();
    EXPECT_NE(t.find(R"("class":"TForm","name":"Form1")"), std::string::npos);
    EXPECT_NE(t.find(R"("class":"TButton","name":"Button1","text":"Button1","bounds":[10,20,75,25],)"
                     R"("screen":[110,120,75,25])"),
              std::string::npos);
    EXPECT_NE(t.find(R"("hot":false,"pressed":false)"), std::string::npos);
}

} // namespace
