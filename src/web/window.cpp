// The one window: the page's canvas with its WebGL 1 context, and the main loop.

#include <GL/glut.h>
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "gles/gl_subset.h"
#include "web/glut_web.h"

namespace wobblux::web {
namespace {

constexpr int kWindowId = 1;  // GLUT numbers windows from 1

unsigned int displayMode = GLUT_RGBA | GLUT_SINGLE;  // GLUT's default
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
bool running = false;

// The page's title is the window's. (emscripten_set_window_title would do it too, but links
// emscripten's whole browser support library with it.)
EM_JS(void, setPageTitle, (const char* title), { document.title = UTF8ToString(title); });

// As freeglut does when it cannot open its window: one line, and the program ends with status
// 1, which the page hears and then shows the line. Forced: once the main loop has run, a plain
// exit would leave the runtime running and the page unaware.
[[noreturn]] void fail(const char* line) {
    std::fprintf(stderr, "%s\n", line);
    emscripten_force_exit(1);
}

bool requested(unsigned int mode) {
    return (displayMode & mode) != 0;
}

void startSubset() {
    if (!gles::startGlSubset(webGlFunctions())) {
        fail("Wobblux cannot draw here: this browser's WebGL cannot run its shader.");
    }
}

// The default action of a lost context is to stay lost; preventing it lets the browser
// restore the context, which it then announces.
EM_BOOL onContextLost(int /*eventType*/, const void* /*event*/, void* /*userData*/) {
    setContextLost(true);
    return EM_TRUE;
}

// A restored context has none of the old GPU objects or state: the subset re-creates and
// re-applies them, and the program sees a reshape and draws again.
EM_BOOL onContextRestored(int /*eventType*/, const void* /*event*/, void* /*userData*/) {
    emscripten_webgl_make_context_current(context);
    startSubset();
    setContextLost(false);
    requestReshape();
    glutPostRedisplay();
    return EM_TRUE;
}

void createContext() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = requested(GLUT_ALPHA);
    attributes.depth = requested(GLUT_DEPTH);
    attributes.stencil = requested(GLUT_STENCIL);
    attributes.antialias = requested(GLUT_MULTISAMPLE);
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    attributes.enableExtensionsByDefault = EM_FALSE;  // the subset is plain WebGL 1
    context = emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0) {
        fail("Wobblux cannot run here: this browser has no WebGL, or has it turned off.");
    }
    emscripten_webgl_make_context_current(context);
    emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_FALSE, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, nullptr, EM_FALSE, onContextRestored);
}

}  // namespace

bool mainLoopRunning() {
    return running;
}

}  // namespace wobblux::web

// Nothing to initialise and nothing to read: the program takes no arguments.
void glutInit(int* /*argumentCount*/, char** /*arguments*/) {}

void glutInitDisplayMode(unsigned int mode) {
    wobblux::web::displayMode = mode;
}

// One window only: a second call returns the same window.
int glutCreateWindow(const char* title) {
    using namespace wobblux::web;
    if (context > 0) {
        return kWindowId;
    }
    setPageTitle(title);
    createContext();
    startSubset();
    listenToMouse();
    listenToKeyboard();
    listenToTouch();
    return kWindowId;
}

// Hands control back to the browser for good: GLUT's main loop never returns, so neither does
// this, and the runtime stays alive for the timers, frames and input that follow.
void glutMainLoop() {
    using namespace wobblux::web;
    running = true;
    armWaitingTimers();
    startFrames();
    emscripten_exit_with_live_runtime();
}
