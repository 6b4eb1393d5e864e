// SIGTERM and SIGINT wake the hack's wait through a pipe of its own: a flag alone would be missed
// by a signal that lands between the caller's look at it and the start of poll(), and that wait
// would last until the next timer, or for ever with none armed.

#include "saver/stop_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace wobblux::saver {
namespace {

volatile std::sig_atomic_t stopArrived = 0;
int wakeRead = -1;  // the pipe's ends: readable from a stop signal until a wait empties it
int wakeWrite = -1;

extern "C" void onStopSignal(int /*signal*/) {
    const int savedErrno = errno;  // the interrupted code may be about to read errno
    stopArrived = 1;
    const char byte = 0;
    // Full means already readable, which is all a wait needs.
    [[maybe_unused]] const ssize_t written = write(wakeWrite, &byte, 1);
    errno = savedErrno;
}

// Reads whatever the handler wrote, so that the next wait waits again.
void emptyWakePipe() {
    char bytes[64];
    while (read(wakeRead, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

bool stopOnSignals() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    wakeRead = ends[0];
    wakeWrite = ends[1];
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

bool stopSignalArrived() {
    return stopArrived != 0;
}

void waitForInputOrStop(int fd, int timeoutMilliseconds) {
    pollfd watched[2] = {{fd, POLLIN, 0}, {wakeRead, POLLIN, 0}};
    poll(watched, 2, timeoutMilliseconds);
    // Also after an interrupted poll, whose signal has written its byte too.
    emptyWakePipe();
}

}  // namespace wobblux::saver
