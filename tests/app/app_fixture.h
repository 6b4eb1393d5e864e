#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/simulations.h"
#include "support/fixed_clock.h"
#include "support/gl_recorder.h"

namespace wobblux::testing {

// Builds the three simulations as start-up does, from a fixed clock, with the camera at its
// start-up values and the GL call record empty.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        app = AppState{};
        app.sheet = makeSceneSheet();
        app.fountain = makeSceneFountain();
        app.dartGroup = std::make_unique<DartGroup>();
        resetGlCalls();
    }

    void TearDown() override { app = AppState{}; }

    const FixedClock clock;
};

}  // namespace wobblux::testing
