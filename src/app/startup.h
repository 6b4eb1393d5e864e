#pragma once

namespace wobblux {

// Opens the window, registers the callbacks, builds the three simulations and runs the
// toolkit's main loop, which ends the process when the window is closed. Returns only if a
// simulation cannot be built (status 1, after one fatal line) or if the main loop ever returns
// (status 0).
int runWobblux();

// The same with the unattended show in place of a person: no input callbacks, and a tick that
// plays the show's script first (app/show.h).
int runWobbluxShow();

// Where start-up's fatal line goes (given without its newline): standard error, unless a program
// whose standard error nobody reads (a Windows program has no console) sets a reporter that also
// shows it. Passing nullptr restores standard error.
using FatalLineReporter = void (*)(const char* line);
void setFatalLineReporter(FatalLineReporter reporter);

}  // namespace wobblux
