#include "native_es_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "offscreen_framebuffer.h"

// Only the ES types, constants and function pointer types: no prototype may be called
// directly, since the GL subset defines functions of the same names.
#define GL_GLES_PROTOTYPES 0
#include <GLES2/gl2.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace wobblux::gles_test {

namespace {

// The ES functions this harness calls itself.
struct EsHarnessFunctions {
    PFNGLREADPIXELSPROC readPixels;
    PFNGLPIXELSTOREIPROC pixelStorei;
    PFNGLFINISHPROC finish;
    PFNGLGETERRORPROC getError;
};

EsHarnessFunctions gl;

template <typename Pointer>
void load(Pointer& pointer, const char* name) {
    pointer = reinterpret_cast<Pointer>(eglGetProcAddress(name));
    if (pointer == nullptr) {
        throw std::runtime_error(std::string("eglGetProcAddress found no ") + name);
    }
}

void loadFunctions() {
    load(gl.readPixels, "glReadPixels");
    load(gl.pixelStorei, "glPixelStorei");
    load(gl.finish, "glFinish");
    load(gl.getError, "glGetError");
}

[[noreturn]] void fail(const char* step) {
    char message[128];
    std::snprintf(message, sizeof message, "native ES context: %s failed (EGL error 0x%x)", step,
                  static_cast<unsigned>(eglGetError()));
    throw std::runtime_error(message);
}

}  // namespace

NativeEsContext::NativeEsContext(int width, int height) : width_(width), height_(height) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (clientExtensions == nullptr ||
        std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless") == nullptr) {
        throw std::runtime_error("native ES context: EGL has no EGL_MESA_platform_surfaceless");
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        throw std::runtime_error("native ES context: no eglGetPlatformDisplayEXT");
    }
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        fail("eglGetPlatformDisplayEXT");
    }
    EGLint major = 0;
    EGLint minor = 0;
    if (eglInitialize(display, &major, &minor) != EGL_TRUE) {
        fail("eglInitialize");
    }
    display_ = display;
    if (eglBindAPI(EGL_OPENGL_ES_API) != EGL_TRUE) {
        fail("eglBindAPI");
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_ES2_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglChooseConfig(display, configAttributes, &config, 1, &configCount) != EGL_TRUE ||
        configCount < 1) {
        fail("eglChooseConfig");
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        fail("eglCreateContext");
    }
    context_ = context;
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        fail("eglMakeCurrent");
    }

    loadFunctions();
    std::string error;
    if (!bindOffscreenFramebuffer(procAddress, width, height, error)) {
        throw std::runtime_error("native ES context: " + error);
    }
    if (const GLenum code = gl.getError(); code != GL_NO_ERROR) {
        throw std::runtime_error("native ES context: GL error " + std::to_string(code) +
                                 " while making the framebuffer");
    }
}

NativeEsContext::~NativeEsContext() {
    auto display = static_cast<EGLDisplay>(display_);
    if (context_ != nullptr) {
        // Destroying the context frees its framebuffer and renderbuffers.
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, static_cast<EGLContext>(context_));
    }
    if (display != nullptr) {
        eglTerminate(display);
    }
    eglReleaseThread();
}

void* NativeEsContext::procAddress(const char* name) {
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

void NativeEsContext::finish() const {
    gl.finish();
}

std::vector<std::uint8_t> NativeEsContext::readRgba() const {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(4) * width_ * height_);
    gl.pixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.readPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

unsigned int NativeEsContext::error() const {
    return gl.getError();
}

}  // namespace wobblux::gles_test
