// The ES side: the shader program and vertex buffer, the GL 1.x state that maps onto ES state
// (depth test, blending, winding, clear colour, viewport), and the drawing of batches.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstddef>

#include "gles/es_functions.h"
#include "gles/gl_subset.h"
#include "gles/lighting.h"
#include "gles/primitive_batch.h"

namespace wobblux::gles {
namespace {

// ES enums the desktop GL 1.x header does not have under these names.
constexpr GLenum kArrayBuffer = 0x8892;
constexpr GLenum kStreamDraw = 0x88E0;
constexpr GLenum kFragmentShader = 0x8B30;
constexpr GLenum kVertexShader = 0x8B31;
constexpr GLenum kCompileStatus = 0x8B81;
constexpr GLenum kLinkStatus = 0x8B82;

constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColourAttribute = 1;

// Vertices arrive transformed and lit, so the shaders only pass them on.
constexpr const char* kVertexShaderSource = R"(
attribute vec4 position;
attribute vec4 colour;
varying vec4 vertexColour;
void main() {
    gl_Position = position;
    vertexColour = colour;
}
)";

constexpr const char* kFragmentShaderSource = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
varying vec4 vertexColour;
void main() {
    gl_FragColor = vertexColour;
}
)";

// The GL state that ES keeps too, shadowed so it can be given again to a new context.
struct EsState {
    bool depthTest = false;
    bool blend = false;
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    GLenum frontFace = GL_CCW;
    std::array<GLfloat, 4> clearColour = {0.0f, 0.0f, 0.0f, 0.0f};
    std::array<GLint, 4> viewport = {0, 0, 0, 0};
    bool viewportSet = false;  // until glViewport, ES keeps the context's own default
};

EsState state;
bool ready = false;             // a context is current and the program and buffer exist
GLsizeiptr bufferCapacity = 0;  // bytes of the vertex buffer's storage

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = es.createShader(type);
    es.shaderSource(shader, 1, &source, nullptr);
    es.compileShader(shader);
    GLint compiled = 0;
    es.getShaderiv(shader, kCompileStatus, &compiled);
    return compiled != 0 ? shader : 0;
}

bool buildProgram() {
    const GLuint vertexShader = compile(kVertexShader, kVertexShaderSource);
    const GLuint fragmentShader = compile(kFragmentShader, kFragmentShaderSource);
    if (vertexShader == 0 || fragmentShader == 0) {
        return false;
    }
    const GLuint program = es.createProgram();
    es.attachShader(program, vertexShader);
    es.attachShader(program, fragmentShader);
    es.bindAttribLocation(program, kPositionAttribute, "position");
    es.bindAttribLocation(program, kColourAttribute, "colour");
    es.linkProgram(program);
    es.deleteShader(vertexShader);
    es.deleteShader(fragmentShader);
    GLint linked = 0;
    es.getProgramiv(program, kLinkStatus, &linked);
    if (linked == 0) {
        return false;
    }
    es.useProgram(program);
    return true;
}

void createVertexBuffer() {
    GLuint buffer = 0;
    es.genBuffers(1, &buffer);
    es.bindBuffer(kArrayBuffer, buffer);
    bufferCapacity = 0;
    es.enableVertexAttribArray(kPositionAttribute);
    es.enableVertexAttribArray(kColourAttribute);
    es.vertexAttribPointer(kPositionAttribute, 4, GL_FLOAT, GL_FALSE, sizeof(ClipVertex),
                           reinterpret_cast<const void*>(offsetof(ClipVertex, position)));
    es.vertexAttribPointer(kColourAttribute, 4, GL_FLOAT, GL_FALSE, sizeof(ClipVertex),
                           reinterpret_cast<const void*>(offsetof(ClipVertex, colour)));
}

void setCapability(GLenum capability, bool on) {
    if (on) {
        es.enable(capability);
    } else {
        es.disable(capability);
    }
}

// Gives a new context all the state this subset shadows.
void applyState() {
    setCapability(GL_DEPTH_TEST, state.depthTest);
    setCapability(GL_BLEND, state.blend);
    es.blendFunc(state.blendSource, state.blendDestination);
    es.frontFace(state.frontFace);
    es.clearColor(state.clearColour[0], state.clearColour[1], state.clearColour[2],
                  state.clearColour[3]);
    if (state.viewportSet) {
        es.viewport(state.viewport[0], state.viewport[1], state.viewport[2], state.viewport[3]);
    }
}

// Uploads the pending vertices once and draws each batch from them.
void drawPending() {
    const std::vector<ClipVertex>& vertices = pendingVertices();
    if (!ready || vertices.empty()) {
        clearPending();
        return;
    }
    const auto bytes = static_cast<GLsizeiptr>(vertices.size() * sizeof(ClipVertex));
    if (bytes > bufferCapacity) {
        es.bufferData(kArrayBuffer, bytes, vertices.data(), kStreamDraw);
        bufferCapacity = bytes;
    } else {
        es.bufferSubData(kArrayBuffer, 0, bytes, vertices.data());
    }
    for (const Batch& batch : pendingBatches()) {
        es.drawArrays(batch.mode, batch.first, batch.count);
    }
    clearPending();
}

}  // namespace

bool startGlSubset(ProcLoader loader) {
    ready = false;
    clearPending();
    if (!loadEsFunctions(loader) || !buildProgram()) {
        return false;
    }
    createVertexBuffer();
    applyState();
    ready = true;
    return true;
}

void flushGlSubset() {
    drawPending();
}

}  // namespace wobblux::gles

extern "C" {

void glEnable(GLenum capability) {
    using namespace wobblux::gles;
    if (enableLightingCapability(capability)) {
        return;  // lighting happens as vertices arrive: no batch is affected
    }
    if (capability != GL_DEPTH_TEST && capability != GL_BLEND) {
        return;
    }
    drawPending();
    (capability == GL_DEPTH_TEST ? state.depthTest : state.blend) = true;
    if (ready) {
        es.enable(capability);
    }
}

void glBlendFunc(GLenum source, GLenum destination) {
    using namespace wobblux::gles;
    drawPending();
    state.blendSource = source;
    state.blendDestination = destination;
    if (ready) {
        es.blendFunc(source, destination);
    }
}

void glFrontFace(GLenum mode) {
    using namespace wobblux::gles;
    // Nothing is culled and lighting is one-sided, so the winding changes no pixel and no batch
    // needs drawing first; ES is told all the same, to keep its state what the program set.
    state.frontFace = mode;
    if (ready) {
        es.frontFace(mode);
    }
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    using namespace wobblux::gles;
    state.clearColour = {red, green, blue, alpha};
    if (ready) {
        es.clearColor(red, green, blue, alpha);
    }
}

void glClear(GLbitfield mask) {
    using namespace wobblux::gles;
    drawPending();
    if (ready) {
        es.clear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
    }
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    using namespace wobblux::gles;
    drawPending();
    state.viewport = {x, y, width, height};
    state.viewportSet = true;
    if (ready) {
        es.viewport(x, y, width, height);
    }
}

}  // extern "C"
