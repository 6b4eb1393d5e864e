#pragma once

#include <string>

// Wobblux's own GL 1.x subset over OpenGL ES 2.0.
//
// It defines, with their standard C names and signatures, exactly the GL, GLU and GLUT-geometry
// entry points that the drawing code calls, with their fixed-function meaning, and draws them
// through whatever OpenGL ES 2.0 context is current: Mesa's through EGL natively, WebGL in the
// browser. The drawing code links against it unchanged.
//
// Implemented:
//   glBegin/glEnd with GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_QUADS and GL_LINES; glVertex3f,
//   glNormal3f, glColor3f, glColor4f; glMatrixMode, glLoadIdentity, glPushMatrix, glPopMatrix,
//   glTranslatef, glRotatef; gluPerspective; glLightfv for GL_LIGHT0's position, ambient and
//   diffuse; glEnable of GL_DEPTH_TEST, GL_BLEND, GL_LIGHTING, GL_LIGHT0 and GL_COLOR_MATERIAL;
//   glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE); glBlendFunc; glFrontFace; glClearColor;
//   glClear; glViewport; glutSolidCone with the toolkit's geometry.
// Lighting is per vertex, on the CPU, as fixed function computes it for one positional light:
// global and light ambient plus diffuse, no specular, no attenuation, no spot, one-sided,
// normals transformed but not normalised, results clamped to [0, 1].
// Not implemented: everything else. Other enums are ignored; there is no texturing, no fog,
// no other primitive, no glGet, no display lists and no error state.
//
// Primitives are turned into triangles or lines in clip coordinates and batched: consecutive
// primitives of the same kind go into one buffer and one draw call, and a batch is drawn when
// the kind changes, before a clear or a viewport change, and at flushGlSubset().

namespace wobblux::gles {

struct EsFunctions;

// Looks up an ES 2.0 function by its name ("glDrawArrays"); eglGetProcAddress natively.
using ProcLoader = void* (*)(const char* name);

// What startGlSubset found: nothing wrong, or the first thing that went wrong.
struct SubsetStart {
    enum class Failure {
        None,
        MissingFunction,  // the context lacks the ES function named in `detail`
        ShaderCompile,    // a shader did not compile: `detail` is its info log
        ProgramLink,      // the program did not link: `detail` is its info log
    };
    Failure failure = Failure::None;
    std::string detail;

    explicit operator bool() const { return failure == Failure::None; }
};

// Takes the ES function table, creates the subset's shader program and vertex buffer in the
// current context and gives it the GL state set so far. Call it once the context is current,
// and again after a lost context has been restored. On failure it deletes what it created and
// the subset draws nothing until a later start succeeds.
SubsetStart startGlSubset(const EsFunctions& functions);
// The same with the table filled through `loader`.
SubsetStart startGlSubset(ProcLoader loader);

// Draws everything batched so far. The platform's buffer swap calls it, and so does anything
// that reads pixels back.
void flushGlSubset();

}  // namespace wobblux::gles
