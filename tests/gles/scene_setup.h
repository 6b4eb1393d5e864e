#pragma once

// One scene state, as the image-test programs, the draw-call test and the benchmark build it:
// the command line that names it, the simulations built and ticked into `wobblux::app` exactly
// as tests/app/app_fixture.h builds them, and the frames drawn with the unchanged drawing code.
// Kept generic so that a browser test can ask for the same state with the same words.

#include <cstdint>
#include <ctime>
#include <string>

namespace wobblux::gles_test {

// Every field has a command-line option of the same meaning; see kSceneUsage.
struct SceneOptions {
    int width = 400;  // window and framebuffer, pixels
    int height = 300;
    int ticks = 0;        // simulation ticks run before drawing
    int exciteFrom = -1;  // first tick that runs with the sheet excited; -1: never
    float yaw = 0.0f;     // camera, as AppState holds it
    float pitch = 0.0f;
    float distance = -300.0f;
    std::int64_t startSecond = 1'700'000'000;  // the clock's second at construction and tick 0
    // The clock script: 0 is the FixedClock script of the tests (second = start + tick / 30);
    // otherwise milliseconds per tick (second = start + floor(tick * ms / 1000)), as a browser
    // with a fake clock firing a 33 ms timer sees it.
    int millisecondsPerTick = 0;
    int frames = 2;      // onDisplay calls; from the second on the light sits under the camera
    std::string output;  // PNG path (the image programs only)
};

extern const char kSceneUsage[];

// Reads "--name value" pairs (arguments[1] on). Returns false with a message on a bad or
// unknown option; unset options keep the defaults above.
bool parseSceneArguments(int count, const char* const* arguments, SceneOptions& scene,
                         std::string& error);

// The clock's second while tick `tick` runs (0-based).
std::time_t secondAtTick(const SceneOptions& scene, int tick);

// Builds the three simulations into `wobblux::app` from a FixedClock at scene.startSecond,
// runs scene.ticks ticks with advanceSimulations, the clock and the excited byte set per the
// script before each, and sets the camera. The calendar clock is back in place afterwards.
void buildScene(const SceneOptions& scene);

// The GL side of a running program: initGraphics(), onReshape(width, height), then
// scene.frames calls of onDisplay(). Needs a current context (or the recording fake).
void drawFrames(const SceneOptions& scene);

}  // namespace wobblux::gles_test
