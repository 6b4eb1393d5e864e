#include "scene_setup.h"

#include <charconv>
#include <memory>
#include <string_view>
#include <system_error>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "app/simulations.h"
#include "support/fixed_clock.h"

namespace wobblux::gles_test {

const char kSceneUsage[] =
    "options (each followed by its value):\n"
    "  --width N, --height N   framebuffer size in pixels (400 x 300)\n"
    "  --ticks N               simulation ticks before drawing (0)\n"
    "  --excite-from N|none    first excited tick (none)\n"
    "  --yaw D, --pitch D      camera angles in degrees (0, 0)\n"
    "  --distance D            camera distance (-300)\n"
    "  --start-second N        the clock's second at tick 0 (1700000000)\n"
    "  --clock fixed|MS        fixed: second = start + tick / 30; MS: milliseconds per tick,\n"
    "                          second = start + floor(tick * MS / 1000) (fixed)\n"
    "  --frames N              onDisplay calls (2)\n"
    "  --output PATH           where the PNG goes (image programs)\n";

namespace {

template <typename Number>
bool parseNumber(std::string_view text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end;
}

bool parseAtLeast(std::string_view text, int minimum, int& value) {
    return parseNumber(text, value) && value >= minimum;
}

bool parseOption(std::string_view name, std::string_view value, SceneOptions& scene) {
    if (name == "--width") {
        return parseAtLeast(value, 1, scene.width);
    }
    if (name == "--height") {
        return parseAtLeast(value, 1, scene.height);
    }
    if (name == "--ticks") {
        return parseAtLeast(value, 0, scene.ticks);
    }
    if (name == "--excite-from") {
        if (value == "none") {
            scene.exciteFrom = -1;
            return true;
        }
        return parseAtLeast(value, 0, scene.exciteFrom);
    }
    if (name == "--yaw") {
        return parseNumber(value, scene.yaw);
    }
    if (name == "--pitch") {
        return parseNumber(value, scene.pitch);
    }
    if (name == "--distance") {
        return parseNumber(value, scene.distance);
    }
    if (name == "--start-second") {
        return parseNumber(value, scene.startSecond);
    }
    if (name == "--clock") {
        if (value == "fixed") {
            scene.millisecondsPerTick = 0;
            return true;
        }
        return parseAtLeast(value, 1, scene.millisecondsPerTick);
    }
    if (name == "--frames") {
        return parseAtLeast(value, 1, scene.frames);
    }
    if (name == "--output") {
        scene.output = value;
        return !value.empty();
    }
    return false;
}

}  // namespace

bool parseSceneArguments(int count, const char* const* arguments, SceneOptions& scene,
                         std::string& error) {
    for (int i = 1; i < count; i += 2) {
        const std::string_view name = arguments[i];
        if (i + 1 >= count) {
            error = "option " + std::string(name) + " has no value";
            return false;
        }
        const std::string_view value = arguments[i + 1];
        if (!parseOption(name, value, scene)) {
            error = "bad option or value: " + std::string(name) + " " + std::string(value);
            return false;
        }
    }
    return true;
}

std::time_t secondAtTick(const SceneOptions& scene, int tick) {
    const auto start = static_cast<std::time_t>(scene.startSecond);
    if (scene.millisecondsPerTick == 0) {
        return start + tick / testing::kTicksPerSecond;
    }
    return start + static_cast<std::time_t>(static_cast<std::int64_t>(tick) *
                                            scene.millisecondsPerTick / 1000);
}

void buildScene(const SceneOptions& scene) {
    const testing::FixedClock clock(static_cast<std::time_t>(scene.startSecond));
    app = AppState{};
    app.sheet = makeSceneSheet();
    app.fountain = makeSceneFountain();
    app.dartGroup = std::make_unique<DartGroup>();
    for (int tick = 0; tick < scene.ticks; ++tick) {
        if (scene.millisecondsPerTick == 0) {
            clock.atTick(tick);
        } else {
            testing::fixedNow = secondAtTick(scene, tick);
        }
        app.sheet->excited = scene.exciteFrom >= 0 && tick >= scene.exciteFrom ? 1 : 0;
        advanceSimulations(*app.sheet, *app.fountain, *app.dartGroup);
    }
    app.yaw = scene.yaw;
    app.pitch = scene.pitch;
    app.distance = scene.distance;
}

void drawFrames(const SceneOptions& scene) {
    initGraphics();
    onReshape(scene.width, scene.height);
    for (int frame = 0; frame < scene.frames; ++frame) {
        onDisplay();
    }
}

}  // namespace wobblux::gles_test
