// Recording stand-ins for the GL, GLU and GLUT entry points the drawing and callbacks use.
// Linked in place of the real libraries, they let tests assert exact call sequences without
// a display. Calls that would block or open windows only record themselves.

#include <GL/glut.h>

#include <algorithm>
#include <initializer_list>

#include "support/gl_recorder.h"

namespace wobblux::testing {
namespace {

std::vector<GlCall>& recorded() {
    static std::vector<GlCall> calls;
    return calls;
}

void record(const char* name, std::initializer_list<double> args = {},
            const void* pointer = nullptr, std::string text = {}) {
    recorded().push_back(GlCall{name, std::vector<double>(args), pointer, std::move(text)});
}

template <typename Function>
const void* asPointer(Function function) {
    return reinterpret_cast<const void*>(function);
}

}  // namespace

const std::vector<GlCall>& glCalls() {
    return recorded();
}

void resetGlCalls() {
    recorded().clear();
}

std::vector<GlCall> callsNamed(std::string_view name) {
    std::vector<GlCall> matching;
    std::copy_if(recorded().begin(), recorded().end(), std::back_inserter(matching),
                 [name](const GlCall& call) { return call.name == name; });
    return matching;
}

std::size_t countCalls(std::string_view name) {
    return static_cast<std::size_t>(
        std::count_if(recorded().begin(), recorded().end(),
                      [name](const GlCall& call) { return call.name == name; }));
}

std::vector<std::string> callNames() {
    std::vector<std::string> names;
    names.reserve(recorded().size());
    for (const GlCall& call : recorded()) {
        names.push_back(call.name);
    }
    return names;
}

}  // namespace wobblux::testing

using wobblux::testing::asPointer;
using wobblux::testing::record;

extern "C" {

// GL

void glBegin(GLenum mode) {
    record("glBegin", {double(mode)});
}
void glEnd() {
    record("glEnd");
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b});
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glColor4f", {r, g, b, a});
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glNormal3f", {x, y, z});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glVertex3f", {x, y, z});
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    // Every parameter this program sets (position, ambient, diffuse) has four components.
    record("glLightfv", {double(light), double(pname), params[0], params[1], params[2], params[3]},
           params);
}
void glClear(GLbitfield mask) {
    record("glClear", {double(mask)});
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", {r, g, b, a});
}
void glEnable(GLenum capability) {
    record("glEnable", {double(capability)});
}
void glBlendFunc(GLenum source, GLenum destination) {
    record("glBlendFunc", {double(source), double(destination)});
}
void glColorMaterial(GLenum face, GLenum mode) {
    record("glColorMaterial", {double(face), double(mode)});
}
void glMatrixMode(GLenum mode) {
    record("glMatrixMode", {double(mode)});
}
void glLoadIdentity() {
    record("glLoadIdentity");
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", {x, y, z});
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    record("glRotatef", {angle, x, y, z});
}
void glPushMatrix() {
    record("glPushMatrix");
}
void glPopMatrix() {
    record("glPopMatrix");
}
void glFrontFace(GLenum mode) {
    record("glFrontFace", {double(mode)});
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    record("glViewport", {double(x), double(y), double(width), double(height)});
}

// GLU

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}

// GLUT

void glutInit(int* argc, char** argv) {
    record("glutInit", {double(*argc)}, nullptr, *argc > 0 ? argv[0] : "");
}
void glutInitDisplayMode(unsigned int mode) {
    record("glutInitDisplayMode", {double(mode)});
}
int glutCreateWindow(const char* title) {
    record("glutCreateWindow", {}, nullptr, title);
    return 1;
}
void glutIgnoreKeyRepeat(int ignore) {
    record("glutIgnoreKeyRepeat", {double(ignore)});
}
void glutDisplayFunc(void (*callback)()) {
    record("glutDisplayFunc", {}, asPointer(callback));
}
void glutReshapeFunc(void (*callback)(int, int)) {
    record("glutReshapeFunc", {}, asPointer(callback));
}
void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    record("glutTimerFunc", {double(milliseconds), double(value)}, asPointer(callback));
}
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    record("glutKeyboardFunc", {}, asPointer(callback));
}
void glutMotionFunc(void (*callback)(int, int)) {
    record("glutMotionFunc", {}, asPointer(callback));
}
void glutMouseFunc(void (*callback)(int, int, int, int)) {
    record("glutMouseFunc", {}, asPointer(callback));
}
void glutMainLoop() {
    record("glutMainLoop");
}
void glutPostRedisplay() {
    record("glutPostRedisplay");
}
void glutSwapBuffers() {
    record("glutSwapBuffers");
}
void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    record("glutSolidCone", {base, height, double(slices), double(stacks)});
}

}  // extern "C"
