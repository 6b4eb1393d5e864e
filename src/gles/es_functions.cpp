#include "gles/es_functions.h"

namespace wobblux::gles {

EsFunctions es{};

namespace {

// Looks `name` up and stores it in `entry`; returns false if the context lacks it.
template <typename Function>
bool find(Function& entry, const char* name, void* (*loader)(const char*)) {
    entry = reinterpret_cast<Function>(loader(name));
    return entry != nullptr;
}

}  // namespace

bool loadEsFunctions(void* (*loader)(const char*)) {
    bool found = true;
    found &= find(es.enable, "glEnable", loader);
    found &= find(es.disable, "glDisable", loader);
    found &= find(es.blendFunc, "glBlendFunc", loader);
    found &= find(es.frontFace, "glFrontFace", loader);
    found &= find(es.clearColor, "glClearColor", loader);
    found &= find(es.clear, "glClear", loader);
    found &= find(es.viewport, "glViewport", loader);
    found &= find(es.createShader, "glCreateShader", loader);
    found &= find(es.shaderSource, "glShaderSource", loader);
    found &= find(es.compileShader, "glCompileShader", loader);
    found &= find(es.getShaderiv, "glGetShaderiv", loader);
    found &= find(es.deleteShader, "glDeleteShader", loader);
    found &= find(es.createProgram, "glCreateProgram", loader);
    found &= find(es.attachShader, "glAttachShader", loader);
    found &= find(es.bindAttribLocation, "glBindAttribLocation", loader);
    found &= find(es.linkProgram, "glLinkProgram", loader);
    found &= find(es.getProgramiv, "glGetProgramiv", loader);
    found &= find(es.useProgram, "glUseProgram", loader);
    found &= find(es.genBuffers, "glGenBuffers", loader);
    found &= find(es.bindBuffer, "glBindBuffer", loader);
    found &= find(es.bufferData, "glBufferData", loader);
    found &= find(es.bufferSubData, "glBufferSubData", loader);
    found &= find(es.enableVertexAttribArray, "glEnableVertexAttribArray", loader);
    found &= find(es.vertexAttribPointer, "glVertexAttribPointer", loader);
    found &= find(es.drawArrays, "glDrawArrays", loader);
    return found;
}

}  // namespace wobblux::gles
