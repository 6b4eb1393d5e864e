// wobblux.scr's windows and main loop: Win32 and WGL. Full screen, a window of its own on each
// monitor, each showing the whole picture at that monitor's shape; or one window inside the
// preview of Windows' Screen Saver Settings.
//
// One GL context draws in every window: the program sets its GL state once, at start-up, in the
// context current then, so a context per window would miss it. The windows share one pixel
// format, and each frame the context is made current on each window in turn.

#include "saver/win32_window.h"

// clang-format off
#include <windows.h>
// clang-format on
#include <GL/glut.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "glut/window_frames.h"
#include "saver/glut_saver.h"
#include "win32/fatal_message.h"
#include "win32/opengl_probe.h"

namespace wobblux::saver {
namespace {

constexpr char kWindowClass[] = "WobbluxScreenSaver";

// How far the pointer may drift, in pixels on either axis, before a full-screen show ends: a
// mouse on a desk jitters, and the first move reported is only where the pointer already is.
constexpr int kPointerSlack = 4;

// The timer period the show asks of Windows while it runs, in milliseconds. Windows ends a wait
// on its timer interrupt, every 15.625 ms unless a program asks for a finer one: each 33 ms wait
// for the next tick would last some 47 ms.
constexpr UINT kTimerPeriodMs = 1;

// A window the show is drawn in, and its device context, which it keeps (CS_OWNDC).
struct SaverWindow {
    HWND window = nullptr;
    HDC deviceContext = nullptr;
};

// The windows, their GL context, and how the loop knows the show is over.
struct Win32Window {
    ScrCommand command;
    std::vector<SaverWindow> windows;  // one per monitor, or the preview's one
    HWND host = nullptr;               // the preview's
    HGLRC context = nullptr;
    bool pointerSeen = false;  // where the pointer was when the show began, on the screen
    POINT pointerStart = {};
    bool over = false;
};

Win32Window win32;

bool fullScreen() {
    return win32.command.mode == ScrCommand::Mode::FullScreen;
}

// A preview says nothing: it would put a box over the settings dialog each time the user
// picks Wobblux there. The full screen says why it cannot start, in a line and a box.
[[noreturn]] void fail(const char* line) {
    if (fullScreen()) {
        wobblux::win32::exitWithFatalMessage(line);
    }
    std::fprintf(stderr, "%s\n", line);
    std::exit(1);
}

// A full-screen show ends on any key, any button, a turn of the wheel, or the pointer moving
// beyond its slack, on any monitor; and when another program takes the foreground (focus
// passing between the show's own windows is no WM_ACTIVATEAPP).
bool endsTheShow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            return true;
        case WM_ACTIVATEAPP:
            return wParam == FALSE;
        case WM_MOUSEMOVE: {
            // On the screen, since each window reports the pointer in its own pixels.
            POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(window, &at);
            if (!win32.pointerSeen) {
                win32.pointerSeen = true;
                win32.pointerStart = at;
                return false;
            }
            return std::abs(at.x - win32.pointerStart.x) > kPointerSlack ||
                   std::abs(at.y - win32.pointerStart.y) > kPointerSlack;
        }
        default:
            return false;
    }
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (fullScreen() && endsTheShow(window, message, wParam, lParam)) {
        win32.over = true;
        return 0;
    }
    switch (message) {
        case WM_SIZE:
            // The full screen's windows are reshaped before each frame anyway.
            if (fullScreen()) {
                requestDisplay();
            } else {
                noteWindowSize(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_PAINT:
            ValidateRect(window, nullptr);
            requestDisplay();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // GL paints every pixel
        case WM_SETCURSOR:
            if (fullScreen()) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_SYSCOMMAND:
            // Windows asks a running screen saver to start again, or the window to close
            // through its system menu: neither is for a full-screen show.
            if (fullScreen() &&
                ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE)) {
                return 0;
            }
            break;
        case WM_CLOSE:
        case WM_DESTROY:
            // A preview's window goes with its host, when the dialog closes or shows another.
            win32.over = true;
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;  // GL keeps the window's device context
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = fullScreen() ? nullptr : LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassA(&windowClass) == 0) {
        fail("wobblux: cannot register the screen saver's window class");
    }
}

BOOL CALLBACK addMonitor(HMONITOR /*monitor*/, HDC /*device*/, RECT* area, LPARAM areas) {
    reinterpret_cast<std::vector<RECT>*>(areas)->push_back(*area);
    return TRUE;
}

// A topmost window over each monitor, in physical pixels (the program is per-monitor DPI aware,
// so nothing is scaled and blurred).
void makeFullScreenWindows(const char* title) {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        fail("wobblux: Windows names no monitor to show the screen saver on");
    }
    for (const RECT& area : monitors) {
        const HWND window =
            CreateWindowExA(WS_EX_TOPMOST, kWindowClass, title, WS_POPUP, area.left, area.top,
                            area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        if (window == nullptr) {
            fail("wobblux: cannot create the screen saver's window");
        }
        win32.windows.push_back({window, GetDC(window)});
    }
}

void makePreviewWindow(const char* title) {
    RECT area = {};
    GetClientRect(win32.host, &area);
    const HWND window =
        CreateWindowExA(0, kWindowClass, title, WS_CHILD | WS_VISIBLE, 0, 0, area.right,
                        area.bottom, win32.host, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        fail("wobblux: cannot create the screen saver's window");
    }
    win32.windows.push_back({window, GetDC(window)});
}

// RGBA with the buffers the display mode asks for, made for the first window; the others take
// its pixel format, so that its context can draw in each of them.
void startGl() {
    const unsigned int mode = displayMode();
    const HDC first = win32.windows.front().deviceContext;
    const char* problem = nullptr;
    win32.context = wobblux::win32::createOpenGlContext(first, (mode & GLUT_DOUBLE) != 0,
                                                        (mode & GLUT_DEPTH) != 0, problem);
    if (win32.context == nullptr) {
        fail(problem);
    }
    const int format = GetPixelFormat(first);
    PIXELFORMATDESCRIPTOR description = {};
    DescribePixelFormat(first, format, sizeof description, &description);
    for (std::size_t k = 1; k < win32.windows.size(); ++k) {
        if (!SetPixelFormat(win32.windows[k].deviceContext, format, &description)) {
            fail("wobblux: no OpenGL here: a window cannot take the display's pixel format");
        }
    }
    if (!wglMakeCurrent(first, win32.context)) {
        fail("wobblux: no OpenGL here: the display's OpenGL cannot draw with its context");
    }
}

// The full screen's frame: the one frame the show has booked, drawn on each monitor at its own
// shape. The program's reshape also resets the modelview matrix, under which its display places
// the light (the previous frame's camera): each monitor starts from the matrix the last frame
// left, so that each shows the picture one window of its size would.
void showOnEveryMonitor() {
    runDueTimers();
    if (!takeDisplayRequest()) {
        return;
    }
    GLfloat lastFrame[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, lastFrame);
    for (const SaverWindow& shown : win32.windows) {
        wglMakeCurrent(shown.deviceContext, win32.context);
        RECT area = {};
        GetClientRect(shown.window, &area);
        glut::reshape(area.right, area.bottom);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(lastFrame);
        glut::display();
    }
}

// The preview keeps filling its host, which the dialog may resize; and ends when the host goes.
void followHost() {
    if (win32.host == nullptr) {
        return;
    }
    if (!IsWindow(win32.host)) {
        win32.over = true;
        return;
    }
    RECT host = {};
    RECT own = {};
    const HWND window = win32.windows.front().window;
    GetClientRect(win32.host, &host);
    GetClientRect(window, &own);
    if (host.right != own.right || host.bottom != own.bottom) {
        MoveWindow(window, 0, 0, host.right, host.bottom, FALSE);
    }
}

void handleMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            win32.over = true;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Waits for a message or the next timer, whichever comes first.
void waitForWork() {
    const int wait = millisecondsToNextTimer();
    MsgWaitForMultipleObjectsEx(0, nullptr, wait < 0 ? INFINITE : static_cast<DWORD>(wait),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void closeWindows() {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(win32.context);
    for (const SaverWindow& shown : win32.windows) {
        if (IsWindow(shown.window)) {
            ReleaseDC(shown.window, shown.deviceContext);
            DestroyWindow(shown.window);
        }
    }
}

}  // namespace

void chooseWindow(const ScrCommand& command) {
    win32.command = command;
    win32.host = command.mode == ScrCommand::Mode::Preview ? reinterpret_cast<HWND>(command.window)
                                                           : nullptr;
}

}  // namespace wobblux::saver

int glutCreateWindow(const char* title) {
    using namespace wobblux::saver;
    if (win32.host != nullptr && !IsWindow(win32.host)) {
        fail("wobblux: the preview's window does not exist");
    }
    registerWindowClass();
    if (fullScreen()) {
        makeFullScreenWindows(title);
    } else {
        makePreviewWindow(title);
    }
    startGl();
    if (fullScreen()) {
        // In front, the first with the keyboard: a key ends the show.
        for (const SaverWindow& shown : win32.windows) {
            ShowWindow(shown.window, SW_SHOW);
        }
        SetForegroundWindow(win32.windows.front().window);
        SetFocus(win32.windows.front().window);
    } else {
        RECT area = {};
        GetClientRect(win32.windows.front().window, &area);
        noteWindowSize(area.right, area.bottom);
    }
    return 1;
}

// Shows the frame of the window whose device context is current.
void glutSwapBuffers() {
    SwapBuffers(wglGetCurrentDC());
}

// Runs until the user comes back (full screen) or the preview's host goes; then returns, so
// that the program ends with status 0. Meanwhile the show's 33 ms ticks need a timer finer than
// Windows' default.
void glutMainLoop() {
    using namespace wobblux::saver;
    const bool finerTimer = timeBeginPeriod(kTimerPeriodMs) == TIMERR_NOERROR;
    while (!win32.over) {
        handleMessages();
        followHost();
        if (win32.over) {
            break;
        }
        if (fullScreen()) {
            showOnEveryMonitor();
        } else {
            runDueWork();
        }
        waitForWork();
    }
    if (finerTimer) {
        timeEndPeriod(kTimerPeriodMs);
    }
    closeWindows();
}
