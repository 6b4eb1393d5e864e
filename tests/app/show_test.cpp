#include "app/show.h"

#include <GL/glut.h>

#include <cmath>

#include "app/callbacks.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "support/state_hash.h"

namespace wobblux::testing {
namespace {

using ShowTest = AppFixture;

// Everything the show may change: the camera, the drag state and the three simulations.
std::uint64_t sceneHash() {
    return hashOf(app.yaw, app.pitch, app.distance, app.lastX, app.lastY,
                  std::int32_t{app.rotateMode}, std::int32_t{app.zoomMode}, *app.sheet,
                  *app.fountain, *app.dartGroup);
}

TEST_F(ShowTest, ACycleOfTheScriptIsAPersonsPressesAndDragsAtTheSameTicks) {
    const std::int64_t ticks = kShowCycleTicks + 1;  // into the second cycle, past its regrip
    int mostSparks = 0;
    for (std::int64_t tick = 0; tick < ticks; ++tick) {
        clock.atTick(static_cast<int>(tick));
        playShowInput(tick);
        onTimerTick(kTickTimerValue);
        mostSparks = std::max(mostSparks, app.fountain->aliveCount);
    }
    const std::uint64_t shown = sceneHash();
    EXPECT_GT(mostSparks, 0);
    EXPECT_EQ(app.sheet->excited, 0);
    EXPECT_EQ(app.pitch, static_cast<float>(kShowTiltSteps));
    EXPECT_EQ(app.yaw, static_cast<float>(kShowCycleTicks / kShowTurnEveryTicks + 1));

    // The same by hand: hold the left button at (100, 100); on each of the first ticks move down
    // a pixel, every fifth tick move right a pixel; the space bar on and off; at the second
    // cycle, back to x = 100 with the middle button held, then hold the left button again.
    clock.atTick(0);
    SetUp();
    int x = 100;
    int y = 100;
    for (std::int64_t tick = 0; tick < ticks; ++tick) {
        clock.atTick(static_cast<int>(tick));
        if (tick == 0) {
            onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        }
        if (tick == kShowCycleTicks) {
            onMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
            onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, x, y);
            x = 100;
            onMotion(x, y);
            onMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, x, y);
            onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        }
        const bool tilt = tick < kShowTiltSteps;
        const bool turn = tick % kShowTurnEveryTicks == 0;
        y += tilt ? 1 : 0;
        x += turn ? 1 : 0;
        if (tilt || turn) {
            onMotion(x, y);
        }
        if (tick == 90 || tick == 330) {
            onKeyboard(' ', x, y);
        }
        onTimerTick(kTickTimerValue);
    }
    EXPECT_EQ(sceneHash(), shown);
}

TEST_F(ShowTest, AMonthInTheViewStillTurnsByWholeDegreesWithinOneTurn) {
    // Where the view's angle would stand after thirty days of ticks if whole turns were kept.
    constexpr std::int64_t kMonthTicks = std::int64_t{30} * 24 * 3600 * 1000 / kTickMilliseconds;
    app.yaw = static_cast<float>(kMonthTicks / kShowTurnEveryTicks);
    app.pitch = static_cast<float>(kShowTiltSteps);
    playShowInput(0);  // takes hold of the scene
    float turned = 0.0f;
    for (std::int64_t tick = kMonthTicks; tick < kMonthTicks + 3 * kShowCycleTicks; ++tick) {
        const float before = app.yaw;
        playShowInput(tick);
        const float step = std::fmod(app.yaw - before + 360.0f, 360.0f);
        ASSERT_TRUE(step == 0.0f || step == 1.0f)
            << "tick " << tick << ": " << before << " to " << app.yaw;
        ASSERT_LT(std::fabs(app.yaw), 360.0f);
        ASSERT_LT(std::fabs(app.pitch), 360.0f);
        turned += step;
    }
    EXPECT_EQ(turned, static_cast<float>(3 * kShowCycleTicks / kShowTurnEveryTicks));
}

TEST_F(ShowTest, StartsWithTheShowsTickAndTakesNoInput) {
    EXPECT_EQ(runWobbluxShow(), 0);
    EXPECT_EQ(
        countCalls("glutKeyboardFunc") + countCalls("glutMouseFunc") + countCalls("glutMotionFunc"),
        0u);
    const GlCall timer = callsNamed("glutTimerFunc").at(0);
    EXPECT_EQ(timer.pointer, reinterpret_cast<const void*>(&onShowTick));
    resetGlCalls();
    onShowTick(kTickTimerValue);
    EXPECT_EQ(callsNamed("glutTimerFunc").at(0).pointer,
              reinterpret_cast<const void*>(&onShowTick));
}

}  // namespace
}  // namespace wobblux::testing
