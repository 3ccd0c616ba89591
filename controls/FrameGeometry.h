#pragma once

#include <vector>

#include "platform/core/Geometry.h"

class TCustomForm;
class TsSkinManager;

// The geometry of a skinned window frame: the platform's frame sizes, the title buttons laid
// out from the right edge inwards, and which part of the window a point is over.

struct TFrameMetrics {
    bool HasFrame = false;
    int CaptionHeight = 0;
    int FrameWidth = 0;
    int FrameHeight = 0;
    // The band of the title and its buttons: from the window top to frame height + caption.
    int TitleBand() const { return FrameHeight + CaptionHeight; }
    // Where the client area starts inside the window.
    TPoint ClientOrigin() const { return {FrameWidth, FrameHeight + CaptionHeight}; }
};

TFrameMetrics FrameMetricsOf(const TCustomForm& form);

enum class TTitleButtonKind { Close, Maximize, Minimize, Help, Own };

struct TTitleButtonPlace {
    TTitleButtonKind Kind = TTitleButtonKind::Close;
    // For Own buttons: the index in the provider's title buttons.
    int OwnIndex = -1;
    // Window coordinates.
    TRect Rect;
    // The GLOBALINFO image drawn over the skin's TITLEBUTTON entry ("BICONCLOSE" ...); empty
    // for own buttons.
    const char* ImageKey = "";
};

// The title buttons of the form, right to left: close, maximize (restore while maximised),
// minimize, help, then ownButtons own ones. Sizes come from the manager's images; a skin
// without them gives 21 x 21 buttons.
std::vector<TTitleButtonPlace> LayoutTitleButtons(const TCustomForm& form, const TFrameMetrics& metrics,
                                                  const TsSkinManager* manager, int ownButtons);

// The hit-test code of a point (window coordinates) in the title band: a title button's
// code (close 20, maximize 9 — caption when maximizing is not allowed —, minimize 8, help 21,
// own buttons 1000 + index when enabled), the system-menu area over the icon (3), else the
// caption (2); 0 outside the band or for a form without a caption.
int TitleHitCode(const TCustomForm& form, const TFrameMetrics& metrics,
                 const std::vector<TTitleButtonPlace>& buttons, TPoint point, int iconWidth,
                 const std::vector<bool>& ownEnabled);

// The hit code of a title button (see TitleHitCode).
int HitCodeOf(const TTitleButtonPlace& button);
