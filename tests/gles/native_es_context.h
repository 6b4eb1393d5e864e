#pragma once

// An OpenGL ES context of Mesa's with no window and no X server: EGL's surfaceless platform,
// made current on the calling thread, drawing into a framebuffer object of its own (RGBA8
// colour and 24-bit depth renderbuffers) that stays bound. Every ES call it makes goes through
// eglGetProcAddress, because a program linking the GL subset must not link the ES library.

#include <cstdint>
#include <vector>

namespace wobblux::gles_test {

class NativeEsContext {
  public:
    // Throws std::runtime_error naming the step that failed.
    NativeEsContext(int width, int height);
    ~NativeEsContext();
    NativeEsContext(const NativeEsContext&) = delete;
    NativeEsContext& operator=(const NativeEsContext&) = delete;

    // eglGetProcAddress, in the form wobblux::gles::startGlSubset takes.
    static void* procAddress(const char* name);

    int width() const { return width_; }
    int height() const { return height_; }

    // Waits until everything issued so far has been drawn.
    void finish() const;

    // The framebuffer's pixels, RGBA, rows bottom to top (glReadPixels' order).
    std::vector<std::uint8_t> readRgba() const;

    // glGetError: 0 (GL_NO_ERROR) when no error was recorded since the last call.
    unsigned int error() const;

  private:
    int width_;
    int height_;
    void* display_ = nullptr;  // EGLDisplay
    void* context_ = nullptr;  // EGLContext
};

}  // namespace wobblux::gles_test
