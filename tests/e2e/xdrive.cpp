// A small driver for a running Wobblux window, used by scripts/run on machines without a
// display:  xdrive DISPLAY key KEYSYM   |   xdrive DISPLAY shot FILE.png
#include <cstdio>
#include <cstring>
#include <exception>

#include "x_session.h"

using namespace wobblux::e2e;

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[2], "key") != 0 && std::strcmp(argv[2], "shot") != 0)) {
        std::fprintf(stderr, "usage: %s DISPLAY key KEYSYM | %s DISPLAY shot FILE.png\n", argv[0],
                     argv[0]);
        return 2;
    }
    try {
        XClient client(argv[1]);
        const Window window = client.waitForWindow("Wobblux", milliseconds(5000));
        if (window == None) {
            std::fprintf(stderr, "xdrive: no window titled Wobblux on %s\n", argv[1]);
            return 1;
        }
        if (std::strcmp(argv[2], "key") == 0) {
            int x, y, width, height;
            client.geometry(window, x, y, width, height);
            client.movePointer(window, width / 2, height / 2);  // keys go to the window under it
            client.tapKey(argv[3]);
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
