#pragma once

#include <cstdint>
#include <memory>

#include "darts/dart_group.h"
#include "fountain/spark_fountain.h"
#include "jelly/jelly_sheet.h"

namespace wobblux {

// The program-wide state: the camera, the drag mode and the three simulations.
struct AppState {
    float yaw = 0.0f;             // camera turn about the vertical axis, degrees
    float pitch = 0.0f;           // camera tilt about the X axis, degrees
    float distance = -300.0f;     // camera translation along z, scene units; negative is in front
    std::int32_t lastX = 0;       // pointer x at the last motion event, window pixels
    std::int32_t lastY = 0;       // pointer y at the last motion event, window pixels
    std::uint8_t rotateMode = 1;  // while set, drags turn the camera
    std::uint8_t zoomMode = 0;    // while set, drags change the distance
    std::unique_ptr<JellySheet> sheet;
    std::unique_ptr<SparkFountain> fountain;
    std::unique_ptr<DartGroup> dartGroup;
};

// The one instance, shared by start-up and every callback.
extern AppState app;

}  // namespace wobblux
