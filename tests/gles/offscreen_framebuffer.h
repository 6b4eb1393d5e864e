#pragma once

#include <string>

namespace wobblux::gles_test {

// Makes a framebuffer object with an RGBA8 colour and a 24-bit depth renderbuffer of the given
// size and leaves it bound for drawing and reading, in the current context: desktop GL or
// OpenGL ES, whose framebuffer calls have the same names and meaning. `lookUp` maps a GL
// function's name to its address. Both image programs draw into one, so their frames have the
// same formats and do not depend on a window being mapped. Returns false with a message.
bool bindOffscreenFramebuffer(void* (*lookUp)(const char* name), int width, int height,
                              std::string& error);

}  // namespace wobblux::gles_test
