#pragma once

#include <gtest/gtest.h>

#include <ctime>

#include "app/app_state.h"
#include "app/random.h"
#include "support/gl_recorder.h"

namespace wobblux::testing {

inline std::time_t fixedClock() {
    return 1'700'000'000;
}

// Builds the three simulations as start-up does, from a fixed clock, with the camera at its
// start-up values and the GL call record empty.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        setClockSource(fixedClock);
        app = AppState{};
        app.sheet =
            std::make_unique<JellySheet>(-100.0, 80.0, -100.0, 100.0, 80.0, 100.0, 1.0, 1.0);
        app.fountain = std::make_unique<SparkFountain>(0.0, -80.0, 0.0);
        app.dartGroup = std::make_unique<DartGroup>();
        resetGlCalls();
    }

    void TearDown() override {
        app = AppState{};
        setClockSource(nullptr);
    }
};

}  // namespace wobblux::testing
