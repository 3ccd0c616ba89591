#include "app/Startup.h"

#include <memory>
#include <span>

#include "app/ProgramIcon.h"
#include "app/StartupMode.h"
#include "app/TForm1.h"
#include "app/TfrmOptions.h"
#include "controls/TacFrameSkinning.h"
#include "controls/TsEditLabel.h"
#include "platform/automation/HeadlessSession.h"
#include "platform/backends/BackendFactory.h"
#include "platform/os/TNamedMutex.h"
#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/TApplication.h"
#include "skin/SkinMessages.h"

namespace {

// The application, made the first time a window is to run.
class TApplicationHolder {
public:
    // Null when no backend can start; the reason is already on standard error.
    TApplication* Get() {
        if (!m_application) {
            std::unique_ptr<TBackend> backend =
                CreateBackendFromEnvironment(CreateHeadlessBackendFromEnvironment);
            if (!backend) return nullptr;
            m_application = std::make_unique<TApplication>(std::move(backend));
            m_application->Initialize();
            m_application->Backend().SetIcon(ProgramIcon());
            // The default manager's first skin hooks the windows, so their frames wear it.
            TacFrameSkinning::Register();
            // The skin engine's warnings become modal message boxes of the running program.
            SetSkinMessageHook([](const TSkinMessage& message) {
                MessageBox(message.Text, message.Caption, MB_OK | MB_ICONEXCLAMATION);
            });
        }
        return m_application.get();
    }

private:
    std::unique_ptr<TApplication> m_application;
};

} // namespace

int RunProgram(const std::vector<std::string>& commandLine) {
    // The lock is never released by the program: the system drops it when the process ends,
    // however it ends.
    static auto* const singleInstance = new TNamedMutex(SingleInstanceName);
    if (singleInstance->AlreadyExists()) return 0;

    const std::string programExtension =
        commandLine.empty() ? std::string() : ProgramFileExtension(commandLine.front());
    const std::span<const std::string> arguments =
        commandLine.empty() ? std::span<const std::string>() : std::span(commandLine).subspan(1);
    const TStartupPlan plan = PlanStartup(programExtension, ModeLetter(arguments));

    // Caption labels of skinned controls are skinned labels.
    TsEditLabel::InstallAsBoundLabel();

    TApplicationHolder holder;
    if (plan.RunMainScreen) {
        TApplication* application = holder.Get();
        if (!application) return 1;
        application->CreateForm<TForm1>(&Form1);
        application->Run();
    }
    if (plan.RunOptions) {
        TApplication* application = holder.Get();
        if (!application) return 1;
        application->CreateForm<TfrmOptions>(&frmOptions);
        // After the main screen the application is already ending: the dialog's loop then
        // handles a single message, and the process ends with it.
        if (application->Terminated())
            application->HandleMessage();
        else
            application->Run();
    }
    return 0;
}
