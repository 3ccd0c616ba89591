#include <string>
#include <vector>

#include "ToolkitTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/toolkit/CBTHook.h"
#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/TLabel.h"
#include "platform/toolkit/TMessageForm.h"
#include "platform/toolkit/TScreen.h"
#include "platform/toolkit/WindowTable.h"

namespace {

class FormTest : public ToolkitTest {};

// The visible message box, if any.
TMessageForm* FindMessageBox() {
    for (TCustomForm* f : Screen->FormsTopToBottom())
        if (auto* m = dynamic_cast<TMessageForm*>(f)) return m;
    return nullptr;
}

TEST_F(FormTest, ShowModalRunsANestedLoopAndReturnsTheButtonsModalResult) {
    TForm* dialog = MakeForm(200, 100, TFormBorderStyle::bsDialog);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 10, 75, 25);
    ok->SetModalResult(mrOk);
    bool wasModal = false;
    Backend().Steps.push_back([&] {
        wasModal = dialog->IsModal() && Application->ModalLevel() == 1;
        TRect r = ok->ScreenRect();
        Push(TBackendEventKind::MouseDown, {r.Left + 5, r.Top + 5});
        Push(TBackendEventKind::MouseUp, {r.Left + 5, r.Top + 5});
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(Application->ModalLevel(), 0);
    EXPECT_FALSE(Backend().Starved);
}

TEST_F(FormTest, OtherFormsTakeNoInputWhileAModalFormShows) {
    TForm* main = MakeForm(300, 300);
    int mainDowns = 0;
    main->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mainDowns; };
    main->Show();
    TForm* dialog = MakeForm(50, 50, TFormBorderStyle::bsDialog);
    dialog->SetLeft(500);
    Backend().Steps.push_back([&] {
        Push(TBackendEventKind::MouseDown, {150, 150});
        Push(TBackendEventKind::MouseUp, {150, 150});
    });
    Backend().Steps.push_back([&] { dialog->SetModalResult(mrCancel); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(mainDowns, 0);
    EXPECT_TRUE(dialog->Active() == false && main->Active());
}

TEST_F(FormTest, CloseOnAModalFormCancelsIt) {
    TForm* dialog = MakeForm(100, 100, TFormBorderStyle::bsDialog);
    Backend().Steps.push_back([&] { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(FormTest, CloseActionNoneKeepsTheModalLoopRunning) {
    TForm* dialog = MakeForm(100, 100, TFormBorderStyle::bsDialog);
    int asked = 0;
    dialog->OnClose = [&](TObject*, TCloseAction& a) {
        if (++asked == 1) a = TCloseAction::caNone;
    };
    Backend().Steps.push_back([&] { dialog->SetModalResult(mrOk); });
    Backend().Steps.push_back([&] { dialog->SetModalResult(mrYes); });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_EQ(asked, 2);
}

TEST_F(FormTest, CloseActionFreeReleasesTheFormAfterQueuedMessages) {
    TForm* form = MakeForm();
    form->Show();
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& a) { a = TCloseAction::caFree; };
    form->Close();
    EXPECT_FALSE(destroyed);
    Pump();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(FormTest, ClosingTheMainFormEndsTheMessageLoop) {
    TForm* main = Application->CreateForm<TForm>();
    main->SetBounds(0, 0, 200, 200);
    Backend().Steps.push_back([&] { main->Close(); });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Backend().Starved);
}

TEST_F(FormTest, TitleBarCloseButtonClosesTheForm) {
    TForm* form = MakeForm(200, 100, TFormBorderStyle::bsDialog);
    form->Show();
    Pump();
    TRect close = form->CloseButtonRect().Offset(form->Left(), form->Top());
    ASSERT_FALSE(close.IsEmpty());
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(close.Left + 3, close.Top + 3)), HTCLOSE);
    Click(close.Left + 3, close.Top + 3);
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, ReleasingOffTheCloseButtonDoesNotClose) {
    TForm* form = MakeForm(200, 100, TFormBorderStyle::bsDialog);
    form->Show();
    TRect close = form->CloseButtonRect().Offset(form->Left(), form->Top());
    Press(close.Left + 3, close.Top + 3);
    Release(close.Left - 40, close.Top + 3);
    EXPECT_TRUE(form->Visible());
}

TEST_F(FormTest, DraggingTheCaptionMovesTheForm) {
    TForm* form = MakeForm(200, 100, TFormBorderStyle::bsSingle);
    form->Show();
    int x = form->Left() + 40, y = form->Top() + 10;
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(x, y)), HTCAPTION);
    Press(x, y);
    Move(x + 30, y + 20);
    Release(x + 30, y + 20);
    EXPECT_EQ(form->Left(), 130);
    EXPECT_EQ(form->Top(), 120);
    EXPECT_EQ(Backend().Windows[form->NativeWindow()].Bounds.Left, 130);
}

TEST_F(FormTest, AReplacedWindowProcedureTakesOverTheNonClientArea) {
    TForm* form = MakeForm(200, 100, TFormBorderStyle::bsDialog);
    int ncPaints = 0;
    TWndMethod old = form->WindowProc();
    form->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg == WM_NCHITTEST) {
            m.Result = HTCAPTION;
            return;
        }
        if (m.Msg == WM_NCPAINT) {
            ++ncPaints;
            return;
        }
        old(m);
    });
    form->Show();
    Pump();
    EXPECT_EQ(ncPaints, 1);
    int closeX = form->Left() + form->CloseButtonRect().Left + 3;
    Click(closeX, form->Top() + form->CloseButtonRect().Top + 3);
    EXPECT_TRUE(form->Visible());
}

