#include "app/startup.h"

#include <GL/glut.h>

#include <cstdio>
#include <new>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "app/show.h"
#include "app/simulations.h"

namespace wobblux {
namespace {

constexpr char kWindowTitle[] = "Wobblux";

void writeToStandardError(const char* line) {
    std::fprintf(stderr, "%s\n", line);
}

FatalLineReporter fatalLineReporter = writeToStandardError;

// The toolkit is given an argument list of its own: the program takes no arguments, and no
// command-line option may reach the toolkit.
void initToolkit() {
    static char programName[] = "wobblux";
    static char* arguments[] = {programName, nullptr};
    int argumentCount = 1;
    glutInit(&argumentCount, arguments);
}

void resetCamera() {
    app.pitch = 0.0f;
    app.yaw = 0.0f;
    app.distance = -300.0f;
    app.lastX = 0;
    app.lastY = 0;
    app.rotateMode = 1;
    app.zoomMode = 0;
}

// Who drives the scene: a person, through the input callbacks, or the show, which plays its
// script through the same callbacks from its own tick and takes no input.
enum class Driver { Person, Show };

void registerCallbacks(Driver driver) {
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    // The first tick as soon as the loop runs.
    if (driver == Driver::Show) {
        glutTimerFunc(0, onShowTick, kTickTimerValue);
        return;
    }
    glutTimerFunc(0, onTimerTick, kTickTimerValue);
    glutKeyboardFunc(onKeyboard);
    glutMotionFunc(onMotion);
    glutMouseFunc(onMouse);
}

// The fountain seeds the random generator; the darts continue its sequence.
void buildSimulations() {
    app.sheet = makeSceneSheet();
    app.fountain = makeSceneFountain();
    app.dartGroup = std::make_unique<DartGroup>();
}

int run(Driver driver) {
    resetCamera();
    initToolkit();
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(kWindowTitle);
    // A held key reaches the program once: the server's auto-repeat would otherwise toggle the
    // excited state some 25 times a second for as long as the space bar is down. The toolkit
    // keeps this setting per window, so it is asked for once the window exists.
    glutIgnoreKeyRepeat(1);
    registerCallbacks(driver);
#if __cpp_exceptions
    try {
        buildSimulations();
    } catch (const std::bad_alloc&) {
        fatalLineReporter("wobblux: not enough memory to build the scene");
        return 1;
    }
#else
    // Built without exceptions (the browser's build, whose memory is taken whole at start-up): a
    // failed allocation ends the program where it happens.
    buildSimulations();
#endif
    initGraphics();
    glutMainLoop();
    return 0;
}

}  // namespace

int runWobblux() {
    return run(Driver::Person);
}

int runWobbluxShow() {
    return run(Driver::Show);
}

void setFatalLineReporter(FatalLineReporter reporter) {
    fatalLineReporter = reporter != nullptr ? reporter : writeToStandardError;
}

}  // namespace wobblux
