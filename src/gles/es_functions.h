#pragma once

#include <GL/gl.h>

namespace wobblux::gles {

// The OpenGL ES 2.0 functions the subset draws with, reached through pointers: the subset
// defines GL 1.x functions of the same names (glClear, glViewport, glEnable, ...), so it
// cannot link the ES library's symbols directly. Each member is named after its ES function
// without the "gl" prefix.
struct EsFunctions {
    // State
    void (*enable)(GLenum capability);
    void (*disable)(GLenum capability);
    void (*blendFunc)(GLenum source, GLenum destination);
    void (*frontFace)(GLenum mode);
    void (*clearColor)(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
    void (*clear)(GLbitfield mask);
    void (*viewport)(GLint x, GLint y, GLsizei width, GLsizei height);
    // Shader program
    GLuint (*createShader)(GLenum type);
    void (*shaderSource)(GLuint shader, GLsizei count, const char* const* strings,
                         const GLint* lengths);
    void (*compileShader)(GLuint shader);
    void (*getShaderiv)(GLuint shader, GLenum name, GLint* value);
    void (*deleteShader)(GLuint shader);
    GLuint (*createProgram)();
    void (*attachShader)(GLuint program, GLuint shader);
    void (*bindAttribLocation)(GLuint program, GLuint index, const char* name);
    void (*linkProgram)(GLuint program);
    void (*getProgramiv)(GLuint program, GLenum name, GLint* value);
    void (*useProgram)(GLuint program);
    // Vertex buffer and drawing
    void (*genBuffers)(GLsizei count, GLuint* buffers);
    void (*bindBuffer)(GLenum target, GLuint buffer);
    void (*bufferData)(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
    void (*bufferSubData)(GLenum target, GLintptr offset, GLsizeiptr size, const void* data);
    void (*enableVertexAttribArray)(GLuint index);
    void (*vertexAttribPointer)(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                GLsizei stride, const void* offset);
    void (*drawArrays)(GLenum mode, GLint first, GLsizei count);
};

// The table the subset draws through, filled by startGlSubset(). Tests may wrap an entry to
// count calls.
extern EsFunctions es;

// Fills `es` through `loader`, which maps an ES function's name to its address. Returns false
// if any function is missing.
bool loadEsFunctions(void* (*loader)(const char* name));

}  // namespace wobblux::gles
