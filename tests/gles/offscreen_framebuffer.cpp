#include "offscreen_framebuffer.h"

// Only the types, constants and function pointer types: the programs that link this file reach
// GL through `lookUp`, and the subset's defines functions of the ES names.
#define GL_GLES_PROTOTYPES 0
#include <GLES2/gl2.h>

#ifndef GL_RGBA8
#define GL_RGBA8 0x8058  // ES 3.0, and OES_rgb8_rgba8 in ES 2.0
#endif
#ifndef GL_DEPTH_COMPONENT24
#define GL_DEPTH_COMPONENT24 0x81A6  // ES 3.0, and OES_depth24 in ES 2.0
#endif

namespace wobblux::gles_test {
namespace {

template <typename Pointer>
bool find(Pointer& pointer, const char* name, void* (*lookUp)(const char*), std::string& error) {
    pointer = reinterpret_cast<Pointer>(lookUp(name));
    if (pointer == nullptr) {
        error = std::string("no ") + name;
    }
    return pointer != nullptr;
}

}  // namespace

bool bindOffscreenFramebuffer(void* (*lookUp)(const char* name), int width, int height,
                              std::string& error) {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
    if (!find(genFramebuffers, "glGenFramebuffers", lookUp, error) ||
        !find(bindFramebuffer, "glBindFramebuffer", lookUp, error) ||
        !find(genRenderbuffers, "glGenRenderbuffers", lookUp, error) ||
        !find(bindRenderbuffer, "glBindRenderbuffer", lookUp, error) ||
        !find(renderbufferStorage, "glRenderbufferStorage", lookUp, error) ||
        !find(framebufferRenderbuffer, "glFramebufferRenderbuffer", lookUp, error) ||
        !find(checkFramebufferStatus, "glCheckFramebufferStatus", lookUp, error)) {
        return false;
    }
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};
    genFramebuffers(1, &framebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    genRenderbuffers(2, renderbuffers);
    bindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
    renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                            renderbuffers[0]);
    bindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
    renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
    bindRenderbuffer(GL_RENDERBUFFER, 0);
    if (const GLenum status = checkFramebufferStatus(GL_FRAMEBUFFER);
        status != GL_FRAMEBUFFER_COMPLETE) {
        error = "framebuffer incomplete, status " + std::to_string(status);
        return false;
    }
    return true;
}

}  // namespace wobblux::gles_test
