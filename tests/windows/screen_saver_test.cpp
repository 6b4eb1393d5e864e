// wobblux.scr under wine, as Windows starts it: /s over the whole screen until a key, at the
// show's pace, and on two monitors; /p inside a host window (tests/windows/preview_host.cpp plays
// the settings dialog), /c a message box.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "program_under_test.h"
#include "scene_probe.h"

namespace wobblux::e2e {
namespace {

// The emulator's words, then the Windows program and its arguments.
std::vector<std::string> underEmulator(std::vector<std::string> words) {
    std::vector<std::string> command;
    std::istringstream emulator(WOBBLUX_EMULATOR);
    for (std::string word; emulator >> word;) {
        command.push_back(word);
    }
    command.insert(command.end(), words.begin(), words.end());
    return command;
}

class ScreenSaver : public ::testing::Test {
  protected:
    void SetUp() override {
        screen = std::make_unique<VirtualScreen>(kWidth, kHeight);
        client = std::make_unique<XClient>(screen->name());
    }

    void start(std::vector<std::string> words) {
        saver = std::make_unique<ChildProcess>(
            underEmulator(std::move(words)), std::vector<std::string>{"DISPLAY=" + screen->name()});
    }

    void expectEndsWithStatus(int status) {
        ASSERT_TRUE(saver->waitForExit(milliseconds(5000 * kSlowdown))) << "still running";
        ASSERT_TRUE(WIFEXITED(saver->waitStatus())) << "ended by a signal";
        EXPECT_EQ(WEXITSTATUS(saver->waitStatus()), status);
    }

    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    std::unique_ptr<VirtualScreen> screen;
    std::unique_ptr<XClient> client;
    std::unique_ptr<ChildProcess> saver;
};

TEST_F(ScreenSaver, FullScreenCoversTheScreenKeepsThePaceAndEndsOnAKeyButNotOnAJitter) {
    const auto started = Clock::now();
    start({WOBBLUX_SCR, "/S"});
    const Window window = client->waitForWindow("Wobblux", milliseconds(10000 * kSlowdown));
    ASSERT_NE(window, None) << "no window titled \"Wobblux\" appeared";
    int x, y, width, height;
    client->geometry(window, x, y, width, height);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    int yellow = 0;
    double centreX, centreY;
    const auto deadline = Clock::now() + milliseconds(5000 * kSlowdown);
    while (!yellowCentre(client->capture(window), centreX, centreY, yellow) &&
           Clock::now() < deadline) {
        sleepFor(milliseconds(100));
    }
    EXPECT_GT(yellow, 50) << "no hourglass drawn";
    std::printf("first frame %lld ms after the start, wine's included\n",
                static_cast<long long>(
                    std::chrono::duration_cast<milliseconds>(Clock::now() - started).count()));

    // A frame a tick, each 33 ms after the last tick's work: some 30 a second, never more.
    const double perSecond = client->countDamage(window, milliseconds(10000)) / 10.0;
    std::printf("%.1f frames a second\n", perSecond);
    EXPECT_GE(perSecond, 28.0);
    EXPECT_LE(perSecond, 1000.0 / 33);

    // A mouse on a desk drifts by a pixel or two: that is nobody coming back.
    client->movePointer(window, kWidth / 2 + 1, kHeight / 2);
    client->movePointer(window, kWidth / 2 + 3, kHeight / 2 + 2);
    EXPECT_FALSE(saver->waitForExit(milliseconds(500))) << "ended on a jitter";
    client->tapKey("space");
    expectEndsWithStatus(0);
}

TEST_F(ScreenSaver, FullScreenShowsTheWholeSceneOnEachOfTwoMonitorsAndEndsOnEither) {
    client.reset();
    screen = VirtualScreen::twoMonitors(kWidth, kHeight);
    client = std::make_unique<XClient>(screen->name());
    start({WOBBLUX_SCR, "/s"});
    ASSERT_NE(client->waitForWindow("Wobblux", milliseconds(10000 * kSlowdown)), None);
    // The hourglass at the middle of each monitor, not of the two together.
    const Window root = DefaultRootWindow(client->display());
    const Region monitors[] = {{0, 0, kWidth, kHeight}, {kWidth, 0, 2 * kWidth, kHeight}};
    double x[2], y[2];
    int yellow[2] = {};
    Image both;
    const auto deadline = Clock::now() + milliseconds(5000 * kSlowdown);
    while ((yellow[0] < 50 || yellow[1] < 50) && Clock::now() < deadline) {
        sleepFor(milliseconds(100));
        both = client->capture(root);
        for (int k = 0; k < 2; ++k) {
            yellowCentre(both, x[k], y[k], yellow[k], monitors[k]);
        }
    }
    writePng(both, "two_monitors.png");
    for (int k = 0; k < 2; ++k) {
        ASSERT_GT(yellow[k], 50) << "no hourglass on monitor " << k;
        EXPECT_NEAR(x[k], monitors[k].left + kWidth / 2, 8);
        std::printf("hourglass at (%.0f, %.0f)\n", x[k], y[k]);
    }
    EXPECT_NEAR(y[0], y[1], 2);

    // A jitter across the seam is no move, though each window counts from its own corner.
    client->movePointer(root, kWidth - 1, kHeight / 2);
    client->movePointer(root, kWidth + 1, kHeight / 2);
    EXPECT_FALSE(saver->waitForExit(milliseconds(500))) << "ended on a jitter";
    client->movePointer(root, kWidth / 2, kHeight / 2);
    expectEndsWithStatus(0);
}

TEST_F(ScreenSaver, PreviewFillsItsHostAndEndsWithIt) {
    start({WOBBLUX_PREVIEW_HOST, WOBBLUX_SCR});
    expectEndsWithStatus(0);  // the host checks the preview and says what went wrong
}

TEST_F(ScreenSaver, SettingsSayThereIsNothingToSet) {
    start({WOBBLUX_SCR, "/c"});
    const Window box = client->waitForWindow("Wobblux", milliseconds(10000 * kSlowdown));
    ASSERT_NE(box, None) << "no message box titled \"Wobblux\" appeared";
    int x, y, width, height;
    client->geometry(box, x, y, width, height);
    EXPECT_LT(height, kHeight / 2) << "a box, not the show";
    client->movePointer(box, width / 2, height / 2);  // keys go to the window below it
    client->tapKey("Return");
    expectEndsWithStatus(0);
}

}  // namespace
}  // namespace wobblux::e2e
