// The unattended show played as fast as the simulations go, for simulated days: every tick is the
// show's own timer callback (onShowTick: the script's input, then the tick), with the clock the
// sheet reads advancing one second every 30 ticks, as at 33 ms a tick. Nothing is drawn. For each
// simulated hour it prints the largest coordinates the scene reached, the sparks still alive at
// the end of each calm part (the tick before the show excites the sheet again), the view at the
// hour's end and any value that is not finite; then the same over the whole run. Ends with
// status 1 if a value was not finite.
//   build/bench/soak_simulation [--days D | --hours H]      (one day unless told; D and H may
//                                                             be fractions: --hours 0.5)

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "app/show.h"
#include "app/simulations.h"
#include "support/fixed_clock.h"

namespace wobblux {
namespace {

constexpr std::int64_t kTicksPerHour = 3600 * testing::kTicksPerSecond;
// FixedClock counts ticks in an int: 800 days of ticks fit with room to spare.
constexpr double kMostHours = 800.0 * 24.0;

// What one stretch of the run (an hour, or the whole run) reached. Distances in scene units (the
// tank spans -100 to 100), angles in degrees.
struct Figures {
    double dartAxis = 0.0;    // a dart's largest distance from the vertical axis
    double dartHeight = 0.0;  // a dart's largest |y|
    double sheet = 0.0;       // a sheet point's largest |x|, |y| or |z|
    double sparkAxis = 0.0;   // a live spark's largest distance from the vertical axis
    double sparkHeight = -std::numeric_limits<double>::infinity();  // a live spark's highest y
    std::int64_t calmEnds = 0;                                      // calm parts that ended
    std::int32_t calmEndSparks = 0;  // the most sparks alive at one's end
    double yawMagnitude = 0.0;       // the largest |yaw|
    // The view's turn on each tick the show turns it, taken within one turn: 1 while even.
    double turnMin = std::numeric_limits<double>::infinity();
    double turnMax = -std::numeric_limits<double>::infinity();
    std::int64_t nonFinite = 0;  // values that were not finite, summed over ticks
    std::int64_t firstNonFiniteTick = -1;

    void add(const Figures& other) {
        dartAxis = std::max(dartAxis, other.dartAxis);
        dartHeight = std::max(dartHeight, other.dartHeight);
        sheet = std::max(sheet, other.sheet);
        sparkAxis = std::max(sparkAxis, other.sparkAxis);
        sparkHeight = std::max(sparkHeight, other.sparkHeight);
        calmEnds += other.calmEnds;
        calmEndSparks = std::max(calmEndSparks, other.calmEndSparks);
        yawMagnitude = std::max(yawMagnitude, other.yawMagnitude);
        turnMin = std::min(turnMin, other.turnMin);
        turnMax = std::max(turnMax, other.turnMax);
        if (firstNonFiniteTick < 0) {
            firstNonFiniteTick = other.firstNonFiniteTick;
        }
        nonFinite += other.nonFinite;
    }
};

// Folds values into a maximum of magnitudes and counts those that are not finite (a NaN would
// slip past std::max).
struct Scan {
    double largest = 0.0;
    std::int64_t nonFinite = 0;

    void magnitude(double value) {
        nonFinite += std::isfinite(value) ? 0 : 1;
        largest = std::max(largest, std::fabs(value));
    }
    void magnitudes(const Triple& v) {
        magnitude(v[0]);
        magnitude(v[1]);
        magnitude(v[2]);
    }
    void magnitudes(const Vector3& v) {
        magnitude(v.x);
        magnitude(v.y);
        magnitude(v.z);
    }
};

void observeScene(Figures& figures, std::int64_t tick) {
    Scan dartHeights, sheet, others;
    for (const Dart& dart : app.dartGroup->darts) {
        figures.dartAxis =
            std::max(figures.dartAxis, std::hypot(dart.position[0], dart.position[2]));
        dartHeights.magnitude(dart.position[1]);
        others.magnitude(dart.position[0]);
        others.magnitude(dart.position[2]);
        others.magnitudes(dart.velocity);
        others.magnitudes(dart.heading);
    }
    for (std::int32_t k = 0; k < JellySheet::kPointCount; ++k) {
        sheet.magnitudes(app.sheet->points[k]->position);
        others.magnitudes(app.sheet->points[k]->velocity);
        others.magnitudes(app.sheet->normals[k]);
    }
    const SparkFountain& fountain = *app.fountain;
    for (std::int32_t slot = 0; slot < fountain.everLiveEnd; ++slot) {
        if (fountain.alive[slot] != 0) {
            const Triple& position = fountain.positions[slot];
            others.magnitudes(position);
            figures.sparkAxis = std::max(figures.sparkAxis, std::hypot(position[0], position[2]));
            figures.sparkHeight = std::max(figures.sparkHeight, position[1]);
        }
    }
    others.magnitude(app.yaw);
    others.magnitude(app.pitch);
    others.magnitude(app.distance);
    figures.dartHeight = std::max(figures.dartHeight, dartHeights.largest);
    figures.sheet = std::max(figures.sheet, sheet.largest);
    figures.yawMagnitude = std::max(figures.yawMagnitude, static_cast<double>(std::fabs(app.yaw)));
    const std::int64_t nonFinite = dartHeights.nonFinite + sheet.nonFinite + others.nonFinite;
    if (nonFinite > 0 && figures.firstNonFiniteTick < 0) {
        figures.firstNonFiniteTick = tick;
    }
    figures.nonFinite += nonFinite;
}

// A change of angle taken within one turn, in (-180, 180]: whole turns the show drops change
// nothing in the picture.
double withinHalfTurn(double degrees) {
    return degrees - 360.0 * std::ceil((degrees - 180.0) / 360.0);
}

void printHeading() {
    std::printf("%6s %9s %8s %9s %10s %7s %15s %12s %7s %8s %9s %10s\n", "hour", "dart-axis",
                "dart-|y|", "sheet-|c|", "spark-axis", "spark-y", "calm-end sparks", "yaw", "pitch",
                "distance", "turn", "non-finite");
}

void printLine(const char* label, const Figures& figures) {
    char calm[32];
    std::snprintf(calm, sizeof calm, "%d of %lld", figures.calmEndSparks,
                  static_cast<long long>(figures.calmEnds));
    char turn[32];
    std::snprintf(turn, sizeof turn, "%g..%g", figures.turnMin, figures.turnMax);
    std::printf("%6s %9.2f %8.2f %9.2f %10.2f %7.2f %15s %12.1f %7.1f %8.1f %9s %10lld\n", label,
                figures.dartAxis, figures.dartHeight, figures.sheet, figures.sparkAxis,
                figures.sparkHeight, calm, static_cast<double>(app.yaw),
                static_cast<double>(app.pitch), static_cast<double>(app.distance), turn,
                static_cast<long long>(figures.nonFinite));
    std::fflush(stdout);
}

int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--days D | --hours H]  (simulated time, at most %g hours)\n",
                 program, kMostHours);
    return 2;
}

}  // namespace
}  // namespace wobblux

