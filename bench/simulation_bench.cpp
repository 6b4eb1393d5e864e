// Cost of one tick of each simulation; a tick has 33 ms, of which drawing needs the most.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/random.h"
#include "app/simulations.h"
#include "darts/dart_group.h"
#include "fountain/spark_fountain.h"
#include "jelly/jelly_sheet.h"

namespace wobblux {
namespace {

std::time_t fixedClock() {
    return 1'700'000'000;
}

void BM_JellySheetStep(benchmark::State& state) {
    setClockSource(fixedClock);
    auto sheet = makeSceneSheet();
    sheet->excited = 1;
    for (auto _ : state) {
        sheet->step();
        benchmark::DoNotOptimize(sheet->points[JellySheet::kCentreIndex]->position);
    }
}
BENCHMARK(BM_JellySheetStep);

// A steady spray: 60 sparks emitted every tick, 3,660 alive.
void BM_SparkFountainEmitAndStep(benchmark::State& state) {
    setClockSource(fixedClock);
    auto fountain = makeSceneFountain();
    for (int tick = 0; tick < 120; ++tick) {
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

}  // namespace
}  // namespace wobblux