TEST_F(FormTest, MaximisedFormCoversTheScreenAndFollowsItsSize) {
    TForm* form = MakeForm(200, 100);
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    form->SetWindowState(TWindowState::wsMaximized);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), (TRect{0, 0, 800, 600}));
    Backend().Screen = {1024, 768};
    Push(TBackendEventKind::ScreenResized);
    Pump();
    EXPECT_EQ(form->BoundsRect(), (TRect{0, 0, 1024, 768}));
    EXPECT_EQ(resizes, 2);
}

TEST_F(FormTest, ScreenCenterPositionsAtFirstShow) {
    TForm* form = MakeForm(200, 100);
    form->SetPosition(TPosition::poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), 300);
    EXPECT_EQ(form->Top(), 250);
}

TEST_F(FormTest, HookSeesCreationAndActivationBeforeTheFirstPresent) {
    TForm* form = MakeForm();
    std::vector<std::string> log;
    THookHandle hook = 0;
    hook = SetCBTHook([&](int code, THandle wnd, TLParam l) -> TLResult {
        log.push_back(std::to_string(code) + ":" + GetClassName(wnd) + ":" +
                      std::to_string(Backend().TotalPresents));
        return CallNextCBTHook(hook, code, wnd, l);
    });
    form->Show();
    Pump();
    delete form;
    UnhookCBTHook(hook);
    EXPECT_EQ(log, (std::vector<std::string>{"3:TForm:0", "5:TForm:0", "4:TForm:1"}));
}

TEST_F(FormTest, HookCanReplaceTheWindowProcedureOfTheFormBeingActivated) {
    TForm* form = MakeForm();
    int seen = 0;
    THookHandle hook = SetCBTHook([&](int code, THandle wnd, TLParam) -> TLResult {
        if (code == HCBT_ACTIVATE)
            if (auto* f = dynamic_cast<TCustomForm*>(WindowTable::Find(wnd))) {
                TWndMethod old = f->WindowProc();
                f->SetWindowProc([&seen, old](TMessage& m) {
                    if (m.Msg == WM_PAINT) ++seen;
                    old(m);
                });
            }
        return 0;
    });
    form->Show();
    Pump();
    UnhookCBTHook(hook);
    EXPECT_EQ(seen, 1);
}

TEST_F(FormTest, HookCanRefuseAnActivation) {
    TForm* form = MakeForm();
    THookHandle hook =
        SetCBTHook([](int code, THandle, TLParam) -> TLResult { return code == HCBT_ACTIVATE; });
    form->Show();
    UnhookCBTHook(hook);
    EXPECT_FALSE(form->Active());
    EXPECT_TRUE(form->Visible());
}

class TThrowingForm : public TForm {
public:
    explicit TThrowingForm(TComponent* owner) : TForm(owner) {
        TFormDesign design;
        design.Form([this](TCustomForm& f) {
            f.SetBounds(10, 10, 200, 100);
            f.OnCreate = [this](TObject*) {
                Step = 1;
                throw EFOpenError("Cannot open file \"Texts.txt\"");
            };
        });
        LoadDesign(design);
    }
    int Step = 0;
};

