// Looks at the whole screen of a display where a screen saver's daemon has been activated, for
// the package tests that run the installed hack in the real daemons:
//   saver_screen DISPLAY SECONDS FILE.png
// waits up to SECONDS for the screen to show the scene (the hourglass) and then for the picture
// to move, and exits 0; otherwise it says what it saw and exits 1. FILE.png keeps the last frame.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "scene_probe.h"

using namespace wobblux::e2e;

namespace {

// The hourglass covers some hundreds of pixels on a 640 x 480 screen, wherever the show has
// turned the view; a few yellow pixels might be anything.
constexpr int kHourglassPixels = 100;

int yellowPixels(const Image& image) {
    return countPixels(image, {0, 0, image.width, image.height}, isYellow);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s DISPLAY SECONDS FILE.png\n", argv[0]);
        return 2;
    }
    try {
        XClient client(argv[1]);
        const Window root = DefaultRootWindow(client.display());
        const auto deadline = Clock::now() + std::chrono::seconds(std::atoi(argv[2]));
        Image frame = client.capture(root);
        bool scene = false;
        bool moved = false;
        while (!moved && Clock::now() < deadline) {
            sleepFor(milliseconds(250));
            Image next = client.capture(root);
            const bool sceneBefore = scene;
            scene = yellowPixels(next) >= kHourglassPixels;
            // Moving means two frames of the scene that differ, not the scene's first appearance.
            moved = sceneBefore && scene && next.rgb != frame.rgb;
            frame = std::move(next);
        }
        writePng(frame, argv[3]);
        if (!scene) {
            std::fprintf(stderr, "saver_screen: no hourglass on the screen (%d yellow pixels)\n",
                         yellowPixels(frame));
            return 1;
        }
        if (!moved) {
            std::fprintf(stderr, "saver_screen: the scene is on the screen but does not move\n");
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "saver_screen: %s\n", error.what());
        return 1;
    }
}
