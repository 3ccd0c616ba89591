#pragma once

#include <string>

// Script pieces the end-to-end tests share.
namespace script {

// Clicks a button, shows the dialog's state on standard output, and closes the dialog.
inline std::string ClickAndDumpPhrase(const std::string& button = "sButton1") {
    return "click " + button + "\ndump -\nkey Alt+F4\n";
}

// A press of a mouse button on the main screen's background (no button lies in its top-left
// corner at any screen size), and time for the window to close.
inline std::string PressBackground(const std::string& button = "right") {
    return "press 2 2 " + button + "\nrelease 2 2 " + button + "\nwait 10\n";
}

} // namespace script
