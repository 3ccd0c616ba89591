#pragma once

#include <string>

// The root of the toolkit's classes: a virtual destructor and the class name that window
// hooks, frame skinning and the automation dump look at.
class TObject {
public:
    virtual ~TObject() = default;
    // The class name as the original platform spells it ("TButton", "TForm", "TMessageForm").
    virtual std::string ClassName() const { return "TObject"; }
};
