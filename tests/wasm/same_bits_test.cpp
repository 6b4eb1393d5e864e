// The native build's recorded results computed again by this build, whichever it is: the web
// build runs it as wasm under node, the native build as an ordinary unit test. A plain program,
// since emscripten has no GoogleTest here. Prints one line per check and the totals; any
// difference makes it exit with 1.

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/simulations.h"
#include "support/fixed_clock.h"
#include "support/state_hash.h"

namespace wobblux::testing {
namespace {

// The hashes the native unit tests pin: tests/app/long_run_test.cpp,
// tests/fountain/spark_fountain_test.cpp and tests/jelly/jelly_sheet_golden_test.cpp. Each run
// below is built exactly as there.
constexpr std::uint64_t kSceneHash = 0x90aa87bc163f8312ull;
constexpr std::uint64_t kFountainHash = 0xf769f398d30f0f94ull;
constexpr std::uint64_t kSheetHash = 0x3f9985a4e1f51a15ull;

// The fountain's swing per step, and the bits of glibc's cosine and sine of it (glibc 2.36).
constexpr double kSwirlRadians = 0.17453277777777776;
constexpr std::uint64_t kGlibcSwirlCos = 0x3fef838b9a3f7a1cull;
constexpr std::uint64_t kGlibcSwirlSin = 0x3fc63a194644cec9ull;

int passed = 0;
int failed = 0;

void expect(const char* what, std::uint64_t actual, std::uint64_t recorded) {
    const bool same = actual == recorded;
    ++(same ? passed : failed);
    std::printf("%s %s: 0x%016" PRIx64, same ? "ok  " : "FAIL", what, actual);
    if (!same) {
        std::printf(", recorded 0x%016" PRIx64, recorded);
    }
    std::printf("\n");
}

void expect(const char* what, double actual, std::uint64_t recorded) {
    std::uint64_t bits;
    std::memcpy(&bits, &actual, sizeof bits);
    expect(what, bits, recorded);
}

std::uint64_t sceneHash() {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    const auto fountain = makeSceneFountain();
    const auto darts = std::make_unique<DartGroup>();
    for (int tick = 0; tick < 3'000; ++tick) {
        clock.atTick(tick);
        sheet->excited = tick % 500 >= 250 ? 1 : 0;
        advanceSimulations(*sheet, *fountain, *darts);
    }
    return hashOf(*sheet, *fountain, *darts);
}

std::uint64_t fountainHash() {
    const FixedClock clock(1234567);
    const auto fountain = makeSceneFountain();
    for (int tick = 0; tick < 250; ++tick) {
        if ((tick / 50) % 2 == 0) {
            fountain->emit(kSparksPerTick);
        }
        fountain->step();
    }
    return hashOf(*fountain);
}

std::uint64_t sheetHash() {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    for (int tick = 0; tick < 1000; ++tick) {
        clock.atTick(tick);
        const bool excited = (tick >= 200 && tick < 450) || (tick >= 700 && tick < 850);
        sheet->excited = excited ? 1 : 0;
        sheet->step();
    }
    return hashOf(*sheet);
}

// A spark leaving the axis at (1, 2, 0) per step is moved to (1, -78, 0) and swung to exactly
// (cos a, -78, sin a): the values the fountain computes its swing with.
SparkFountain::Triple swungOnce() {
    const FixedClock clock;
    const auto fountain = makeSceneFountain();
    fountain->velocities[0] = {1.0, 2.0, 0.0};
    fountain->emit(1);
    fountain->step();
    return fountain->positions[0];
}

int runChecks() {
    expect("scene after 3000 scripted ticks", sceneHash(), kSceneHash);
    expect("fountain after 250 ticks", fountainHash(), kFountainHash);
    expect("sheet after 1000 ticks", sheetHash(), kSheetHash);

    const SparkFountain::Triple swung = swungOnce();
    expect("cosine of the fountain's swing", swung[0], kGlibcSwirlCos);
    expect("sine of the fountain's swing", swung[2], kGlibcSwirlSin);
    // Through a volatile the call is made at run time, by this build's libm: the compiler
    // folds a constant argument with its own arithmetic instead.
    const volatile double angle = kSwirlRadians;
    expect("libm cos of the swing at run time", std::cos(angle), kGlibcSwirlCos);
    expect("libm sin of the swing at run time", std::sin(angle), kGlibcSwirlSin);

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace wobblux::testing

int main() {
    return wobblux::testing::runChecks();
}
