#include "platform/automation/HeadlessSession.h"
#include "platform/backends/BackendFactory.h"
#include "platform/toolkit/TApplication.h"
#include "tools/quibbleton-demo/TDemoForm.h"

int main() {
    std::unique_ptr<TBackend> backend = CreateBackendFromEnvironment(CreateHeadlessBackendFromEnvironment);
    // The reason is already on standard error.
    if (!backend) return 1;
    TApplication application(std::move(backend));
    application.Initialize();
    application.SetTitle("Demo");
    application.CreateForm<TDemoForm>();
    application.Run();
    return 0;
}
