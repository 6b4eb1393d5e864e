#pragma once

namespace wobblux::saver {

// SIGTERM (how XScreenSaver ends a hack) and SIGINT (Ctrl-C) end the show. Returns false, with
// errno set, if the signals cannot be watched.
bool stopOnSignals();

// True once SIGTERM or SIGINT has arrived.
bool stopSignalArrived();

// Waits until `fd` can be read, `timeoutMilliseconds` pass (-1: no limit) or SIGTERM or SIGINT
// arrives, whichever comes first. A signal that came since the last wait, even one that landed
// just before this one began, ends it at once; the caller then asks stopSignalArrived().
void waitForInputOrStop(int fd, int timeoutMilliseconds);

}  // namespace wobblux::saver
