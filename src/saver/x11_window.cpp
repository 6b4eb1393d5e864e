// The XScreenSaver hack's window and main loop: Xlib and GLX on a window the daemon (or its
// settings dialog) made, with that window's own visual, or on a window of the hack's own.
// The show ends, with status 0, on SIGTERM or SIGINT, when the window is destroyed, or when a
// window manager closes a window of the hack's own; an X error that the window's end does not
// explain, or a lost display connection, ends the hack with one line and status 1.

#include "saver/x11_window.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "saver/glut_saver.h"
#include "saver/stop_signals.h"

namespace wobblux::saver {
namespace {

// A window of the hack's own, to try it, at about the size of a settings dialog's preview
// enlarged: any size will do, since the show follows the window's.
constexpr int kOwnWidth = 640;
constexpr int kOwnHeight = 480;

// The window and its context, and how the loop knows the show is over.
struct X11Window {
    HackCommand command;
    Display* display = nullptr;
    Window window = None;
    bool own = false;  // made here, so destroyed here
    bool doubleBuffered = true;
    GLXContext context = nullptr;
    // A window manager's close, on a window of our own: a WM_PROTOCOLS message whose first
    // datum is WM_DELETE_WINDOW.
    Atom protocols = None;
    Atom deleteWindow = None;
    bool closed = false;
    bool gone = false;  // the window was destroyed under us
    // The first X error since the last look, kept for the main loop: an error handler may make
    // no request, and the window's DestroyNotify, which excuses the error, may still be queued.
    bool errorSeen = false;
    XErrorEvent error = {};
};

X11Window x11;

[[noreturn]] void fail(const char* format, ...) {
    std::fputs("wobblux: ", stderr);
    std::va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
    std::exit(1);
}

// X errors. Xlib's default handler would end the program with a page of text; this one notes
// the error for the code that made the request. While the hack takes its window, errors are the
// answer to a question (is there such a window, can GL draw in it?), asked through failed().
// Later, errors come from a window the daemon destroyed before its SIGTERM arrived, which ends
// the show, or from a fault, which ends the hack with status 1 (endOnUnexpectedError).
extern "C" int noteError(Display* /*display*/, XErrorEvent* event) {
    if (!x11.errorSeen) {
        x11.errorSeen = true;
        x11.error = *event;
    }
    return 0;
}

// The request an error names, as Xlib's own message names it ("X_GLXSwapBuffers").
std::string requestName(const XErrorEvent& error) {
    std::string key = std::to_string(error.request_code);
    if (error.request_code >= 128) {  // an extension's: its name and the minor opcode
        int count = 0;
        char** names = XListExtensions(x11.display, &count);
        for (int k = 0; k < count; ++k) {
            int major = 0;
            int firstEvent = 0;
            int firstError = 0;
            if (XQueryExtension(x11.display, names[k], &major, &firstEvent, &firstError) &&
                major == error.request_code) {
                key = std::string(names[k]) + "." + std::to_string(error.minor_code);
            }
        }
        if (names != nullptr) {
            XFreeExtensionList(names);
        }
    }
    char name[128];
    XGetErrorDatabaseText(x11.display, "XRequest", key.c_str(), ("request " + key).c_str(), name,
                          sizeof name);
    return name;
}

// Errors excused by the window's DestroyNotify come after it on the connection, so once the
// queued events are handled, an error the window's end does not explain is a fault.
void endOnUnexpectedError() {
    if (!x11.errorSeen || x11.gone) {
        return;
    }
    char text[128];
    XGetErrorText(x11.display, x11.error.error_code, text, sizeof text);
    fail("X error %s in %s on 0x%lx", text, requestName(x11.error).c_str(), x11.error.resourceid);
}

// Asks the server at once whether a request failed, instead of in some later reply. An error
// that came before is no answer to it, and a fault.
bool failed(auto request) {
    XSync(x11.display, False);
    endOnUnexpectedError();
    request();
    XSync(x11.display, False);
    const bool seen = x11.errorSeen;
    x11.errorSeen = false;
    return seen;
}

// A display connection that breaks (the server ended or was reset) cannot be drawn on again.
// Xlib ends the program once this returns; _exit, because exit's handlers might talk to it.
extern "C" int connectionLost(Display* display) {
    std::fprintf(stderr, "wobblux: lost the connection to the X display %s\n",
                 DisplayString(display));
    _exit(1);
}

Window givenWindow() {
    if (x11.command.windowId) {
        return *x11.command.windowId;
    }
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (named == nullptr || *named == '\0') {
        return DefaultRootWindow(x11.display);
    }
    const auto id = parseWindowId(named);
    if (!id) {
        fail("XSCREENSAVER_WINDOW is not a window id: \"%s\"", named);
    }
    return *id;
}

// Uses the window's own visual, as a hack must: the daemon chose it for GL.
XVisualInfo* adoptWindow(Window window, int& width, int& height) {
    XWindowAttributes attributes;
    Status found = 0;
    // Only what a window's owner may share: its size, its exposures and its end. Never the
    // keyboard or the pointer, which belong to the daemon while it blanks the screen.
    if (failed([&] {
            found = XGetWindowAttributes(x11.display, window, &attributes);
            XSelectInput(x11.display, window, StructureNotifyMask | ExposureMask);
        }) ||
        found == 0) {
        fail("there is no window 0x%lx on the display %s", window, DisplayString(x11.display));
    }
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    wanted.screen = XScreenNumberOfScreen(attributes.screen);
    int count = 0;
    XVisualInfo* visual =
        XGetVisualInfo(x11.display, VisualIDMask | VisualScreenMask, &wanted, &count);
    int usesGl = 0;
    if (visual == nullptr || glXGetConfig(x11.display, visual, GLX_USE_GL, &usesGl) != 0 ||
        usesGl == 0) {
        fail("the window 0x%lx has a visual, 0x%lx, that cannot draw with GL", window,
             wanted.visualid);
    }
    int doubleBuffered = 0;
    glXGetConfig(x11.display, visual, GLX_DOUBLEBUFFER, &doubleBuffered);
    x11.doubleBuffered = doubleBuffered != 0;
    x11.window = window;
    width = attributes.width;
    height = attributes.height;
    return visual;
}

// A top-level window titled as the program asked, with the buffers its display mode asks for.
XVisualInfo* makeOwnWindow(const char* title, int& width, int& height) {
    const unsigned int mode = displayMode();
    int attributes[] = {GLX_RGBA, GLX_RED_SIZE, 1,    GLX_GREEN_SIZE, 1,    GLX_BLUE_SIZE,
                        1,        None,         None, None,           None, None};
    int next = 7;
    if ((mode & GLUT_DEPTH) != 0) {
        attributes[next++] = GLX_DEPTH_SIZE;
        attributes[next++] = 1;
    }
    if ((mode & GLUT_DOUBLE) != 0) {
        attributes[next++] = GLX_DOUBLEBUFFER;
    }
    const int screen = DefaultScreen(x11.display);
    XVisualInfo* visual = glXChooseVisual(x11.display, screen, attributes);
    if (visual == nullptr) {
        fail("the display %s has no visual that can draw with GL", DisplayString(x11.display));
    }
    const Window root = RootWindow(x11.display, screen);
    XSetWindowAttributes settings = {};
    settings.colormap = XCreateColormap(x11.display, root, visual->visual, AllocNone);
    settings.background_pixel = BlackPixel(x11.display, screen);
    x11.window = XCreateWindow(x11.display, root, 0, 0, kOwnWidth, kOwnHeight, 0, visual->depth,
                               InputOutput, visual->visual, CWColormap | CWBackPixel, &settings);
    x11.own = true;
    x11.doubleBuffered = (mode & GLUT_DOUBLE) != 0;
    XStoreName(x11.display, x11.window, title);
    x11.protocols = XInternAtom(x11.display, "WM_PROTOCOLS", False);
    x11.deleteWindow = XInternAtom(x11.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(x11.display, x11.window, &x11.deleteWindow, 1);
    XSelectInput(x11.display, x11.window, StructureNotifyMask | ExposureMask);
    XMapWindow(x11.display, x11.window);
    width = kOwnWidth;
    height = kOwnHeight;
    return visual;
}

void handleEvent(const XEvent& event) {
    switch (event.type) {
        case ConfigureNotify:
            noteWindowSize(event.xconfigure.width, event.xconfigure.height);
            break;
        case Expose:
            if (event.xexpose.count == 0) {
                requestDisplay();
            }
            break;
        case DestroyNotify:
            x11.gone = x11.gone || event.xdestroywindow.window == x11.window;
            break;
        case ClientMessage:
            // Anyone may send a window a message; only a window manager's close of a window of
            // our own ends the show (a window the daemon made has no such protocol).
            x11.closed =
                x11.closed || (x11.own && event.xclient.message_type == x11.protocols &&
                               event.xclient.format == 32 &&
                               static_cast<Atom>(event.xclient.data.l[0]) == x11.deleteWindow);
            break;
        default:
            break;
    }
}

// Handles every event that has come, then ends the hack on an error they do not explain.
void handleEvents() {
    while (XPending(x11.display) > 0) {
        XEvent event;
        XNextEvent(x11.display, &event);
        handleEvent(event);
    }
    endOnUnexpectedError();
}

bool showIsOver() {
    return stopSignalArrived() || x11.closed || x11.gone;
}

// Waits for an X event, the next timer or a signal, whichever comes first.
void waitForWork() {
    XFlush(x11.display);
    if (XPending(x11.display) > 0) {
        return;
    }
    waitForInputOrStop(ConnectionNumber(x11.display), millisecondsToNextTimer());
}

// The context goes before the display closes; a window made here goes with it, a window the
// daemon made stays the daemon's. Errors up to here still count, unless the window is gone.
void closeWindow() {
    glXMakeCurrent(x11.display, None, nullptr);
    glXDestroyContext(x11.display, x11.context);
    if (x11.own && !x11.gone) {
        XDestroyWindow(x11.display, x11.window);
    }
    XSync(x11.display, False);
    handleEvents();
    XCloseDisplay(x11.display);
}

}  // namespace

void chooseWindow(const HackCommand& command) {
    x11.command = command;
}

}  // namespace wobblux::saver

// Opens the display and takes the window the command line chose; ends the program with one
// line and status 1 where it cannot draw there.
int glutCreateWindow(const char* title) {
    using namespace wobblux::saver;
    if (!stopOnSignals()) {
        fail("cannot watch for SIGTERM: %s", std::strerror(errno));
    }
    x11.display = XOpenDisplay(nullptr);
    if (x11.display == nullptr) {
        fail("cannot open the X display \"%s\"", XDisplayName(nullptr));
    }
    XSetErrorHandler(noteError);
    XSetIOErrorHandler(connectionLost);
    int errorBase = 0;
    int eventBase = 0;
    if (!glXQueryExtension(x11.display, &errorBase, &eventBase)) {
        fail("the display %s cannot draw with GL (it has no GLX)", DisplayString(x11.display));
    }
    const bool given = x11.command.root || x11.command.windowId;
    int width = 0;
    int height = 0;
    XVisualInfo* visual =
        given ? adoptWindow(givenWindow(), width, height) : makeOwnWindow(title, width, height);
    bool current = false;
    const bool refused = failed([&] {
        x11.context = glXCreateContext(x11.display, visual, nullptr, True);
        current = x11.context != nullptr && glXMakeCurrent(x11.display, x11.window, x11.context);
    });
    XFree(visual);
    if (refused || !current) {
        fail("cannot draw with GL in the window 0x%lx", x11.window);
    }
    noteWindowSize(width, height);
    return 1;
}

void glutSwapBuffers() {
    using namespace wobblux::saver;
    if (x11.doubleBuffered) {
        glXSwapBuffers(x11.display, x11.window);
    } else {
        glFlush();
    }
}

// Runs until a signal or a close ends the show or the window goes; then returns, so that the
// program ends with status 0.
void glutMainLoop() {
    using namespace wobblux::saver;
    while (!showIsOver()) {
        handleEvents();
        if (showIsOver()) {
            break;
        }
        runDueWork();
        waitForWork();
    }
    closeWindow();
}
