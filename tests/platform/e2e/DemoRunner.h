#pragma once

#include <map>
#include <string>

#include "MiniJson.h"

// Runs the demo program as a child process, as a user or a test harness would.
struct TDemoRun {
    int ExitStatus = -1;
    std::string Out;
    std::string Err;
};

// A fresh directory under the system's temporary folder for one test's files.
std::string MakeTestDirectory(const std::string& testName);

// Runs the demo headless with the script (written to a file in dir) and the extra variables;
// a variable whose value is "<unset>" is removed from the environment.
TDemoRun RunDemo(const std::string& dir, const std::string& script,
                 const std::map<std::string, std::string>& environment = {});

std::string ReadFile(const std::string& path);

// The node named name anywhere below node (itself included), or null.
const TJsonValue* FindNode(const TJsonValue& node, const std::string& name);

// A decoded PNG file as RGB bytes; Width is 0 when it cannot be read.
struct TRgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;
    unsigned Pixel(int x, int y) const; // 0xRRGGBB
};
TRgbImage ReadPng(const std::string& path);
