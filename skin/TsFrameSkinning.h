#pragma once

#include <vector>

class TCustomForm;
class TsSkinManager;

// What the skin manager needs of frame skinning, which lives in a layer above it and
// registers itself here (SetFrameSkinning). The default manager switches the window hook on
// with its first active skin and off when its skin goes; skin changes switch the redraw of
// the forms whose frames a manager paints off and back on.
class TsFrameSkinning {
public:
    virtual ~TsFrameSkinning() = default;
    // Installs the window hook that attaches frame providers at each form's activation.
    virtual void Install() = 0;
    // Removes the hook and releases every provider it attached.
    virtual void Remove() = 0;
    virtual bool Installed() const = 0;
    // The forms whose frames the hook took over (the second step of a broadcast).
    virtual std::vector<TCustomForm*> Forms() const = 0;
    // The manager whose skin the form's frame wears; null when the form has no frame provider.
    virtual TsSkinManager* FrameManager(const TCustomForm& form) const = 0;
};

// The registered frame skinning, or null when the program runs without it.
TsFrameSkinning* FrameSkinning();
void SetFrameSkinning(TsFrameSkinning* skinning);
