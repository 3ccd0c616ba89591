#pragma once

#include <cstdint>

class TsSkinManager;

// The skin engine's process-wide state (one user-interface thread).
//
// LoadingSkin is raised while a manager loads a skin by SkinName, HueOffset or Saturation;
// controls skip fades and some repaints meanwhile. AnnouncingSkin is raised while a manager
// sends cmdSkinLoaded; a binding that handles cmdSkinLoaded clears it.
bool LoadingSkin();
void SetLoadingSkin(bool loading);
bool AnnouncingSkin();
void SetAnnouncingSkin(bool announcing);

// The process-wide button events on which push buttons fade: bits 1 pointer enter, 2 pointer
// leave, 4 mouse press, 8 mouse release; all four at start.
std::uint8_t GlobalButtonEvents();
void SetGlobalButtonEvents(std::uint8_t events);

// The default manager: the first manager created in the process unless another took the
// role through IsDefault; null when there is none.
TsSkinManager* DefaultManager();
void SetDefaultManager(TsSkinManager* manager);
