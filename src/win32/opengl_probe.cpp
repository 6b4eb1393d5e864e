#include "win32/opengl_probe.h"

namespace wobblux::win32 {

// The steps freeglut takes for its window, each checked.
HGLRC createOpenGlContext(HDC device, bool doubleBuffered, bool depth, const char*& problem) {
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags =
        PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (doubleBuffered ? PFD_DOUBLEBUFFER : 0);
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = depth ? 24 : 0;
    wanted.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(device, &wanted);
    if (format == 0) {
        problem =
            "wobblux: no OpenGL here: the display offers no pixel format to draw a window with";
        return nullptr;
    }
    if (!SetPixelFormat(device, format, &wanted)) {
        problem = "wobblux: no OpenGL here: a window cannot take the display's pixel format";
        return nullptr;
    }
    const HGLRC context = wglCreateContext(device);
    if (context == nullptr) {
        problem = "wobblux: no OpenGL here: the display's OpenGL makes no context for a window";
    }
    return context;
}

const char* openGlProblem() {
    // A window of a class every program has, never shown; its pixel format dies with it.
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return "wobblux: cannot create a window";
    }
    const HDC device = GetDC(window);
    const char* problem = nullptr;
    // The display mode start-up asks for: GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH.
    if (const HGLRC context = createOpenGlContext(device, true, true, problem)) {
        wglDeleteContext(context);
    }
    ReleaseDC(window, device);
    DestroyWindow(window);
    return problem;
}

}  // namespace wobblux::win32
