// wobblux.scr's window and main loop: Win32 and WGL, over every monitor or inside the preview
// of Windows' Screen Saver Settings.

#include "saver/win32_window.h"

// clang-format off
#include <windows.h>
// clang-format on
#include <GL/glut.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

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

// The window, its GL context, and how the loop knows the show is over.
struct Win32Window {
    ScrCommand command;
    HWND window = nullptr;
    HWND host = nullptr;  // the preview's
    HDC deviceContext = nullptr;
    HGLRC context = nullptr;
    bool pointerSeen = false;  // where the pointer was when the show began
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
// beyond its slack; and when another program takes the foreground.
bool endsTheShow(UINT message, WPARAM wParam, LPARAM lParam) {
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
            const POINT at = {static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam))};
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
    if (fullScreen() && endsTheShow(message, wParam, lParam)) {
        win32.over = true;
        return 0;
    }
    switch (message) {
        case WM_SIZE:
            noteWindowSize(LOWORD(lParam), HIWORD(lParam));
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

HWND makeWindow(const char* title) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (fullScreen()) {
        // The virtual screen: every monitor, whatever their arrangement, in physical pixels
        // (the program is per-monitor DPI aware, so nothing is scaled and blurred).
        return CreateWindowExA(
            WS_EX_TOPMOST, kWindowClass, title, WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
            GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
            GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, instance, nullptr);
    }
    RECT area = {};
    GetClientRect(win32.host, &area);
    return CreateWindowExA(0, kWindowClass, title, WS_CHILD | WS_VISIBLE, 0, 0, area.right,
                           area.bottom, win32.host, nullptr, instance, nullptr);
}

// RGBA with the buffers the display mode asks for.
void startGl() {
    const unsigned int mode = displayMode();
    win32.deviceContext = GetDC(win32.window);
    const char* problem = nullptr;
    win32.context = wobblux::win32::createOpenGlContext(
        win32.deviceContext, (mode & GLUT_DOUBLE) != 0, (mode & GLUT_DEPTH) != 0, problem);
    if (win32.context == nullptr) {
        fail(problem);
    }
    if (!wglMakeCurrent(win32.deviceContext, win32.context)) {
        fail("wobblux: no OpenGL here: the display's OpenGL cannot draw with its context");
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
    GetClientRect(win32.host, &host);
    GetClientRect(win32.window, &own);
    if (host.right != own.right || host.bottom != own.bottom) {
        MoveWindow(win32.window, 0, 0, host.right, host.bottom, FALSE);
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

void closeWindow() {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(win32.context);
    if (IsWindow(win32.window)) {
        ReleaseDC(win32.window, win32.deviceContext);
        DestroyWindow(win32.window);
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
    win32.window = makeWindow(title);
    if (win32.window == nullptr) {
        fail("wobblux: cannot create the screen saver's window");
    }
    startGl();
    RECT area = {};
    GetClientRect(win32.window, &area);
    noteWindowSize(area.right, area.bottom);
    if (fullScreen()) {
        // In front, with the keyboard: a key ends the show.
        ShowWindow(win32.window, SW_SHOW);
        SetForegroundWindow(win32.window);
        SetFocus(win32.window);
    }
    return 1;
}

void glutSwapBuffers() {
    using namespace wobblux::saver;
    SwapBuffers(win32.deviceContext);
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
        runDueWork();
        waitForWork();
    }
    if (finerTimer) {
        timeEndPeriod(kTimerPeriodMs);
    }
    closeWindow();
}
