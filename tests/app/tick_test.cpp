#include <GL/glut.h>

#include <cstring>

#include "app/callbacks.h"
#include "app_fixture.h"

namespace wobblux::testing {
namespace {

// A second, independent set of the three simulations built from the same clock, stepped by
// hand in the order a tick must follow.
struct ReferenceScene {
    JellySheet sheet{-100.0, 80.0, -100.0, 100.0, 80.0, 100.0, 1.0, 1.0};
    std::unique_ptr<SparkFountain> fountain = std::make_unique<SparkFountain>(0.0, -80.0, 0.0);
    DartGroup darts;

    void tick() {
        sheet.step();
        if (sheet.excited != 0) {
            fountain->emit(60);
        }
        fountain->step();
        darts.step(sheet.points[JellySheet::kCentreIndex]->position.y, sheet.excited);
    }
};

bool sameBits(const DartGroup& a, const DartGroup& b) {
    for (int i = 0; i < DartGroup::kDartCount; ++i) {
        const Dart& x = a.darts[i];
        const Dart& y = b.darts[i];
        if (std::memcmp(&x.position, &y.position, sizeof x.position) != 0 ||
            std::memcmp(&x.velocity, &y.velocity, sizeof x.velocity) != 0 ||
            std::memcmp(&x.target, &y.target, sizeof x.target) != 0 || x.state != y.state) {
            return false;
        }
    }
    return true;
}

class TickTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        reference = std::make_unique<ReferenceScene>();
    }

    // Applies the same change to the program's scene and to the reference.
    template <typename Change>
    void both(Change change) {
        change(*app.sheet, *app.dartGroup);
        change(reference->sheet, reference->darts);
    }

    std::unique_ptr<ReferenceScene> reference;
};

TEST_F(TickTest, StepsEverySimulationOnceThenAsksForARedrawAndArmsTheNextTick) {
    onTimerTick(1);
    reference->tick();

    EXPECT_EQ(callNames(), (std::vector<std::string>{"glutPostRedisplay", "glutTimerFunc"}));
    const GlCall timer = callsNamed("glutTimerFunc").at(0);
    EXPECT_EQ(timer.args, (std::vector<double>{33, 1}));
    EXPECT_EQ(timer.pointer, reinterpret_cast<const void*>(&onTimerTick));

    EXPECT_EQ(app.sheet->points[JellySheet::kCentreIndex]->position.y,
              reference->sheet.points[JellySheet::kCentreIndex]->position.y);
    EXPECT_TRUE(sameBits(*app.dartGroup, reference->darts));
    EXPECT_EQ(app.fountain->aliveCount, 0);  // nothing is emitted while calm
}

TEST_F(TickTest, WhileExcitedEmitsSixtySparksBeforeTheFountainSteps) {
    both([](JellySheet& sheet, DartGroup&) { sheet.excited = 1; });
    onTimerTick(1);
    reference->tick();
    EXPECT_EQ(app.fountain->aliveCount, 60);
    // Emitted before the step: every new spark has already aged and moved once.
    for (int slot = 0; slot < 60; ++slot) {
        EXPECT_EQ(app.fountain->ages[slot], 1);
        EXPECT_EQ(app.fountain->positions[slot], reference->fountain->positions[slot]);
    }
    EXPECT_TRUE(sameBits(*app.dartGroup, reference->darts));
    // The darts were told the sheet is excited.
    for (const Dart& dart : app.dartGroup->darts) {
        EXPECT_EQ(dart.state, Flee);
    }
}

TEST_F(TickTest, DartsSeeTheCentreHeightAfterThisTicksSheetStep) {
    // The centre rises from 80 to 82.4 in this tick's step. A dart at height 61 is within 20
    // units of the old height but not of the new one, so only a stale height would make it
    // draw for a leap and shift every later random draw.
    both([](JellySheet& sheet, DartGroup& darts) {
        sheet.points[JellySheet::kCentreIndex]->velocity.y = 10.0f;
        darts.darts[0].position[1] = 61.0;
    });
    onTimerTick(1);
    reference->tick();
    ASSERT_GT(app.sheet->points[JellySheet::kCentreIndex]->position.y, 81.0f);
    EXPECT_TRUE(sameBits(*app.dartGroup, reference->darts));
}

TEST_F(TickTest, ManyTicksMatchTheReferenceOrderBitForBit) {
    for (int tick = 0; tick < 600; ++tick) {
        if (tick % 150 == 75) {
            both([](JellySheet& sheet, DartGroup&) { sheet.excited ^= 1; });
        }
        onTimerTick(1);
        reference->tick();
    }
    EXPECT_TRUE(sameBits(*app.dartGroup, reference->darts));
    EXPECT_EQ(app.fountain->aliveCount, reference->fountain->aliveCount);
    for (int i = 0; i < JellySheet::kPointCount; ++i) {
        ASSERT_EQ(app.sheet->points[i]->position.y, reference->sheet.points[i]->position.y);
    }
}

}  // namespace
}  // namespace wobblux::testing
