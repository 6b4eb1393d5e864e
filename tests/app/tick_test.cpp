#include <GL/glut.h>

#include "app/callbacks.h"
#include "app_fixture.h"
#include "support/generator_replay.h"
#include "support/state_hash.h"

namespace wobblux::testing {
namespace {

using TickTest = AppFixture;

TEST_F(TickTest, AdvancesTheSimulationsOnceThenAsksForARedrawAndArmsTheNextTick) {
    onTimerTick(1);
    EXPECT_EQ(callNames(), (std::vector<std::string>{"glutPostRedisplay", "glutTimerFunc"}));
    const GlCall timer = callsNamed("glutTimerFunc").at(0);
    EXPECT_EQ(timer.args, (std::vector<double>{33, 1}));
    EXPECT_EQ(timer.pointer, reinterpret_cast<const void*>(&onTimerTick));

    // The same scene, built the same way and advanced once by the shared tick.
    const auto sheet = makeSceneSheet();
    const auto fountain = makeSceneFountain();
    const auto darts = std::make_unique<DartGroup>();
    advanceSimulations(*sheet, *fountain, *darts);
    EXPECT_EQ(hashOf(*app.sheet, *app.fountain, *app.dartGroup), hashOf(*sheet, *fountain, *darts));
    EXPECT_EQ(app.fountain->aliveCount, 0);  // nothing is emitted while calm
}

TEST_F(TickTest, WhileExcitedEmitsSixtySparksThatTheSameTickMoves) {
    app.sheet->excited = 1;
    onTimerTick(1);
    EXPECT_EQ(app.fountain->aliveCount, 60);
    for (int slot = 0; slot < 60; ++slot) {
        EXPECT_EQ(app.fountain->alive[slot], 1);
        EXPECT_EQ(app.fountain->ages[slot], 1);
        // Moved once: the swing about the vertical axis leaves the height alone.
        EXPECT_EQ(app.fountain->positions[slot][1],
                  app.fountain->emitter[1] + app.fountain->velocities[slot][1]);
    }
    EXPECT_EQ(app.fountain->alive[60], 0);
    // The darts were told the sheet is excited.
    for (const Dart& dart : app.dartGroup->darts) {
        EXPECT_EQ(dart.state, Flee);
    }
}

TEST_F(TickTest, DartsSeeTheCentreHeightAfterThisTicksSheetStep) {
    // The centre rises from 80 to 82.4 in this tick's step. Dart 0 at height 61 is within 20
    // units of the old height but not of the new one, so only a stale height would make it
    // draw for a leap. The other darts are far below. After the sheet's 450 draws, the darts
    // then take exactly their 15 target coordinates.
    app.sheet->points[JellySheet::kCentreIndex]->velocity.y = 10.0f;
    app.dartGroup->darts[0].position[1] = 61.0;
    onTimerTick(1);
    ASSERT_GT(app.sheet->points[JellySheet::kCentreIndex]->position.y, 81.0f);
    const int nextDraw = wobblux::rand();
    EXPECT_EQ(nextDraw, drawAfterSeeding(kSomeSecond, 450 + 15));
}

}  // namespace
}  // namespace wobblux::testing
