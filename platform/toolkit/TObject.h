#pragma once

#include <string>

// The root of the toolkit's classes: a virtual destructor and the class name that window
// hooks and the automation dump look at (and frame skinning will, when it comes).
class TObject {
public:
    virtual ~TObject() = default;
    // The class name as the original platform spells it ("TButton", "TForm", "TMessageForm").
    virtual std::string ClassName() const { return "TObject"; }
};
