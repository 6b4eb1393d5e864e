#pragma once

#include "saver/hack_arguments.h"

namespace wobblux::saver {

// Where glutCreateWindow will draw, as the command line said: the window it names, the one
// XScreenSaver names in $XSCREENSAVER_WINDOW (the screen's root window without it), or a
// window of the hack's own. Called by the hack's main before start-up.
void chooseWindow(const HackCommand& command);

}  // namespace wobblux::saver
