#pragma once

#include "saver/scr_arguments.h"

namespace wobblux::saver {

// Where glutCreateWindow will draw: in a window on each monitor (/s), or as a child filling the
// settings dialog's preview (/p HWND). Called by the screen saver's main before start-up.
void chooseWindow(const ScrCommand& command);

}  // namespace wobblux::saver
