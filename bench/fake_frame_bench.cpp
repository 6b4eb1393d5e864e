// CPU cost of the full-spray frame of gles_frame_bench drawn by the same display callback
// through the recording fake of GL, GLU and GLUT (tests/support/gl_fake.cpp), which only
// records every call: the cost of issuing the frame's GL 1.x calls, for comparison with the
// subset. The record is cleared every frame, inside the timing.
//   build/bench/fake_frame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "app/callbacks.h"
#include "scene_setup.h"
#include "support/gl_recorder.h"

namespace wobblux::gles_test {
namespace {

void BM_FakeFullSprayFrame(benchmark::State& state) {
    SceneOptions scene;
    scene.ticks = 300;
    scene.exciteFrom = 0;
    buildScene(scene);
    drawFrames(scene);
    // GL 1.x draw calls: one per glBegin/glEnd pair and one per toolkit cone.
    testing::resetGlCalls();
    onDisplay();
    const double drawCalls =
        static_cast<double>(testing::countCalls("glBegin") + testing::countCalls("glutSolidCone"));
    const double glCalls = static_cast<double>(testing::glCalls().size());
    for (auto _ : state) {
        testing::resetGlCalls();
        onDisplay();
    }
    state.counters["gl_draw_calls"] = drawCalls;
    state.counters["gl_calls"] = glCalls;
}
BENCHMARK(BM_FakeFullSprayFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wobblux::gles_test
