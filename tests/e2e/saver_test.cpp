// XScreenSaver's hack in a real X server: it draws the show into a window that someone else
// made with a GL visual, as the daemon does, and ends on SIGTERM with status 0.

// GoogleTest before the X headers: X defines None as a macro, which GoogleTest uses as a name.
#include <gtest/gtest.h>
// clang-format off
#include <GL/glx.h>
// clang-format on
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include "scene_probe.h"

namespace wobblux::e2e {
namespace {

constexpr int kSlowdown = WOBBLUX_TIMEOUT_SCALE;
constexpr int kSprayPixels = 40;

std::string hexId(Window window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// True when a frame has pixels of more than one colour: something was drawn.
bool drawn(const Image& image) {
    for (std::size_t k = 3; k < image.rgb.size(); ++k) {
        if (image.rgb[k] != image.rgb[k % 3]) {
            return true;
        }
    }
    return false;
}

class Hack : public ::testing::Test {
  protected:
    void SetUp() override {
        screen = std::make_unique<VirtualScreen>();
        client = std::make_unique<XClient>(screen->name());
        left = makeGlWindow(0);
        right = makeGlWindow(kWidth);
    }

    void TearDown() override {
        hack.reset();
        client.reset();
        screen.reset();
    }

    // A mapped window with a double-buffered GL visual with depth, as the daemon makes for a
    // "GL:" hack; black until someone draws in it.
    Window makeGlWindow(int x) {
        Display* display = client->display();
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
        XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
        EXPECT_NE(visual, nullptr);
        const Window root = DefaultRootWindow(display);
        XSetWindowAttributes settings = {};
        settings.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
        const Window window = XCreateWindow(display, root, x, 0, kWidth, kHeight, 0, visual->depth,
                                            InputOutput, visual->visual, CWColormap, &settings);
        XFree(visual);
        XMapWindow(display, window);
        XSync(display, False);
        return window;
    }

    void startHack(const std::vector<std::string>& arguments, Window named = None) {
        std::vector<std::string> command = {WOBBLUX_SAVER};
        command.insert(command.end(), arguments.begin(), arguments.end());
        std::vector<std::string> environment = {"DISPLAY=" + screen->name()};
        if (named != None) {
            environment.push_back("XSCREENSAVER_WINDOW=" + hexId(named));
        }
        hack = std::make_unique<ChildProcess>(command, environment);
    }

    // Polls until the window shows a drawing; returns how long that took, or -1 ms.
    milliseconds waitUntilDrawn(Window window, milliseconds timeout) {
        const auto start = Clock::now();
        while (Clock::now() - start < timeout) {
            if (drawn(client->capture(window))) {
                return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
            }
            sleepFor(milliseconds(20));
        }
        return milliseconds(-1);
    }

    // The column above the hourglass where the sparks rise, early in the show's turn.
    int sprayPixels(Window window) {
        return countPixels(client->capture(window),
                           {kWidth * 3 / 8, kHeight * 2 / 5, kWidth * 5 / 8, kHeight * 7 / 10},
                           isSpark);
    }

    // Sent as anyone may send one: to every client that watches the window's structure.
    void sendMessage(Window window, const char* type, long datum) {
        Display* display = client->display();
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, type, False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = datum;
        XSendEvent(display, window, False, StructureNotifyMask, &event);
        XSync(display, False);
    }

    void expectEndsWithStatusZeroOnSigterm() {
        const auto sent = Clock::now();
        kill(hack->pid(), SIGTERM);
        ASSERT_TRUE(hack->waitForExit(milliseconds(500 * kSlowdown))) << "still running";
        std::printf("ended %lld ms after SIGTERM\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<milliseconds>(Clock::now() - sent).count()));
        ASSERT_TRUE(WIFEXITED(hack->waitStatus())) << "ended by a signal";
        EXPECT_EQ(WEXITSTATUS(hack->waitStatus()), 0);
    }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    std::unique_ptr<VirtualScreen> screen;
    std::unique_ptr<XClient> client;
    std::unique_ptr<ChildProcess> hack;
    Window left = None;
    Window right = None;
};

TEST_F(Hack, DrawsTheShowIntoTheGivenWindowAndEndsOnSigterm) {
    startHack({"--window-id", std::to_string(right)});
    const milliseconds firstFrame = waitUntilDrawn(right, milliseconds(1000 * kSlowdown));
    ASSERT_GE(firstFrame.count(), 0) << "nothing drawn in the window";
    std::printf("first frame %lld ms after the start\n",
                static_cast<long long>(firstFrame.count()));
    EXPECT_FALSE(drawn(client->capture(left))) << "drew into a window it was not given";

    const Image before = client->capture(right);
    sleepFor(milliseconds(300));
    EXPECT_NE(client->capture(right).rgb, before.rgb) << "the picture does not move";
    EXPECT_LT(sprayPixels(right), kSprayPixels) << "sparks before the show excites the sheet";

    // The show excites the sheet three seconds in.
    const auto deadline = Clock::now() + milliseconds(8000 * kSlowdown);
    int sparks = 0;
    while ((sparks = sprayPixels(right)) < kSprayPixels && Clock::now() < deadline) {
        sleepFor(milliseconds(100));
    }
    EXPECT_GE(sparks, kSprayPixels) << "no spray";
    expectEndsWithStatusZeroOnSigterm();
}

TEST_F(Hack, RootMeansTheDaemonsWindowUnlessAWindowIdIsGiven) {
    // The settings dialog's preview adds --window-id to a command that holds --root.
    startHack({"--root", "--window-id", hexId(right)}, left);
    ASSERT_GE(waitUntilDrawn(right, milliseconds(2000 * kSlowdown)).count(), 0);
    EXPECT_FALSE(drawn(client->capture(left)));
    expectEndsWithStatusZeroOnSigterm();

    startHack({"-root"}, left);
    EXPECT_GE(waitUntilDrawn(left, milliseconds(2000 * kSlowdown)).count(), 0);
    expectEndsWithStatusZeroOnSigterm();
}

TEST_F(Hack, NoClientMessageEndsTheShowInTheDaemonsWindow) {
    startHack({"--window-id", hexId(right)});
    ASSERT_GE(waitUntilDrawn(right, milliseconds(2000 * kSlowdown)).count(), 0);
    // A close's datum, None on a window without the protocol; a close, for its own window only.
    sendMessage(right, "WOBBLUX_ANOTHER_TYPE", 0);
    sendMessage(right, "WM_PROTOCOLS",
                static_cast<long>(XInternAtom(client->display(), "WM_DELETE_WINDOW", False)));
    const Image before = client->capture(right);
    EXPECT_FALSE(hack->waitForExit(milliseconds(300))) << "ended";
    EXPECT_NE(client->capture(right).rgb, before.rgb) << "the picture stopped";
    expectEndsWithStatusZeroOnSigterm();
}

TEST_F(Hack, AWindowThatDoesNotExistIsOneLineAndStatusOne) {
    XDestroyWindow(client->display(), left);
    XSync(client->display(), False);
    startHack({"--window-id", hexId(left)});
    ASSERT_TRUE(hack->waitForExit(milliseconds(5000 * kSlowdown)));
    ASSERT_TRUE(WIFEXITED(hack->waitStatus()));
    EXPECT_EQ(WEXITSTATUS(hack->waitStatus()), 1);
}

}  // namespace
}  // namespace wobblux::e2e
