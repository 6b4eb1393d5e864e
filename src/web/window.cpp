// The one window: the page's canvas with its WebGL 1 context, and the main loop.

#include <GL/glut.h>
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "gles/gl_subset.h"
#include "glut/program.h"
#include "web/glut_web.h"

namespace wobblux::web {
namespace {

constexpr int kWindowId = 1;  // GLUT numbers windows from 1

// The one window: its WebGL context.
struct Window {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
};

Window window;

// The page's title is the window's. (emscripten_set_window_title would do it too, but links
// emscripten's whole browser support library with it.)
EM_JS(void, setPageTitle, (const char* title), { document.title = UTF8ToString(title); });

// One line on stderr, which the page hears line by line: handed to the runtime's error output
// directly, so that the program carries neither C's stdio nor printf's formatting to every
// visitor for these few lines.
EM_JS(void, printLine, (const char* text, const char* more),
      { err(UTF8ToString(text) + UTF8ToString(more)); });
void printLine(const char* text) {
    printLine(text, "");
}

// As freeglut does when it cannot open its window: one line, and the program ends with status
// 1, which the page hears and then shows the line. Forced: once the main loop has run, a plain
// exit would leave the runtime running and the page unaware.
[[noreturn]] void fail(const char* line) {
    printLine(line);
    emscripten_force_exit(1);
}

// With WebGL turned off, WebKit has no WebGLRenderingContext at all, and emscripten's context
// creation throws on the missing name instead of failing: asked first, that is no WebGL too.
EM_JS(bool, hasWebGl, (), { return typeof WebGLRenderingContext != "undefined"; });

bool requested(unsigned int mode) {
    return (glut::program.displayMode & mode) != 0;
}

// The shader's log goes to the console for whoever looks; the page shows the last line only,
// which says in plain words which step failed.
void startSubset() {
    const gles::SubsetStart start = gles::startGlSubset(webGlFunctions());
    using Failure = gles::SubsetStart::Failure;
    switch (start.failure) {
        case Failure::None:
            return;
        case Failure::MissingFunction:
            printLine("Missing WebGL function: ", start.detail.c_str());
            fail("Wobblux cannot draw here: this browser's WebGL lacks a function it needs.");
        case Failure::ShaderCompile:
            printLine("Shader compile log: ", start.detail.c_str());
            fail("Wobblux cannot draw here: this browser's WebGL cannot compile its shader.");
        case Failure::ProgramLink:
            printLine("Shader link log: ", start.detail.c_str());
            fail("Wobblux cannot draw here: this browser's WebGL cannot link its shader.");
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
    emscripten_webgl_make_context_current(window.context);
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
    window.context = hasWebGl() ? emscripten_webgl_create_context(kCanvas, &attributes) : 0;
    if (window.context <= 0) {
        fail("Wobblux cannot run here: this browser has no WebGL, or has it turned off.");
    }
    emscripten_webgl_make_context_current(window.context);
    emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_FALSE, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, nullptr, EM_FALSE, onContextRestored);
}

}  // namespace
}  // namespace wobblux::web

// One window only: a second call returns the same window.
int glutCreateWindow(const char* title) {
    using namespace wobblux::web;
    if (window.context > 0) {
        return kWindowId;
    }
    setPageTitle(title);
    createContext();
    startSubset();
    return kWindowId;
}

// Hands control back to the browser for good: GLUT's main loop never returns, so neither does
// this, and the runtime stays alive for the timers, frames and input that follow.
//
// This is where everything the browser calls into starts, and nothing before it: no timer is
// armed, no frame booked and no input listened to until here. GLUT delivers nothing before its
// main loop, and the program builds its scene between glutCreateWindow and this call; if that
// fails (out of memory), the program ends with nothing of it left for the browser to call, and
// the page can show the failure cleanly. Each part keeps its own state and never asks whether
// the loop runs.
void glutMainLoop() {
    using namespace wobblux::web;
    startTimers();
    startFrames();
    listenToMouse();
    listenToKeyboard();
    listenToTouch();
    emscripten_exit_with_live_runtime();
}
