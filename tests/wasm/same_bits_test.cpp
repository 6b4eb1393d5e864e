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
#include "support/recorded_runs.h"

namespace wobblux::testing {
namespace {

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
    // The runs the native unit tests pin, from the same header.
    expect("scene after 3000 scripted ticks", recordedSceneRun(), kRecordedSceneHash);
    expect("fountain after 250 ticks", recordedFountainRun(), kRecordedFountainHash);
    expect("sheet after 1000 ticks", recordedSheetRun(), kRecordedSheetHash);

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
