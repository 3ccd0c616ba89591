#pragma once

#include <string>

// A path of the program (UTF-8, "/" or "\" between the parts) as the wide-character calls take
// it. A path too long for the system's classic limit becomes a full "\\?\" path, which the
// system takes up to 32,767 characters long.
std::wstring WidePath(const std::string& path);

// A path the system gave back, as the program holds paths: UTF-8 with "/" between the parts,
// the "\\?\" prefix dropped ("\\?\UNC\server" becomes "//server").
std::string ProgramPath(const std::wstring& path);

// The system's text for the error number, without its closing full stop.
std::string SystemErrorText(unsigned long error);
