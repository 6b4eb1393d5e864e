// Cost of one tick of each simulation and of the whole scene; a tick has 33 ms, of which
// drawing needs the most.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <memory>

#include "app/random.h"
#include "app/simulations.h"
#include "darts/dart_group.h"
#include "fountain/spark_fountain.h"
#include "jelly/jelly_sheet.h"

namespace wobblux {
namespace {

// The clock of a running program: its second changes every 30 ticks, as at 33 ms a tick, so
// the sheet's kicks repeat for 30 ticks and then change.
std::int64_t ticksRun = 0;
std::time_t tickingClock() {
    return 1'700'000'000 + ticksRun / 30;
}

void BM_JellySheetStep(benchmark::State& state) {
    ticksRun = 0;
    setClockSource(tickingClock);
    auto sheet = makeSceneSheet();
    sheet->excited = 1;
    for (auto _ : state) {
        sheet->step();
        ++ticksRun;
        benchmark::DoNotOptimize(sheet->points[JellySheet::kCentreIndex]->position);
    }
    setClockSource(nullptr);
}
BENCHMARK(BM_JellySheetStep);

// A steady spray: 60 sparks emitted every tick, 3,660 alive.
void BM_SparkFountainEmitAndStep(benchmark::State& state) {
    ticksRun = 0;
    setClockSource(tickingClock);
    auto fountain = makeSceneFountain();
    setClockSource(nullptr);
    for (std::int32_t tick = 0; tick < 120; ++tick) {
        fountain->emit(kSparksPerTick);
        fountain->step();
    }
    for (auto _ : state) {
        fountain->emit(kSparksPerTick);
        fountain->step();
        benchmark::DoNotOptimize(fountain->positions[0]);
    }
}
BENCHMARK(BM_SparkFountainEmitAndStep);

void BM_DartGroupStep(benchmark::State& state) {
    wobblux::srand(1);
    DartGroup darts;
    for (auto _ : state) {
        darts.step(80.0, 0);
        benchmark::DoNotOptimize(darts.darts[0].position);
    }
}
BENCHMARK(BM_DartGroupStep);

// One whole tick of the scene at full spray: the sheet excited, the fountain warmed up to its
// steady 3,660 live sparks after emission, the darts fleeing.
void BM_WholeTickAtFullSpray(benchmark::State& state) {
    ticksRun = 0;
    setClockSource(tickingClock);
    auto sheet = makeSceneSheet();
    auto fountain = makeSceneFountain();
    auto darts = std::make_unique<DartGroup>();
    sheet->excited = 1;
    for (; ticksRun < 120; ++ticksRun) {
        advanceSimulations(*sheet, *fountain, *darts);
    }
    for (auto _ : state) {
        advanceSimulations(*sheet, *fountain, *darts);
        ++ticksRun;
        benchmark::DoNotOptimize(sheet->points[JellySheet::kCentreIndex]->position);
        benchmark::DoNotOptimize(fountain->positions[0]);
        benchmark::DoNotOptimize(darts->darts[0].position);
    }
    setClockSource(nullptr);
}
BENCHMARK(BM_WholeTickAtFullSpray);

}  // namespace
}  // namespace wobblux
