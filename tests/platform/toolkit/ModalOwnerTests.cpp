#include "ToolkitTestSupport.h"
#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TComboBox.h"
#include "platform/toolkit/TMessageForm.h"
#include "platform/toolkit/TScreen.h"

namespace {

class ModalOwnerTest : public ToolkitTest {
protected:
    const TVirtualWindow& Native(const TCustomForm& form) {
        return *Backend().Screen().Find(form.NativeWindow());
    }
};

TEST_F(ModalOwnerTest, AModalFormBelongsToTheActiveFormWhileItRuns) {
    TForm* main = MakeForm(300, 300);
    main->Show();
    TForm* dialog = MakeForm(50, 50, TFormBorderStyle::bsDialog);
    TNativeWindowId ownerWhileModal = 0;
    bool modalWhileModal = false;
    Steps.push_back([&] {
        ownerWhileModal = Native(*dialog).Owner;
        modalWhileModal = Native(*dialog).Modal;
        dialog->SetModalResult(mrOk);
    });
    dialog->ShowModal();
    EXPECT_EQ(ownerWhileModal, main->NativeWindow());
    EXPECT_TRUE(modalWhileModal);
    EXPECT_EQ(Native(*dialog).Owner, 0u);
    EXPECT_FALSE(Native(*dialog).Modal);
}

TEST_F(ModalOwnerTest, AMessageBoxBelongsToTheModalFormThatShowsIt) {
    TForm* main = MakeForm(300, 300);
    main->Show();
    TForm* dialog = MakeForm(200, 100, TFormBorderStyle::bsDialog);
    auto* ask = new TButton(dialog);
    ask->SetParent(dialog);
    ask->SetBounds(10, 10, 75, 25);
    ask->OnClick = [](TObject*) { MessageBox("text", "caption", MB_OK); };
    TNativeWindowId boxOwner = 0;
    Steps.push_back([&] {
        const TRect r = ask->ScreenRect();
        Push(TBackendEventKind::MouseDown, {r.Left + 5, r.Top + 5});
        Push(TBackendEventKind::MouseUp, {r.Left + 5, r.Top + 5});
    });
    Steps.push_back([&] {
        for (TCustomForm* f : Screen->FormsTopToBottom())
            if (auto* box = dynamic_cast<TMessageForm*>(f)) {
                boxOwner = Native(*box).Owner;
                box->SetModalResult(mrOk);
            }
    });
    Steps.push_back([&] { dialog->SetModalResult(mrOk); });
    dialog->ShowModal();
    EXPECT_EQ(boxOwner, dialog->NativeWindow());
    EXPECT_FALSE(Starved);
}

// The window system may hand the owner the focus on a press without telling the program
// (a window manager's click to focus): the press gives it back to the modal form.
TEST_F(ModalOwnerTest, APressOnTheOwnerGivesTheFocusBackToTheModalForm) {
    TForm* main = MakeForm(300, 300);
    main->Show();
    TForm* dialog = MakeForm(50, 50, TFormBorderStyle::bsDialog);
    dialog->SetLeft(500);
    TNativeWindowId activeAfterPress = 0, topAfterPress = 0;
    Steps.push_back([&] {
        Backend().RaiseWindow(main->NativeWindow());
        Push(TBackendEventKind::MouseDown, {150, 150});
        Push(TBackendEventKind::MouseUp, {150, 150});
    });
    Steps.push_back([&] {
        activeAfterPress = Backend().ActiveWindow();
        topAfterPress = Backend().Screen().TopToBottom().front();
        dialog->SetModalResult(mrCancel);
    });
    dialog->ShowModal();
    EXPECT_EQ(activeAfterPress, dialog->NativeWindow());
    EXPECT_EQ(topAfterPress, dialog->NativeWindow());
    EXPECT_TRUE(dialog->Active() || !dialog->Visible());
}

TEST_F(ModalOwnerTest, AComboBoxListBelongsToTheFormItDropsFrom) {
    TForm* form = MakeForm(300, 300);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 120, 21);
    combo->Items().Add("one");
    form->Show();
    Pump();
    combo->SetDroppedDown(true);
    Pump();
    const TCustomForm* list = nullptr;
    for (TCustomForm* f : Screen->FormsTopToBottom())
        if (f != form && f->Visible()) list = f;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Native(*list).Owner, form->NativeWindow());
    EXPECT_FALSE(Native(*list).Modal);
}

} // namespace
