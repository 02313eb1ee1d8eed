#pragma once
#include "platform/gfx/Bitmap.h"
#include "tools/snapshot/SnapshotOptions.h"

// Takes the picture: the saver window made as the program's entry point makes it, on the
// snapshot machine, shown and painted by the framework, moved by the given number of passes
// of its idle step, and with its readout timer having ticked twice, half a second apart, so
// that every readout shows its figure. Into receives what the screen shows then. Raises
// Exception with the saver's message when the saver reported an error.
void RenderSaverSnapshot(const TSnapshotOptions& Options, TBitmap& Into);
