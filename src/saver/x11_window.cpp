// The XScreenSaver hack's window and main loop: Xlib and GLX on a window the daemon (or its
// settings dialog) made, with that window's own visual, or on a window of the hack's own.

#include "saver/x11_window.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// Errors on our window come when it is destroyed under us (the daemon may do so before its
// SIGTERM arrives): then the show is over. Xlib's default handler would end the program with
// status 1 and a page of text instead.
int errorSeen = 0;
extern "C" int noteError(Display* /*display*/, XErrorEvent* event) {
    errorSeen = event->error_code;
    if (event->resourceid == x11.window) {
        x11.gone = true;
    }
    return 0;
}

// Asks the server at once whether a request failed, instead of in some later reply.
bool failed(auto request) {
    XSync(x11.display, False);
    errorSeen = 0;
    request();
    XSync(x11.display, False);
    return errorSeen != 0;
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
    if (failed([&] { found = XGetWindowAttributes(x11.display, window, &attributes); }) ||
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
// daemon made stays the daemon's.
void closeWindow() {
    glXMakeCurrent(x11.display, None, nullptr);
    glXDestroyContext(x11.display, x11.context);
    if (x11.own && !x11.gone) {
        XDestroyWindow(x11.display, x11.window);
    }
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
    // Only what a window's owner may share: its size, its exposures and its end. Never the
    // keyboard or the pointer, which belong to the daemon while it blanks the screen.
    XSelectInput(x11.display, x11.window, StructureNotifyMask | ExposureMask);
    x11.context = glXCreateContext(x11.display, visual, nullptr, True);
    XFree(visual);
    if (x11.context == nullptr || !glXMakeCurrent(x11.display, x11.window, x11.context)) {
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
        while (XPending(x11.display) > 0) {
            XEvent event;
            XNextEvent(x11.display, &event);
            handleEvent(event);
        }
        if (showIsOver()) {
            break;
        }
        runDueWork();
        waitForWork();
    }
    closeWindow();
}
