// The real program in a real X server: each test starts an Xvfb of its own, runs Wobblux in
// it, acts as a user through XTest and judges the pixels it reads back.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <memory>
#include <random>

#include "program_under_test.h"
#include "scene_probe.h"

namespace wobblux::e2e {
namespace {

constexpr unsigned int kLeftButton = 1;  // X button numbers
constexpr unsigned int kMiddleButton = 2;
constexpr unsigned int kRightButton = 3;

// Enough spark pixels to tell a spray from stray grey pixels of the scene.
constexpr int kSprayPixels = 40;

class Wobblux : public ::testing::Test {
  protected:
    void SetUp() override {
        screen = std::make_unique<VirtualScreen>();
        program = std::make_unique<ChildProcess>(
            programCommand(), std::vector<std::string>{"DISPLAY=" + screen->name()});
        client = std::make_unique<XClient>(screen->name());
        window = client->waitForWindow("Wobblux", milliseconds(10000 * kSlowdown));
        ASSERT_NE(window, None) << "no window titled exactly \"Wobblux\" appeared";
        int x, y;
        client->geometry(window, x, y, width, height);
        client->movePointer(window, width / 2, height / 2);  // keys go to the window below it
        // The window is mapped well before its first frame under an emulator, or while llvmpipe
        // compiles its shaders on a loaded machine whose Mesa shader cache is still empty.
        ASSERT_TRUE(waitForHourglass(milliseconds(5000 * kSlowdown))) << "no frame drawn";
        sleepFor(milliseconds(500));  // a few ticks and frames
    }

    bool waitForHourglass(milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        double x = 0, y = 0;
        int count = 0;
        while (!yellowCentre(client->capture(window), x, y, count)) {
            if (Clock::now() >= deadline) {
                return false;
            }
            sleepFor(milliseconds(50));
        }
        return true;
    }

    void TearDown() override {
        // Only a close request may end the program, and then with status 0; a crash or a
        // sanitizer report ends it otherwise.
        if (program && program->waitForExit(milliseconds(0))) {
            EXPECT_TRUE(WIFEXITED(program->waitStatus()) && WEXITSTATUS(program->waitStatus()) == 0)
                << "the program ended on its own, wait status " << program->waitStatus();
        }
        client.reset();
        program.reset();  // ends the program by its own id, if it still runs
        screen.reset();
    }

    // The column between the cones and the sheet, where the sparks rise.
    Region sprayRegion() const {
        return {width * 3 / 8, height * 3 / 8, width * 5 / 8, height * 7 / 10};
    }

    int sprayPixels() { return countPixels(client->capture(window), sprayRegion(), isSpark); }

    // Polls until the spray shows (or is gone) or the time runs out; returns the last count.
    int waitForSpray(bool shown, milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        int count = sprayPixels();
        while ((count >= kSprayPixels) != shown && Clock::now() < deadline) {
            sleepFor(milliseconds(50));
            count = sprayPixels();
        }
        return count;
    }

