#pragma once

#include <GL/gl.h>

// Every OpenGL ES 2.0 function the subset draws with, written once, as
//   X(return type, member of EsFunctions, ES name without "gl", (parameters))
// It expands into the table (es_functions.h), the loader by name (es_functions.cpp) and the
// browser's table of emscripten's typed functions (web/webgl_functions.cpp), so a function is
// added here and nowhere else, and a signature that does not match the browser's fails to
// compile.
#define WOBBLUX_ES_FUNCTIONS(X)                                                                \
    /* State */                                                                                \
    X(void, enable, Enable, (GLenum capability))                                               \
    X(void, disable, Disable, (GLenum capability))                                             \
    X(void, blendFunc, BlendFunc, (GLenum source, GLenum destination))                         \
    X(void, frontFace, FrontFace, (GLenum mode))                                               \
    X(void, clearColor, ClearColor, (GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)) \
    X(void, clear, Clear, (GLbitfield mask))                                                   \
    X(void, viewport, Viewport, (GLint x, GLint y, GLsizei width, GLsizei height))             \
    /* Shader program */                                                                       \
    X(GLuint, createShader, CreateShader, (GLenum type))                                       \
    X(void, shaderSource, ShaderSource,                                                        \
      (GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths))      \
    X(void, compileShader, CompileShader, (GLuint shader))                                     \
    X(void, getShaderiv, GetShaderiv, (GLuint shader, GLenum name, GLint * value))             \
    X(void, getShaderInfoLog, GetShaderInfoLog,                                                \
      (GLuint shader, GLsizei capacity, GLsizei * length, GLchar * log))                       \
    X(void, deleteShader, DeleteShader, (GLuint shader))                                       \
    X(GLuint, createProgram, CreateProgram, ())                                                \
    X(void, attachShader, AttachShader, (GLuint program, GLuint shader))                       \
    X(void, bindAttribLocation, BindAttribLocation,                                            \
      (GLuint program, GLuint index, const GLchar* name))                                      \
    X(void, linkProgram, LinkProgram, (GLuint program))                                        \
    X(void, getProgramiv, GetProgramiv, (GLuint program, GLenum name, GLint * value))          \
    X(void, getProgramInfoLog, GetProgramInfoLog,                                              \
      (GLuint program, GLsizei capacity, GLsizei * length, GLchar * log))                      \
    X(void, deleteProgram, DeleteProgram, (GLuint program))                                    \
    X(void, useProgram, UseProgram, (GLuint program))                                          \
    /* Vertex buffer and drawing */                                                            \
    X(void, genBuffers, GenBuffers, (GLsizei count, GLuint * buffers))                         \
    X(void, bindBuffer, BindBuffer, (GLenum target, GLuint buffer))                            \
    X(void, bufferData, BufferData,                                                            \
      (GLenum target, GLsizeiptr size, const void* data, GLenum usage))                        \
    X(void, bufferSubData, BufferSubData,                                                      \
      (GLenum target, GLintptr offset, GLsizeiptr size, const void* data))                     \
    X(void, enableVertexAttribArray, EnableVertexAttribArray, (GLuint index))                  \
    X(void, vertexAttribPointer, VertexAttribPointer,                                          \
      (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,            \
       const void* offset))                                                                    \
    X(void, drawArrays, DrawArrays, (GLenum mode, GLint first, GLsizei count))
