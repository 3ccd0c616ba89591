#pragma once

// The process-wide flag that a label raises while it adjusts its own font during painting, so
// that the font change it makes causes no new measuring and no repaint. One user-interface
// thread: a plain flag.
bool LabelPaintGuard();
void SetLabelPaintGuard(bool raised);