    std::unique_ptr<VirtualScreen> screen;
    std::unique_ptr<ChildProcess> program;
    std::unique_ptr<XClient> client;
    Window window = None;
    int width = 0;
    int height = 0;
};

TEST_F(Wobblux, ShowsTheYellowHourglassAtTheBottomCentre) {
    EXPECT_EQ(client->title(window), "Wobblux");
    double x = 0, y = 0;
    int count = 0;
    ASSERT_TRUE(yellowCentre(client->capture(window), x, y, count)) << "no yellow at all";
    EXPECT_GT(count, 50);
    EXPECT_NEAR(x, width / 2.0, width * 0.05);
    EXPECT_GT(y, height * 0.65);
    EXPECT_LT(y, height * 0.85);
    EXPECT_LT(sprayPixels(), kSprayPixels) << "sparks before the sheet was excited";
}

TEST_F(Wobblux, SpaceBarStartsTheSprayAndASecondPressLetsItDieOut) {
    client->tapKey("space");
    EXPECT_GE(waitForSpray(true, milliseconds(1000)), kSprayPixels);
    client->tapKey("space");
    EXPECT_LT(waitForSpray(false, milliseconds(5000)), kSprayPixels);
}

TEST_F(Wobblux, HoldingTheSpaceBarTogglesOnceHoweverLongItIsHeld) {
    // The server repeats a held key; each hold must still count as one press. Repeats come at
    // 250 ms and then every 500 ms, so each hold below sees an odd number of them, which would
    // leave the state unchanged, and ends 250 ms from the nearest one: the toolkit tells a
    // repeat from a real release by asking the server while it handles the event, and must
    // not be asked after the real release.
    client->setKeyRepeat(milliseconds(250), milliseconds(500));
    const KeyCode space = client->keycode("space");
    bool excited = false;
    for (const int holdMs : {2500, 500, 1500}) {
        client->pressKey(space);
        sleepFor(milliseconds(holdMs));
        client->releaseKey(space);
        excited = !excited;
        // Sparks live two seconds: after that the spray shows only while the sheet is excited.
        sleepFor(milliseconds(2500));
        EXPECT_EQ(sprayPixels() >= kSprayPixels, excited) << "after a hold of " << holdMs << " ms";
    }
}

TEST_F(Wobblux, HoldingTheRightButtonExcitesAndReleasingCalms) {
    client->pressButton(kRightButton);
    EXPECT_GE(waitForSpray(true, milliseconds(1000)), kSprayPixels);
    client->releaseButton(kRightButton);
    EXPECT_LT(waitForSpray(false, milliseconds(5000)), kSprayPixels);
}

TEST_F(Wobblux, LeftDragDownTiltsTheViewFromAbove) {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int count0 = 0, count1 = 0;
    ASSERT_TRUE(yellowCentre(client->capture(window), x0, y0, count0));
    // 30 motion events downwards: 30 degrees of pitch; the floor's centre rises on screen.
    client->drag(window, kLeftButton, width / 2, height / 4, width / 2, height / 4 + 60, 30);
    sleepFor(milliseconds(300));
    ASSERT_TRUE(yellowCentre(client->capture(window), x1, y1, count1));
    EXPECT_LT(y1, y0 - height * 0.04);
    EXPECT_NEAR(x1, x0, width * 0.05);
}

TEST_F(Wobblux, MiddleDragUpMovesTheSceneAway) {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int count0 = 0, count1 = 0;
    ASSERT_TRUE(yellowCentre(client->capture(window), x0, y0, count0));
    // 30 motion events upwards: 150 units farther; the hourglass shrinks towards the centre.
    client->drag(window, kMiddleButton, width / 2, height * 3 / 4, width / 2, height / 4, 30);
    sleepFor(milliseconds(300));
    ASSERT_TRUE(yellowCentre(client->capture(window), x1, y1, count1));
    EXPECT_LT(count1, count0 * 3 / 4);
    EXPECT_LT(y1 - height / 2.0, (y0 - height / 2.0) * 0.85);
}

TEST_F(Wobblux, KeepsDrawingAfterAResize) {
    client->resize(window, 480, 240);
    sleepFor(milliseconds(500));
    int x0, y0;
    client->geometry(window, x0, y0, width, height);
    ASSERT_EQ(width, 480);
    ASSERT_EQ(height, 240);
    double x = 0, y = 0;
    int count = 0;
    ASSERT_TRUE(yellowCentre(client->capture(window), x, y, count));
    EXPECT_NEAR(x, 240.0, 480 * 0.05);
    EXPECT_GT(y, 240 * 0.65);
}

// About 15 s of real input of every kind: key taps over the whole keycode range, clicks of
// buttons 1 to 5 (the wheel included), drags with each of them and resizes from 1 x 1 to
// 2000 x 2000. Every drag goes out and comes back over the same points and every drag starts
// and ends at the same place, so the camera ends where it began (give or take the very first
// motion event, which compares against (0, 0)) and the tank can be seen again afterwards.
TEST_F(Wobblux, KeepsDrawingAndAnsweringAfterAStormOfInput) {
    std::mt19937 random(8);  // the same storm every run
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int sizes[][2] = {{1, 1}, {2000, 2000}, {1, 2000}, {2000, 1}};
    int keyTaps = 0;
    int rounds = 0;
    const auto end = Clock::now() + milliseconds(15000);
    while (Clock::now() < end) {
        // Keys go to the window under the pointer: its top-left pixel exists at every size.
        client->movePointer(window, 0, 0);
        KeyCode previous = 0;
        for (int i = 0; i < 40; ++i) {
            // Never the same key twice in a row: a release followed at once by a press of the
            // same key looks like auto-repeat, which the program rightly drops.
            const KeyCode code = static_cast<KeyCode>(pick(8, 255));
            if (code != previous) {
                client->pressKey(code);
                client->releaseKey(code);
                previous = code;
                ++keyTaps;
            }
        }
        for (unsigned int button = 1; button <= 5; ++button) {
            client->pressButton(button);
            client->releaseButton(button);
        }
        const auto button = static_cast<unsigned int>(pick(1, 5));
        const int dx = pick(-300, 300);
        const int dy = pick(-300, 300);
        const int steps = pick(5, 30);
        client->movePointer(window, 100, 100);
        client->pressButton(button);
        for (int step = 1; step <= steps; ++step) {
            client->movePointer(window, 100 + dx * step / steps, 100 + dy * step / steps);
        }
        for (int step = steps - 1; step >= 0; --step) {
            client->movePointer(window, 100 + dx * step / steps, 100 + dy * step / steps);
        }
        client->releaseButton(button);
        const bool extreme = rounds < 4;
        client->resize(window, extreme ? sizes[rounds][0] : pick(1, 2000),
                       extreme ? sizes[rounds][1] : pick(1, 2000));
        ++rounds;
        sleepFor(milliseconds(20));
    }
    EXPECT_GT(keyTaps, 2000);

    client->resize(window, width, height);
    client->movePointer(window, width / 2, height / 2);
    sleepFor(milliseconds(2500));  // let the program catch up and any old sparks die
    ASSERT_FALSE(program->waitForExit(milliseconds(0))) << "the program ended during the storm";
    EXPECT_GE(client->countDamage(window, milliseconds(1000)), 15) << "no longer drawing";

    // The space taps of the storm left the sheet in either state; the space bar flips it.
    const bool excited = sprayPixels() >= kSprayPixels;
    client->tapKey("space");
    EXPECT_EQ(waitForSpray(!excited, milliseconds(5000)) >= kSprayPixels, !excited);

    client->requestClose(window);
    ASSERT_TRUE(program->waitForExit(milliseconds(3000))) << "still running 3 s after close";
    ASSERT_TRUE(WIFEXITED(program->waitStatus()));
    EXPECT_EQ(WEXITSTATUS(program->waitStatus()), 0);
}

TEST_F(Wobblux, ClosingTheWindowEndsTheProgramWithStatusZero) {
    client->requestClose(window);
    ASSERT_TRUE(program->waitForExit(milliseconds(3000))) << "still running 3 s after close";
    ASSERT_TRUE(WIFEXITED(program->waitStatus()));
    EXPECT_EQ(WEXITSTATUS(program->waitStatus()), 0);
}

// The program's whole life in one start, for a build where each start is slow (a cross build
// under the emulator, which runs this test alone): its window has the title, the hourglass is
// drawn, the space bar starts the spray, and closing the window ends it with status 0.
TEST_F(Wobblux, SmokeTestDrawsSpraysAndClosesInOneRun) {
    EXPECT_EQ(client->title(window), "Wobblux");
    double x = 0, y = 0;
    int count = 0;
    ASSERT_TRUE(yellowCentre(client->capture(window), x, y, count));
    ASSERT_GT(count, 50) << "no hourglass drawn";
    EXPECT_NEAR(x, width / 2.0, width * 0.05);
    EXPECT_LT(sprayPixels(), kSprayPixels) << "sparks before the sheet was excited";

    client->tapKey("space");
    EXPECT_GE(waitForSpray(true, milliseconds(1000 * kSlowdown)), kSprayPixels);

    client->requestClose(window);
    ASSERT_TRUE(program->waitForExit(milliseconds(3000 * kSlowdown)))
        << "still running after close";
    ASSERT_TRUE(WIFEXITED(program->waitStatus()));
    EXPECT_EQ(WEXITSTATUS(program->waitStatus()), 0);
}

TEST(WobbluxWithoutDisplay, ExitsWithAnErrorInsteadOfCrashing) {
    ChildProcess program(programCommand(), {"DISPLAY=:none"});
    ASSERT_TRUE(program.waitForExit(milliseconds(5000)));
    ASSERT_TRUE(WIFEXITED(program.waitStatus())) << "ended by a signal";
    EXPECT_NE(WEXITSTATUS(program.waitStatus()), 0);
}

}  // namespace
}  // namespace wobblux::e2e
