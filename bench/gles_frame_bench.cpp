// CPU cost of one full-spray frame (300 ticks excited: some 3,600 live sparks) drawn by the
// unchanged display callback through the GL subset over OpenGL ES 2.0, on Mesa's ES natively
// (EGL surfaceless, llvmpipe, no X server), through to flushGlSubset at the buffer swap.
// Compare with fake_frame_bench, the same frame through the recording fake.
//   build/bench/gles_frame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <exception>
#include <memory>

#include "app/callbacks.h"
#include "gles/es_functions.h"
#include "gles/gl_subset.h"
#include "native_es_context.h"
#include "scene_setup.h"

namespace wobblux::gles_test {
namespace {

std::int64_t drawCalls = 0;
void (*realDrawArrays)(GLenum, GLint, GLsizei) = nullptr;

void countingDrawArrays(GLenum mode, GLint first, GLsizei count) {
    ++drawCalls;
    realDrawArrays(mode, first, count);
}

// The frame as the display callback draws it, then glFinish, so frames do not pile up in
// llvmpipe's queue. The default CPU time is the calling thread's: the subset's own work and
// Mesa's driver work on that thread; llvmpipe rasterises on threads of its own, which the
// ProcessCpu variant counts too.
// The full-spray scene built into `app` and the subset started on a context of its own; null,
// with the benchmark marked failed, if that cannot be done.
std::unique_ptr<NativeEsContext> startFullSprayScene(benchmark::State& state, SceneOptions& scene) {
    scene.ticks = 300;
    scene.exciteFrom = 0;
    buildScene(scene);
    try {
        auto context = std::make_unique<NativeEsContext>(scene.width, scene.height);
        if (!gles::startGlSubset(NativeEsContext::procAddress)) {
            state.SkipWithError("startGlSubset failed");
            return nullptr;
        }
        return context;
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
        return nullptr;
    }
}

void BM_SubsetFullSprayFrame(benchmark::State& state) {
    SceneOptions scene;
    const auto context = startFullSprayScene(state, scene);
    if (context == nullptr) {
        return;
    }
    realDrawArrays = gles::es.drawArrays;
    gles::es.drawArrays = countingDrawArrays;
    drawFrames(scene);  // warm: two frames
    context->finish();
    drawCalls = 0;
    for (auto _ : state) {
        onDisplay();
        context->finish();
    }
    gles::es.drawArrays = realDrawArrays;
    state.counters["es_draw_calls"] =
        benchmark::Counter(static_cast<double>(drawCalls), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SubsetFullSprayFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SubsetFullSprayFrame)
    ->Name("BM_SubsetFullSprayFrame/ProcessCpu")
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

// The subset's own work alone: the same frame with the ES calls that draw replaced by ones that
// do nothing, so only the transforming, lighting and batching of the vertices is timed.
void BM_SubsetFullSprayFrameWithoutDriver(benchmark::State& state) {
    SceneOptions scene;
    const auto context = startFullSprayScene(state, scene);
    if (context == nullptr) {
        return;
    }
    const gles::EsFunctions real = gles::es;
    gles::es.clear = [](GLbitfield) {};
    gles::es.bufferData = [](GLenum, GLsizeiptr, const void*, GLenum) {};
    gles::es.bufferSubData = [](GLenum, GLintptr, GLsizeiptr, const void*) {};
    gles::es.drawArrays = [](GLenum, GLint, GLsizei) {};
    drawFrames(scene);
    for (auto _ : state) {
        onDisplay();
    }
    gles::es = real;
}
BENCHMARK(BM_SubsetFullSprayFrameWithoutDriver)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wobblux::gles_test
