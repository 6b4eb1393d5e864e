// The real program in a real X server: each test starts an Xvfb of its own, runs Wobblux in
// it, acts as a user through XTest and judges the pixels it reads back.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <memory>

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
        program =
            std::make_unique<ChildProcess>(std::vector<std::string>{WOBBLUX_PROGRAM},
                                           std::vector<std::string>{"DISPLAY=" + screen->name()});
        client = std::make_unique<XClient>(screen->name());
        window = client->waitForWindow("Wobblux", milliseconds(10000));
        ASSERT_NE(window, None) << "no window titled exactly \"Wobblux\" appeared";
        int x, y;
        client->geometry(window, x, y, width, height);
        client->movePointer(window, width / 2, height / 2);  // keys go to the window below it
        sleepFor(milliseconds(500));                         // a few ticks and frames
    }

    void TearDown() override {
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

TEST_F(Wobblux, ClosingTheWindowEndsTheProgramWithStatusZero) {
    client->requestClose(window);
    ASSERT_TRUE(program->waitForExit(milliseconds(3000))) << "still running 3 s after close";
    ASSERT_TRUE(WIFEXITED(program->waitStatus()));
    EXPECT_EQ(WEXITSTATUS(program->waitStatus()), 0);
}

TEST(WobbluxWithoutDisplay, ExitsWithAnErrorInsteadOfCrashing) {
    ChildProcess program({WOBBLUX_PROGRAM}, {"DISPLAY=:none"});
    ASSERT_TRUE(program.waitForExit(milliseconds(5000)));
    ASSERT_TRUE(WIFEXITED(program.waitStatus())) << "ended by a signal";
    EXPECT_NE(WEXITSTATUS(program.waitStatus()), 0);
}

}  // namespace
}  // namespace wobblux::e2e
