#pragma once

// How a Windows program of Wobblux fails. It has no console, so nobody reads its standard error:
// each fatal line goes there as elsewhere and also into a message box titled "Wobblux", and the
// program ends with status 1 once the box is answered. Any Windows main can use it: the windowed
// program's, the screen saver's.

namespace wobblux::win32 {

// From now on start-up's fatal line (app/startup.h) is shown in the box too; start-up then
// returns its status 1 as before. Call it first in main.
void installFatalMessageBox();

// Writes `line` to standard error, shows it in the box and, once the box is answered, ends the
// process with status 1. For a failure that cannot return to its caller (the toolkit's own, or
// a window that cannot be drawn in).
[[noreturn]] void exitWithFatalMessage(const char* line);

}  // namespace wobblux::win32
