#pragma once

#include <string>

#include "platform/toolkit/Messages.h"

// A message box drawn by the toolkit as a modal form of class "TMessageForm": caption, text,
// an icon for MB_ICONERROR / MB_ICONEXCLAMATION / MB_ICONINFORMATION / MB_ICONQUESTION, and
// the buttons of MB_OK, MB_OKCANCEL or MB_YESNO. Returns IDOK, IDCANCEL, IDYES or IDNO
// (closing it otherwise gives IDCANCEL, or IDOK for a box with only OK). Needs an Application.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
