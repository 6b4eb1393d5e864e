// Sheet, fountain and darts together for 100,000 ticks, stepped in the tick's order. Global
// operator new is replaced here to prove the ticks allocate nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app/random.h"
#include "darts/dart_group.h"
#include "fountain/spark_fountain.h"
#include "jelly/jelly_sheet.h"
#include "support/allocation_counter.h"

namespace wobblux {
namespace {

// A clock whose second changes every 30 ticks, as the real one does at 33 ms a tick.
int ticksRun = 0;
std::time_t tickingClock() {
    return 1'700'000'000 + ticksRun / 30;
}

struct Scene {
    std::unique_ptr<JellySheet> sheet =
        std::make_unique<JellySheet>(-100.0, 80.0, -100.0, 100.0, 80.0, 100.0, 1.0, 1.0);
    std::unique_ptr<SparkFountain> fountain = std::make_unique<SparkFountain>(0.0, -80.0, 0.0);
    std::unique_ptr<DartGroup> darts = std::make_unique<DartGroup>();

    void tick() {
        sheet->step();
        if (sheet->excited != 0) {
            fountain->emit(60);
        }
        fountain->step();
        darts->step(sheet->points[JellySheet::kCentreIndex]->position.y, sheet->excited);
    }
};

bool finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
bool finite(const std::array<double, 3>& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

void expectSound(const Scene& scene) {
    for (int i = 0; i < JellySheet::kPointCount; ++i) {
        const MassPoint& point = *scene.sheet->points[i];
        ASSERT_TRUE(finite(point.position) && finite(point.velocity) && finite(point.colour) &&
                    finite(scene.sheet->normals[i]))
            << "sheet point " << i;
    }
    int live = 0;
    for (int slot = 0; slot < SparkFountain::kPoolSize; ++slot) {
        live += scene.fountain->alive[slot];
        ASSERT_TRUE(finite(scene.fountain->positions[slot])) << "spark " << slot;
    }
    ASSERT_EQ(scene.fountain->aliveCount, live);
    for (const Dart& dart : scene.darts->darts) {
        ASSERT_TRUE(finite(dart.position) && finite(dart.velocity) && finite(dart.heading));
    }
}

TEST(LongRun, HundredThousandTicksStaySoundAndAllocateNothing) {
    setClockSource(tickingClock);
    ticksRun = 0;
    Scene scene;
    const std::uint64_t allocationsAfterConstruction = testing::allocationCount;
    for (ticksRun = 0; ticksRun < 100'000; ++ticksRun) {
        if (ticksRun % 300 == 150) {
            scene.sheet->excited ^= 1;
        }
        scene.tick();
        if (ticksRun % 1000 == 0) {
            expectSound(scene);
        }
    }
    EXPECT_EQ(testing::allocationCount, allocationsAfterConstruction);
    expectSound(scene);
    setClockSource(nullptr);
}

TEST(LongRun, RunsFromTheSameClockAreIdenticalBitForBit) {
    setClockSource(tickingClock);
    std::array<std::unique_ptr<Scene>, 2> runs;
    for (auto& run : runs) {
        ticksRun = 0;
        run = std::make_unique<Scene>();
        for (; ticksRun < 3'000; ++ticksRun) {
            if (ticksRun % 300 == 150) {
                run->sheet->excited ^= 1;
            }
            run->tick();
        }
    }
    for (int i = 0; i < JellySheet::kPointCount; ++i) {
        EXPECT_EQ(std::memcmp(&runs[0]->sheet->points[i]->position,
                              &runs[1]->sheet->points[i]->position, sizeof(Vector3)),
                  0);
    }
    EXPECT_EQ(std::memcmp(runs[0]->fountain->positions.data(), runs[1]->fountain->positions.data(),
                          sizeof(SparkFountain::Triple) * SparkFountain::kPoolSize),
              0);
    for (int i = 0; i < DartGroup::kDartCount; ++i) {
        const Dart& a = runs[0]->darts->darts[i];
        const Dart& b = runs[1]->darts->darts[i];
        EXPECT_EQ(std::memcmp(&a.position, &b.position, sizeof a.position), 0);
        EXPECT_EQ(std::memcmp(&a.velocity, &b.velocity, sizeof a.velocity), 0);
        EXPECT_EQ(std::memcmp(&a.heading, &b.heading, sizeof a.heading), 0);
        EXPECT_EQ(a.state, b.state);
    }
    setClockSource(nullptr);
}

}  // namespace
}  // namespace wobblux