TEST_F(FormTest, ExceptionInCreationHandlerIsShownInAMessageBoxAndTheFormStillOpens) {
    std::string shownText, shownClass;
    Backend().Steps.push_back([&] {
        TMessageForm* box = FindMessageBox();
        ASSERT_NE(box, nullptr);
        shownClass = box->ClassName();
        shownText = box->MessageLabel()->Caption();
        EXPECT_EQ(box->IconKind(), MB_ICONERROR);
        TBackendEvent e;
        e.Kind = TBackendEventKind::KeyDown;
        e.Key = VK_RETURN;
        Backend().Events.push_back(e);
    });
    auto* form = new TThrowingForm(Application);
    EXPECT_EQ(shownClass, "TMessageForm");
    EXPECT_EQ(shownText, "Cannot open file \"Texts.txt\"");
    EXPECT_EQ(form->Step, 1);
    EXPECT_FALSE(form->IsCreating());
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(FindMessageBox(), nullptr);
}

TEST_F(FormTest, MessageBoxAnswersWithItsButtons) {
    Backend().Steps.push_back([&] {
        TMessageForm* box = FindMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Caption(), "Question");
        TBackendEvent e;
        e.Kind = TBackendEventKind::KeyDown;
        e.Key = VK_ESCAPE;
        Backend().Events.push_back(e);
    });
    EXPECT_EQ(MessageBox("Go on?", "Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    Backend().Steps.push_back([&] {
        TRect r =
            FindMessageBox()->CloseButtonRect().Offset(FindMessageBox()->Left(), FindMessageBox()->Top());
        Push(TBackendEventKind::MouseDown, {r.Left + 3, r.Top + 3});
        Push(TBackendEventKind::MouseUp, {r.Left + 3, r.Top + 3});
    });
    EXPECT_EQ(MessageBox("Done.", "Info", MB_OK | MB_ICONEXCLAMATION), IDOK);
}

TEST_F(FormTest, FormsAreListedFromLastCreatedToFirst) {
    TForm* a = MakeForm();
    TForm* b = MakeForm();
    auto forms = Application->FormsLastToFirst();
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(forms[0], b);
    EXPECT_EQ(forms[1], a);
}

TEST_F(FormTest, StayOnTopFormsListAboveOthers) {
    TForm* top = MakeForm();
    top->SetFormStyle(TFormStyle::fsStayOnTop);
    top->Show();
    TForm* normal = MakeForm();
    normal->Show();
    auto z = Screen->FormsTopToBottom();
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[0], top);
    EXPECT_TRUE(normal->Active());
}

TEST_F(FormTest, DeactivatingOneFormActivatesWhatIsBelowWhenHidden) {
    TForm* a = MakeForm();
    a->Show();
    TForm* b = MakeForm();
    std::vector<std::string> log;
    a->OnActivate = [&](TObject*) { log.push_back("a+"); };
    a->OnDeactivate = [&](TObject*) { log.push_back("a-"); };
    b->OnActivate = [&](TObject*) { log.push_back("b+"); };
    b->Show();
    b->Hide();
    EXPECT_EQ(log, (std::vector<std::string>{"a-", "b+", "a+"}));
}

} // namespace

namespace {

TEST_F(FormTest, ClientSizeOfANewDialogFormAddsTheFrame) {
    TForm* form = MakeForm();
    form->SetBounds(0, 0, 0, 0);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetClientWidth(363);
    form->SetClientHeight(162);
    EXPECT_EQ(form->ClientWidth(), 363);
    EXPECT_EQ(form->ClientHeight(), 162);
    const TRect in = form->NonClientInsets();
    EXPECT_GT(in.Top, in.Bottom); // the title bar
    EXPECT_EQ(form->Width(), 363 + in.Left + in.Right);
    EXPECT_EQ(form->Height(), 162 + in.Top + in.Bottom);
}

TEST_F(FormTest, MessageBoxShowsItsButtonInsideTheClientArea) {
    auto* box = new TMessageForm(Application, "Some text", "Warning", MB_OK | MB_ICONEXCLAMATION);
    TControl* ok = box->FindComponent("OK") ? dynamic_cast<TControl*>(box->FindComponent("OK")) : nullptr;
    ASSERT_NE(ok, nullptr);
    EXPECT_LE(ok->Top() + ok->Height(), box->ClientHeight());
    EXPECT_LE(ok->Left() + ok->Width(), box->ClientWidth());
    delete box;
}

} // namespace
