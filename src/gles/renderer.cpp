// The ES side: the shader program and vertex buffer, the GL 1.x state that maps onto ES state
// (depth test, blending, winding, clear colour, viewport), and the drawing of batches.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

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

// The ES side's state: the shadowed GL state, and what exists in the current context.
struct Renderer {
    EsState state;
    bool ready = false;             // a context is current and the program and buffer exist
    GLuint program = 0;             // in the current context, once built
    GLuint vertexBuffer = 0;        // in the current context, once made
    GLsizeiptr bufferCapacity = 0;  // bytes of the vertex buffer's storage
};

Renderer renderer;

using Failure = SubsetStart::Failure;

// An object's info log, as ES keeps it: at most kLogCapacity bytes are read.
constexpr GLsizei kLogCapacity = 2048;

template <typename GetLog>
std::string infoLog(GLuint object, GetLog getLog) {
    std::string log(kLogCapacity, '\0');
    GLsizei length = 0;
    getLog(object, kLogCapacity, &length, log.data());
    log.resize(static_cast<std::size_t>(std::clamp<GLsizei>(length, 0, kLogCapacity)));
    return log;
}

// A compiled shader, or 0 with the reason in `start`; a shader that fails is deleted.
GLuint compile(GLenum type, const char* source, SubsetStart& start) {
    const GLuint shader = es.createShader(type);
    es.shaderSource(shader, 1, &source, nullptr);
    es.compileShader(shader);
    GLint compiled = 0;
    es.getShaderiv(shader, kCompileStatus, &compiled);
    if (compiled == 0) {
        start = {Failure::ShaderCompile, infoLog(shader, es.getShaderInfoLog)};
        es.deleteShader(shader);
        return 0;
    }
    return shader;
}

// The linked program, or 0 with the reason in `start`. The shaders are deleted either way:
// a linked program keeps what it needs of them.
GLuint buildProgram(SubsetStart& start) {
    const GLuint vertexShader = compile(kVertexShader, kVertexShaderSource, start);
    if (vertexShader == 0) {
        return 0;
    }
    const GLuint fragmentShader = compile(kFragmentShader, kFragmentShaderSource, start);
    if (fragmentShader == 0) {
        es.deleteShader(vertexShader);
        return 0;
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
        start = {Failure::ProgramLink, infoLog(program, es.getProgramInfoLog)};
        es.deleteProgram(program);
        return 0;
    }
    return program;
}

void createVertexBuffer() {
    es.genBuffers(1, &renderer.vertexBuffer);
    es.bindBuffer(kArrayBuffer, renderer.vertexBuffer);
    renderer.bufferCapacity = 0;
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
    const EsState& state = renderer.state;
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

// Uploads the pending vertices once and draws each batch from them. The buffer's storage is
// only ever grown: a frame with no more vertices than an earlier one reuses it.
void drawPending() {
    const std::vector<ClipVertex>& vertices = pendingVertices();
    if (!renderer.ready || vertices.empty()) {
        clearPending();
        return;
    }
    const auto bytes = static_cast<GLsizeiptr>(vertices.size() * sizeof(ClipVertex));
    if (bytes > renderer.bufferCapacity) {
        es.bufferData(kArrayBuffer, bytes, vertices.data(), kStreamDraw);
        renderer.bufferCapacity = bytes;
    } else {
        es.bufferSubData(kArrayBuffer, 0, bytes, vertices.data());
    }
    for (const Batch& batch : pendingBatches()) {
        es.drawArrays(batch.mode, batch.first, batch.count);
    }
    clearPending();
}

}  // namespace

SubsetStart startGlSubset(const EsFunctions& functions) {
    // The old context's objects, if any, went with it.
    renderer.ready = false;
    renderer.program = 0;
    renderer.vertexBuffer = 0;
    clearPending();
    es = functions;
    SubsetStart start;
    renderer.program = buildProgram(start);
    if (renderer.program == 0) {
        return start;
    }
    es.useProgram(renderer.program);
    createVertexBuffer();
    applyState();
    renderer.ready = true;
    return start;
}

SubsetStart startGlSubset(ProcLoader loader) {
    renderer.ready = false;
    clearPending();
    EsFunctions functions;
    if (const char* missing = loadEsFunctions(loader, functions); missing != nullptr) {
        return {SubsetStart::Failure::MissingFunction, missing};
    }
    return startGlSubset(functions);
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
    (capability == GL_DEPTH_TEST ? renderer.state.depthTest : renderer.state.blend) = true;
    if (renderer.ready) {
        es.enable(capability);
    }
}

void glBlendFunc(GLenum source, GLenum destination) {
    using namespace wobblux::gles;
    drawPending();
    renderer.state.blendSource = source;
    renderer.state.blendDestination = destination;
    if (renderer.ready) {
        es.blendFunc(source, destination);
    }
}

void glFrontFace(GLenum mode) {
    using namespace wobblux::gles;
    // Nothing is culled and lighting is one-sided, so the winding changes no pixel and no batch
    // needs drawing first; ES is told all the same, to keep its state what the program set.
    renderer.state.frontFace = mode;
    if (renderer.ready) {
        es.frontFace(mode);
    }
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    using namespace wobblux::gles;
    renderer.state.clearColour = {red, green, blue, alpha};
    if (renderer.ready) {
        es.clearColor(red, green, blue, alpha);
    }
}

void glClear(GLbitfield mask) {
    using namespace wobblux::gles;
    drawPending();
    if (renderer.ready) {
        es.clear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
    }
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    using namespace wobblux::gles;
    drawPending();
    renderer.state.viewport = {x, y, width, height};
    renderer.state.viewportSet = true;
    if (renderer.ready) {
        es.viewport(x, y, width, height);
    }
}

}  // extern "C"
