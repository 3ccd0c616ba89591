#include "platform/automation/TScriptDriver.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/automation/ScriptParser.h"
#include "platform/core/Exceptions.h"
#include "platform/core/VirtualKeys.h"
#include "platform/graphics/PngWriter.h"
#include "platform/os/FileSystem.h"

namespace {

// The modifier keys of a stroke in the order they go down.
std::vector<int> ModifierKeys(std::uint32_t modifiers) {
    std::vector<int> keys;
    if (modifiers & ssCtrl) keys.push_back(VK_CONTROL);
    if (modifiers & ssShift) keys.push_back(VK_SHIFT);
    if (modifiers & ssAlt) keys.push_back(VK_MENU);
    return keys;
}

void StrokeDown(THeadlessBackend& backend, const TKeyStroke& stroke) {
    for (int key : ModifierKeys(stroke.Modifiers))
        backend.PressKey(key);
    backend.PressKey(stroke.Key);
    if (!stroke.Text.empty()) backend.TypeText(stroke.Text);
}

void StrokeUp(THeadlessBackend& backend, const TKeyStroke& stroke) {
    backend.ReleaseKey(stroke.Key);
    const std::vector<int> keys = ModifierKeys(stroke.Modifiers);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        backend.ReleaseKey(*it);
}

TPoint Centre(const TRect& r) {
    return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
}

} // namespace

void EndProcessNow(int status) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}

TScriptDriver::TScriptDriver(THeadlessBackend& backend, std::unique_ptr<TScriptReader> reader, TFinish finish)
    : m_backend(backend), m_reader(std::move(reader)), m_finish(std::move(finish)), m_out(&std::cout),
      m_err(&std::cerr) {
    if (!m_finish) m_finish = [](int status) { EndProcessNow(status); };
}

void TScriptDriver::Attach() {
    m_backend.SetIdleHandler([this](std::optional<std::uint64_t> deadlineMs) { OnIdle(deadlineMs); });
}

void TScriptDriver::Finish(int status) {
    m_finished = true;
    m_finish(status);
}

void TScriptDriver::OnIdle(std::optional<std::uint64_t> deadlineMs) {
    if (m_finished) return;
    if (m_waitUntil) {
        StepWait(deadlineMs);
        return;
    }
    while (auto line = m_reader ? m_reader->Next() : std::nullopt) {
        if (line->IsTooLong) {
            *m_err << "script line " << line->Number << ": line longer than " << TScriptReader::MaxLineLength
                   << " bytes\n";
            Finish(2);
            return;
        }
        const TScriptLineResult parsed = ParseScriptLine(line->Text, line->Number);
        if (parsed.IsError()) {
            *m_err << "script " << parsed.Error << "\n";
            Finish(2);
            return;
        }
        if (!parsed.Command) continue;
        if (!Execute(*parsed.Command, deadlineMs)) Finish(2);
        // The toolkit handles what the command caused before the next one runs.
        return;
    }
    Finish(0);
}

void TScriptDriver::StepWait(std::optional<std::uint64_t> deadlineMs) {
    const std::uint64_t target = *m_waitUntil;
    // Stop at the next timer deadline so that timers run one after another, in order.
    if (deadlineMs && *deadlineMs < target) {
        m_backend.Clock().AdvanceTo(*deadlineMs);
        return;
    }
    m_backend.Clock().AdvanceTo(target);
    m_waitUntil.reset();
}

bool TScriptDriver::Fail(const TScriptCommand& command, const std::string& why) {
    *m_err << "script line " << command.Line << ": " << why << "\n";
    return false;
}

bool TScriptDriver::Execute(const TScriptCommand& command, std::optional<std::uint64_t> deadlineMs) {
    switch (command.Kind) {
    case TScriptCommandKind::Screen:
        m_backend.ResizeScreen(command.Size);
        return true;
    case TScriptCommandKind::Move:
        m_backend.MoveMouse(command.Point);
        return true;
    case TScriptCommandKind::Press:
        m_backend.PressMouse(command.Point, command.Button);
        return true;
    case TScriptCommandKind::Release:
        m_backend.ReleaseMouse(command.Point, command.Button);
        return true;
    case TScriptCommandKind::Click:
        m_backend.PressMouse(command.Point, command.Button);
        m_backend.ReleaseMouse(command.Point, command.Button);
        return true;
    case TScriptCommandKind::ClickName: {
        if (!m_target) return Fail(command, "no window toolkit to find \"" + command.Text + "\" in");
        const std::optional<TRect> bounds = m_target->FindNamedControl(command.Text);
        if (!bounds) return Fail(command, "no visible control or form is named \"" + command.Text + "\"");
        m_backend.PressMouse(Centre(*bounds), command.Button);
        m_backend.ReleaseMouse(Centre(*bounds), command.Button);
        return true;
    }
    case TScriptCommandKind::Wheel:
        m_backend.TurnWheel(command.Point, command.WheelDelta);
        return true;
    case TScriptCommandKind::Key:
        StrokeDown(m_backend, command.Stroke);
        StrokeUp(m_backend, command.Stroke);
        return true;
    case TScriptCommandKind::KeyDown:
        StrokeDown(m_backend, command.Stroke);
        return true;
    case TScriptCommandKind::KeyUp:
        StrokeUp(m_backend, command.Stroke);
        return true;
    case TScriptCommandKind::Type:
        m_backend.TypeText(command.Text);
        return true;
    case TScriptCommandKind::Wait:
        m_waitUntil = m_backend.NowMs() + command.Milliseconds;
        StepWait(deadlineMs);
        return true;
    case TScriptCommandKind::Dump:
        return WriteDump(command);
    case TScriptCommandKind::Shot:
        return WriteShot(command);
    }
    return Fail(command, "unknown command");
}

bool TScriptDriver::WriteDump(const TScriptCommand& command) {
    if (!m_target) return Fail(command, "no window toolkit to dump");
    const std::string json = m_target->DumpWindowTree();
    if (command.Text == "-") {
        *m_out << json << "\n";
        m_out->flush();
        return true;
    }
    try {
        WriteFileAtomically(command.Text, json + "\n");
    } catch (const Exception& e) {
        return Fail(command, "cannot write the dump: " + e.Message());
    }
    return true;
}

bool TScriptDriver::WriteShot(const TScriptCommand& command) {
    try {
        WritePng(m_backend.Screen().Compose(), command.Text);
    } catch (const Exception& e) {
        return Fail(command, "cannot write the screenshot: " + e.Message());
    }
    return true;
}
