#include "fountain/spark_fountain.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "app/random.h"
#include "app/simulations.h"
#include "support/fixed_clock.h"
#include "support/generator_replay.h"
#include "support/gl_recorder.h"
#include "support/recorded_runs.h"
#include "support/state_hash.h"

namespace wobblux {
namespace {

// The recorded results below were taken from this second.
constexpr std::time_t kSecond = 1234567;

// The scene's fountain, emitting at (0, -80, 0). The pool is about a megabyte, so it always
// lives on the heap.
std::unique_ptr<SparkFountain> makeFountain() {
    const testing::FixedClock clock(kSecond);
    return makeSceneFountain();
}

int countLive(const SparkFountain& fountain) {
    return static_cast<int>(std::count(fountain.alive.begin(), fountain.alive.end(), 1));
}

double levelSpeed(const SparkFountain::Triple& velocity) {
    return std::hypot(velocity[0], velocity[2]);
}

TEST(SparkFountain, ConstructionGivesEverySlotARecordedVelocityAndNothingElse) {
    const testing::FixedClock clock(kSecond);
    const auto fountain = std::make_unique<SparkFountain>(1.5, -2.0, 2.5);
    const int drawAfterConstruction = wobblux::rand();

    // Velocities recorded from this second: four draws per slot, in slot order.
    EXPECT_EQ(
        fountain->velocities[0],
        (SparkFountain::Triple{-0.65102226313766698, 0.19534727835377794, -0.58734528988298995}));
    EXPECT_EQ(
        fountain->velocities[9999],
        (SparkFountain::Triple{-0.07935721811235058, 0.73261725082044393, 0.45220479920614942}));
    testing::StateHash hash;
    for (const auto& velocity : fountain->velocities) {
        hash.add(velocity);
    }
    EXPECT_EQ(hash.value(), 0x0c18fb7e5884f67full);

    for (int slot = 0; slot < SparkFountain::kPoolSize; ++slot) {
        // Upwards or level, at most 2.5 units per step.
        const auto& velocity = fountain->velocities[slot];
        ASSERT_GE(velocity[1], 0.0);
        ASSERT_LE(std::hypot(velocity[0], velocity[1], velocity[2]), 2.5 + 1e-12);
        ASSERT_EQ(fountain->positions[slot], (SparkFountain::Triple{1.5, -2.0, 2.5}));
        ASSERT_EQ(fountain->colours[slot], (SparkFountain::Triple{1.0, 1.0, 1.0}));
        ASSERT_EQ(fountain->alive[slot], 0);
        ASSERT_EQ(fountain->ages[slot], 0);
    }
    // Exactly 40,000 draws were taken after seeding with the second.
    EXPECT_EQ(drawAfterConstruction,
              testing::drawAfterSeeding(kSecond, 4 * SparkFountain::kPoolSize));
    EXPECT_EQ(fountain->aliveCount, 0);
}

TEST(SparkFountain, EmitRevivesNoneWhenPoolTooFullOrCountBelowOne) {
    const auto fountain = makeFountain();
    fountain->emit(0);
    fountain->emit(-5);
    EXPECT_EQ(fountain->aliveCount, 0);

    fountain->emit(9990);
    fountain->emit(11);
    EXPECT_EQ(fountain->aliveCount, 9990);
    EXPECT_EQ(fountain->alive[9990], 0);

    fountain->emit(10);
    EXPECT_EQ(fountain->aliveCount, 10000);
    EXPECT_EQ(countLive(*fountain), 10000);
}

TEST(SparkFountain, EmitTakesLowestFreeSlotsAndReusesFreedOnes) {
    const auto fountain = makeFountain();
    const auto velocitiesBefore = fountain->velocities;
    fountain->emit(3);
    for (int tick = 0; tick < 30; ++tick) {
        fountain->step();
    }
    fountain->emit(3);
    for (int tick = 0; tick < 31; ++tick) {
        fountain->step();
    }
    // Slots 0..2 have now been freed away from the emitter; slots 3..5 are live.
    ASSERT_EQ(fountain->aliveCount, 3);
    ASSERT_NE(fountain->positions[0], fountain->emitter);

    fountain->emit(4);
    for (int slot : {0, 1, 2, 3, 4, 5, 6}) {
        EXPECT_EQ(fountain->alive[slot], 1) << slot;
    }
    EXPECT_EQ(fountain->alive[7], 0);
    EXPECT_EQ(fountain->aliveCount, 7);
    EXPECT_EQ(fountain->positions[0], fountain->emitter);
    EXPECT_EQ(fountain->ages[0], 0);
    EXPECT_EQ(fountain->ages[3], 31);
    EXPECT_EQ(fountain->velocities, velocitiesBefore);
}

TEST(SparkFountain, SparkMovesSixtyTimesThenIsFreedWithoutMoving) {
    const auto fountain = makeFountain();
    fountain->velocities[0] = {0.0, 0.5, 0.0};  // straight up the axis, where the swing is void
    fountain->emit(1);
    for (int move = 1; move <= 60; ++move) {
        fountain->step();
        ASSERT_EQ(fountain->alive[0], 1);
        ASSERT_EQ(fountain->ages[0], move);
        ASSERT_EQ(fountain->positions[0], (SparkFountain::Triple{0.0, -80.0 + 0.5 * move, 0.0}));
    }
    const auto lastPosition = fountain->positions[0];
    fountain->step();
    EXPECT_EQ(fountain->alive[0], 0);
    EXPECT_EQ(fountain->aliveCount, 0);
    EXPECT_EQ(fountain->positions[0], lastPosition);
}

TEST(SparkFountain, OneStepMovesThenSwingsTenDegreesAboutTheVerticalAxis) {
    const auto fountain = makeFountain();
    fountain->velocities[0] = {1.0, 2.0, 0.0};
    fountain->emit(1);

    // After the move the spark is at (1, -78, 0); the swing takes it to (cos a, -78, sin a).
    fountain->step();
    EXPECT_EQ(fountain->positions[0],
              (SparkFountain::Triple{0.9848077786116991, -78.0, 0.17364803248493946}));

    // The second swing must use the moved x for both new coordinates.
    fountain->step();
    const double a = 0.17453277777777776;
    EXPECT_NEAR(fountain->positions[0][0], std::cos(a) + std::cos(2 * a), 1e-14);
    EXPECT_NEAR(fountain->positions[0][2], std::sin(a) + std::sin(2 * a), 1e-14);
}

TEST(SparkFountain, SparksCircleBesideTheAxisAndReturnToItAfterThirtySixSteps) {
    // Each step adds the level velocity and swings by a, so the level path is a circle through
    // the axis with diameter levelSpeed / sin(a / 2), crossed after 18 steps.
    const auto fountain = makeFountain();
    constexpr int kSparks = 200;
    fountain->emit(kSparks);
    const double halfAngleSine = std::sin(0.17453277777777776 / 2);
    for (int move = 1; move <= 36; ++move) {
        fountain->step();
        for (int slot = 0; slot < kSparks; ++slot) {
            const auto& position = fountain->positions[slot];
            const double distance = std::hypot(position[0], position[2]);
            const double diameter = levelSpeed(fountain->velocities[slot]) / halfAngleSine;
            if (move == 18) {
                ASSERT_NEAR(distance, diameter, 1e-6 * diameter + 1e-12) << slot;
            } else if (move == 36) {
                ASSERT_LT(distance, 1e-5 * diameter + 1e-12) << slot;
            }
        }
    }
}

TEST(SparkFountain, SteadySprayHoldsAtThirtySixHundredAndReusesTheSameSlots) {
    const auto fountain = makeFountain();
    constexpr int kBatch = kSparksPerTick;
    for (int tick = 1; tick <= 200; ++tick) {
        fountain->emit(kBatch);
        ASSERT_EQ(fountain->aliveCount, std::min(tick * kBatch, 3660));
        fountain->step();
        ASSERT_EQ(fountain->aliveCount, std::min(tick * kBatch, 3600));
        ASSERT_EQ(countLive(*fountain), fountain->aliveCount);
    }
    EXPECT_TRUE(std::all_of(fountain->alive.begin() + 3660, fountain->alive.end(),
                            [](std::uint8_t live) { return live == 0; }));

    // Without emission the last batch makes its remaining moves and is freed on the 60th step.
    for (int tick = 1; tick <= 59; ++tick) {
        fountain->step();
        ASSERT_EQ(fountain->aliveCount, 3600 - tick * kBatch);
        ASSERT_EQ(countLive(*fountain), fountain->aliveCount);
    }
    fountain->step();
    EXPECT_EQ(fountain->aliveCount, 0);
    EXPECT_EQ(countLive(*fountain), 0);
}

// FNV-1a over the bits of every position after the recorded fixed run (support/recorded_runs.h).
TEST(SparkFountain, FixedRunReproducesTheSamePositionsBitForBit) {
    const std::uint64_t hash = testing::recordedFountainRun();
    EXPECT_EQ(hash, testing::kRecordedFountainHash) << std::hex << hash;
}

TEST(SparkFountain, DrawIssuesOneLineBatchWithOpaqueHeadAndClearTail) {
    // Slot 0 lives and is freed before slots 1 and 2, so the draw must skip it.
    const auto fountain = makeFountain();
    fountain->emit(1);
    for (int tick = 0; tick < 30; ++tick) {
        fountain->step();
    }
    fountain->emit(2);
    for (int tick = 0; tick < 31; ++tick) {
        fountain->step();
    }
    ASSERT_EQ(fountain->alive[0], 0);
    fountain->colours[2] = {0.25, 0.5, 0.75};
    fountain->positions[1] = {1.0, 2.0, 3.0};
    fountain->velocities[1] = {0.5, -1.0, 0.25};
    fountain->positions[2] = {-4.0, 5.0, 0.5};
    fountain->velocities[2] = {1.0, 0.0, -0.5};

    testing::resetGlCalls();
    fountain->draw();
    const std::vector<std::string> streak{"glColor4f", "glVertex3f", "glColor4f", "glVertex3f"};
    std::vector<std::string> expectedNames{"glBegin"};
    expectedNames.insert(expectedNames.end(), streak.begin(), streak.end());
    expectedNames.insert(expectedNames.end(), streak.begin(), streak.end());
    expectedNames.push_back("glEnd");
    ASSERT_EQ(testing::callNames(), expectedNames);
    EXPECT_EQ(testing::glCalls().front().args, std::vector<double>{double(GL_LINES)});

    const auto colours = testing::callsNamed("glColor4f");
    EXPECT_EQ(colours[0].args, (std::vector<double>{1.0, 1.0, 1.0, 1.0}));
    EXPECT_EQ(colours[1].args, (std::vector<double>{1.0, 1.0, 1.0, 0.0}));
    EXPECT_EQ(colours[2].args, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
    EXPECT_EQ(colours[3].args, (std::vector<double>{0.25, 0.5, 0.75, 0.0}));

    // Each streak runs from three steps ahead of the spark (the head) back to the spark.
    const auto vertices = testing::callsNamed("glVertex3f");
    EXPECT_EQ(vertices[0].args, (std::vector<double>{2.5, -1.0, 3.75}));
    EXPECT_EQ(vertices[1].args, (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(vertices[2].args, (std::vector<double>{-1.0, 5.0, -1.0}));
    EXPECT_EQ(vertices[3].args, (std::vector<double>{-4.0, 5.0, 0.5}));
}

TEST(SparkFountain, DrawWithNothingAliveIssuesOnlyTheEmptyBatch) {
    const auto fountain = makeFountain();
    testing::resetGlCalls();
    fountain->draw();
    EXPECT_EQ(testing::callNames(), (std::vector<std::string>{"glBegin", "glEnd"}));
}

}  // namespace
}  // namespace wobblux
