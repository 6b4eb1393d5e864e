// The WebGL functions the GL subset draws with, looked up by their ES 2.0 names.
//
// emscripten_webgl_get_proc_address would find them too, but it names every WebGL function and
// so links the JavaScript of all of them: some 60 KB that the page would carry for nothing. A
// function the subset starts to use must be added here; until it is, startGlSubset fails and
// the page says so.

#include <webgl/webgl1.h>

#include <string_view>

#include "web/glut_web.h"

namespace wobblux::web {
namespace {

struct WebGlFunction {
    std::string_view name;
    void* address;
};

template <typename Function>
void* address(Function* function) {
    return reinterpret_cast<void*>(function);
}

const WebGlFunction kFunctions[] = {
    {"glAttachShader", address(emscripten_glAttachShader)},
    {"glBindAttribLocation", address(emscripten_glBindAttribLocation)},
    {"glBindBuffer", address(emscripten_glBindBuffer)},
    {"glBlendFunc", address(emscripten_glBlendFunc)},
    {"glBufferData", address(emscripten_glBufferData)},
    {"glBufferSubData", address(emscripten_glBufferSubData)},
    {"glClear", address(emscripten_glClear)},
    {"glClearColor", address(emscripten_glClearColor)},
    {"glCompileShader", address(emscripten_glCompileShader)},
    {"glCreateProgram", address(emscripten_glCreateProgram)},
    {"glCreateShader", address(emscripten_glCreateShader)},
    {"glDeleteShader", address(emscripten_glDeleteShader)},
    {"glDisable", address(emscripten_glDisable)},
    {"glDrawArrays", address(emscripten_glDrawArrays)},
    {"glEnable", address(emscripten_glEnable)},
    {"glEnableVertexAttribArray", address(emscripten_glEnableVertexAttribArray)},
    {"glFrontFace", address(emscripten_glFrontFace)},
    {"glGenBuffers", address(emscripten_glGenBuffers)},
    {"glGetProgramiv", address(emscripten_glGetProgramiv)},
    {"glGetShaderiv", address(emscripten_glGetShaderiv)},
    {"glLinkProgram", address(emscripten_glLinkProgram)},
    {"glShaderSource", address(emscripten_glShaderSource)},
    {"glUseProgram", address(emscripten_glUseProgram)},
    {"glVertexAttribPointer", address(emscripten_glVertexAttribPointer)},
    {"glViewport", address(emscripten_glViewport)},
};

}  // namespace

void* webGlFunction(const char* name) {
    for (const WebGlFunction& function : kFunctions) {
        if (function.name == name) {
            return function.address;
        }
    }
    return nullptr;
}

}  // namespace wobblux::web
