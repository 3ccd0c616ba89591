#pragma once

// Hints are switched off from a left press on a skinned button until its release. The
// setting to restore is kept once for the whole program, so that a second press before a
// release cannot save "off" as the setting to restore.
class THintSuppression {
public:
    // Switches hints off for a press on the button, unless they are off already.
    static void Begin(const void* button);
    // Gives the saved setting back.
    static void End();
    // A button freed mid-press gives the hints back.
    static void Forget(const void* button);

private:
    bool m_active = false;
    bool m_savedShowHint = true;
    const void* m_pressedButton = nullptr;

    static THintSuppression& Record();
};