int main(int argc, char** argv) {
    using namespace wobblux;
    double hours = 24.0;
    if (argc == 3 &&
        (std::strcmp(argv[1], "--days") == 0 || std::strcmp(argv[1], "--hours") == 0)) {
        char* end = nullptr;
        hours = std::strtod(argv[2], &end) * (argv[1][2] == 'd' ? 24.0 : 1.0);
        if (*end != '\0' || !(hours > 0.0 && hours <= kMostHours)) {
            return usage(argv[0]);
        }
    } else if (argc != 1) {
        return usage(argv[0]);
    }
    const auto ticks = static_cast<std::int64_t>(std::llround(hours * kTicksPerHour));

    // As start-up builds them, on the clock the run keeps: the fountain seeds from it.
    const testing::FixedClock clock;
    app.sheet = makeSceneSheet();
    app.fountain = makeSceneFountain();
    app.dartGroup = std::make_unique<DartGroup>();

    std::printf(
        "the show for %g simulated hours (%lld ticks, a clock second every %d): largest "
        "distances in scene units (the tank spans -100 to 100), angles in degrees; the "
        "view as each hour ends\n",
        hours, static_cast<long long>(ticks), testing::kTicksPerSecond);
    printHeading();
    Figures whole, hour;
    const auto started = std::chrono::steady_clock::now();
    for (std::int64_t tick = 0; tick < ticks; ++tick) {
        clock.atTick(static_cast<int>(tick));
        const float yawBefore = app.yaw;
        onShowTick(kTickTimerValue);
        const std::int64_t cycleTick = tick % kShowCycleTicks;
        if (cycleTick % kShowTurnEveryTicks == 0) {
            const double turn = withinHalfTurn(static_cast<double>(app.yaw) - yawBefore);
            hour.turnMin = std::min(hour.turnMin, turn);
            hour.turnMax = std::max(hour.turnMax, turn);
        }
        // The next tick excites the sheet: what is left of the last spray.
        if (cycleTick == kShowExciteTick - 1 && tick >= kShowCycleTicks) {
            ++hour.calmEnds;
            hour.calmEndSparks = std::max(hour.calmEndSparks, app.fountain->aliveCount);
        }
        observeScene(hour, tick);
        if ((tick + 1) % kTicksPerHour == 0 || tick + 1 == ticks) {
            char label[24];
            std::snprintf(label, sizeof label, "%g", static_cast<double>(tick + 1) / kTicksPerHour);
            printLine(label, hour);
            whole.add(hour);
            hour = Figures{};
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    printLine("all", whole);
    std::printf("largest |yaw| %.1f degrees; %lld ticks in %.1f s, %.0f ticks a second\n",
                whole.yawMagnitude, static_cast<long long>(ticks), seconds,
                static_cast<double>(ticks) / seconds);
    if (whole.nonFinite > 0) {
        std::printf("NOT FINITE: %lld values, the first at tick %lld (hour %.2f)\n",
                    static_cast<long long>(whole.nonFinite),
                    static_cast<long long>(whole.firstNonFiniteTick),
                    static_cast<double>(whole.firstNonFiniteTick) / kTicksPerHour);
        return 1;
    }
    std::printf("every value finite\n");
    return 0;
}
