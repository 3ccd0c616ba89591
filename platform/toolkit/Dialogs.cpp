#include "platform/toolkit/Dialogs.h"

#include <memory>

#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TMessageForm.h"

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (!Application) return IDCANCEL;
    // Owned by the application so that it is on the forms list while it shows, and freed here.
    auto* form = new TMessageForm(Application, text, caption, flags);
    TModalResult result = mrCancel;
    try {
        result = form->ShowModal();
    } catch (...) {
        delete form;
        throw;
    }
    int answer = form->AnswerFor(result);
    delete form;
    return answer;
}
