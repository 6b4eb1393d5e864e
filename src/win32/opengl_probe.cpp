#include "win32/opengl_probe.h"

#include <windows.h>

namespace wobblux::win32 {
namespace {

// The descriptor freeglut fills for GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH, the display mode
// start-up asks for.
PIXELFORMATDESCRIPTOR programPixelFormat() {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cDepthBits = 24;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

// The steps freeglut takes for its window, each checked.
const char* tryOpenGl(HDC device) {
    const PIXELFORMATDESCRIPTOR wanted = programPixelFormat();
    const int format = ChoosePixelFormat(device, &wanted);
    if (format == 0) {
        return "wobblux: no OpenGL here: the display offers no pixel format to draw a window with";
    }
    if (!SetPixelFormat(device, format, &wanted)) {
        return "wobblux: no OpenGL here: a window cannot take the display's pixel format";
    }
    const HGLRC context = wglCreateContext(device);
    if (context == nullptr) {
        return "wobblux: no OpenGL here: the display's OpenGL makes no context for a window";
    }
    wglDeleteContext(context);
    return nullptr;
}

}  // namespace

const char* openGlProblem() {
    // A window of a class every program has, never shown; its pixel format dies with it.
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return "wobblux: cannot create a window";
    }
    const HDC device = GetDC(window);
    const char* problem = tryOpenGl(device);
    ReleaseDC(window, device);
    DestroyWindow(window);
    return problem;
}

}  // namespace wobblux::win32
