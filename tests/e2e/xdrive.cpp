// A small driver for a running Wobblux window, used by scripts/run, scripts/record, the package
// test and bench/soak on machines without a display:
//   xdrive DISPLAY key KEYSYM                    taps a key with the pointer over the window
//   xdrive DISPLAY shot FILE.png                 saves the window's pixels
//   xdrive DISPLAY drag DX DY STEPS MILLISECONDS  drags with the left button from the centre
//                                                by (DX, DY) in STEPS motions, evenly spread
//   xdrive DISPLAY move X Y                      moves the window's top-left corner to (X, Y)
//   xdrive DISPLAY close                         asks the window to close, as its close box does
//   xdrive DISPLAY frames SECONDS                prints how many frames the window shows within
//                                                SECONDS, counted through X DAMAGE
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "x_session.h"

using namespace wobblux::e2e;

namespace {

int usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s DISPLAY key KEYSYM | shot FILE.png | drag DX DY STEPS MILLISECONDS | "
                 "move X Y | close | frames SECONDS\n",
                 program);
    return 2;
}

bool is(const char* command, const char* name) {
    return std::strcmp(command, name) == 0;
}

// Every motion event turns the view by one fixed step, so a slow turn needs the motions
// spread out in time rather than sent at once.
void slowDrag(XClient& client, Window window, int dx, int dy, int steps, int durationMs) {
    int x, y, width, height;
    client.geometry(window, x, y, width, height);
    const int x0 = width / 2;
    const int y0 = height / 2;
    const auto pause = milliseconds(durationMs / steps);
    client.movePointer(window, x0, y0);
    client.pressButton(1);
    for (int step = 1; step <= steps; ++step) {
        client.movePointer(window, x0 + dx * step / steps, y0 + dy * step / steps);
        sleepFor(pause);
    }
    client.releaseButton(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage(argv[0]);
    }
    const char* command = argv[2];
    const bool known = (is(command, "key") && argc == 4) || (is(command, "shot") && argc == 4) ||
                       (is(command, "drag") && argc == 7) || (is(command, "move") && argc == 5) ||
                       (is(command, "close") && argc == 3) || (is(command, "frames") && argc == 4);
    if (!known) {
        return usage(argv[0]);
    }
    try {
        XClient client(argv[1]);
        const Window window = client.waitForWindow("Wobblux", milliseconds(5000));
        if (window == None) {
            std::fprintf(stderr, "xdrive: no window titled Wobblux on %s\n", argv[1]);
            return 1;
        }
        if (is(command, "key")) {
            int x, y, width, height;
            client.geometry(window, x, y, width, height);
            client.movePointer(window, width / 2, height / 2);  // keys go to the window under it
            client.tapKey(argv[3]);
            return 0;
        }
        if (is(command, "drag")) {
            const int steps = std::atoi(argv[5]);
            if (steps < 1) {
                return usage(argv[0]);
            }
            slowDrag(client, window, std::atoi(argv[3]), std::atoi(argv[4]), steps,
                     std::atoi(argv[6]));
            return 0;
        }
        if (is(command, "move")) {
            // With no window manager the toolkit's default place is (-1, -1), one pixel off
            // the screen; scripts/record moves the window fully into view.
            XMoveWindow(client.display(), window, std::atoi(argv[3]), std::atoi(argv[4]));
            XSync(client.display(), False);
            return 0;
        }
        if (is(command, "frames")) {
            const int seconds = std::atoi(argv[3]);
            if (seconds < 1) {
                return usage(argv[0]);
            }
            std::printf("%d\n", client.countDamage(window, milliseconds(1000 * seconds)));
            return 0;
        }
        if (is(command, "close")) {
            client.requestClose(window);
            return 0;
        }
        if (!writePng(client.capture(window), argv[3])) {
            std::fprintf(stderr, "xdrive: cannot write %s\n", argv[3]);
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "xdrive: %s\n", error.what());
        return 1;
    }
}
