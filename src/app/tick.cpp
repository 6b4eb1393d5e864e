#include <GL/glut.h>

#include "app/app_state.h"
#include "app/callbacks.h"

namespace wobblux {
namespace {

constexpr unsigned int kTickMilliseconds = 33;
constexpr std::int32_t kSparksPerTick = 60;  // emitted while the sheet is excited

}  // namespace

void onTimerTick(int /*value*/) {
    JellySheet& sheet = *app.sheet;
    sheet.step();
    if (sheet.excited != 0) {
        app.fountain->emit(kSparksPerTick);
    }
    app.fountain->step();
    // The darts see the centre's height after this tick's sheet step.
    const double sheetHeight = sheet.points[JellySheet::kCentreIndex]->position.y;
    app.dartGroup->step(sheetHeight, sheet.excited);
    glutPostRedisplay();
    // Armed only after the work: under load ticks come later, never with larger steps.
    glutTimerFunc(kTickMilliseconds, onTimerTick, kTickTimerValue);
}

}  // namespace wobblux
