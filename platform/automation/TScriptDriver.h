#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "platform/automation/TAutomationTarget.h"
#include "platform/automation/TScriptCommand.h"
#include "platform/automation/TScriptReader.h"
#include "platform/backends/headless/THeadlessBackend.h"

// Runs an automation script against the headless backend. It is the backend's idle handler:
// each time the toolkit has handled every pending message, painted, and would wait, the
// driver runs the next command, so commands also run inside a modal dialog's nested loop.
// A wait spans several idle turns: the clock moves to each timer deadline in turn, so that
// due timers run in order, and then to the end of the wait.
class TScriptDriver {
public:
    // Called once at the end: status 0 after the last line, 2 after a bad line or a command
    // that cannot be carried out. The default flushes the standard streams and ends the
    // process at once, without close handlers.
    using TFinish = std::function<void(int status)>;

    TScriptDriver(THeadlessBackend& backend, std::unique_ptr<TScriptReader> reader, TFinish finish = {});

    // The toolkit side; without one, dump and click NAME stop the script.
    void SetTarget(TAutomationTarget* target) { m_target = target; }
    // Where "dump -" writes and where messages go (standard output and error by default).
    void SetStreams(std::ostream& out, std::ostream& err) {
        m_out = &out;
        m_err = &err;
    }
    // Installs this driver as the backend's idle handler.
    void Attach();

    void OnIdle(std::optional<std::uint64_t> deadlineMs);

    // Carries out one command; false, with a message on the error stream, when it cannot.
    bool Execute(const TScriptCommand& command, std::optional<std::uint64_t> deadlineMs);

private:
    void StepWait(std::optional<std::uint64_t> deadlineMs);
    void Finish(int status);
    bool Fail(const TScriptCommand& command, const std::string& why);
    bool WriteDump(const TScriptCommand& command);
    bool WriteShot(const TScriptCommand& command);

    THeadlessBackend& m_backend;
    std::unique_ptr<TScriptReader> m_reader;
    TFinish m_finish;
    TAutomationTarget* m_target = nullptr;
    std::ostream* m_out;
    std::ostream* m_err;
    std::optional<std::uint64_t> m_waitUntil;
    bool m_finished = false;
};

// The finish action of a real run: flush and leave the process with the status at once.
[[noreturn]] void EndProcessNow(int status);
