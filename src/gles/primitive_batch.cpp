// glBegin, glEnd, glVertex3f, glNormal3f, glColor3f and glColor4f: every vertex is transformed
// and lit as it arrives, and each primitive is broken into independent triangles or lines
// appended to the current batch.

#include "gles/primitive_batch.h"

#include <array>

#include "gles/lighting.h"
#include "gles/matrix_stack.h"

namespace wobblux::gles {
namespace {

// Storage for a full-spray frame from the start, so a warm program never grows it.
constexpr std::size_t kInitialVertexCapacity = 32768;
constexpr std::size_t kInitialBatchCapacity = 64;

template <typename Element>
std::vector<Element> reserved(std::size_t capacity) {
    std::vector<Element> storage;
    storage.reserve(capacity);
    return storage;
}

// The primitive between glBegin and glEnd. Strips, fans and quads keep the vertices that
// later triangles share.
struct Primitive {
    bool open = false;
    GLenum mode = GL_TRIANGLES;
    std::int32_t sent = 0;               // vertices sent since glBegin
    std::array<ClipVertex, 4> recent{};  // strip: last two; fan: first and last; quad: its four
};

// Everything between flushes: the current colour and normal, the primitive being assembled,
// and the vertices and batches assembled so far.
struct Assembly {
    // Current colour and normal: GL's defaults, kept across primitives and frames.
    std::array<float, 4> currentColour = {1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 3> currentNormal = {0.0f, 0.0f, 1.0f};
    Primitive primitive;
    std::size_t primitiveStart = 0;  // the open primitive's first vertex in `vertices`
    std::vector<ClipVertex> vertices = reserved<ClipVertex>(kInitialVertexCapacity);
    std::vector<Batch> batches = reserved<Batch>(kInitialBatchCapacity);
};

Assembly assembly;

void append(const ClipVertex& vertex) {
    assembly.vertices.push_back(vertex);
}

void appendTriangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c) {
    append(a);
    append(b);
    append(c);
}

// The triangles or line a new vertex completes, in GL's order for each mode.
void assemble(const ClipVertex& vertex) {
    Primitive& p = assembly.primitive;
    const std::int32_t index = p.sent++;
    switch (p.mode) {
        case GL_LINES:
            append(vertex);
            break;
        case GL_TRIANGLE_STRIP:
            // Every second triangle swaps its first two vertices to keep the winding.
            if (index >= 2) {
                if (index % 2 == 0) {
                    appendTriangle(p.recent[0], p.recent[1], vertex);
                } else {
                    appendTriangle(p.recent[1], p.recent[0], vertex);
                }
            }
            p.recent[0] = p.recent[1];
            p.recent[1] = vertex;
            break;
        case GL_TRIANGLE_FAN:
            if (index == 0) {
                p.recent[0] = vertex;
            } else {
                if (index >= 2) {
                    appendTriangle(p.recent[0], p.recent[1], vertex);
                }
                p.recent[1] = vertex;
            }
            break;
        case GL_QUADS:
            // Split along the diagonal from the second vertex to the fourth, as Mesa does.
            p.recent[index % 4] = vertex;
            if (index % 4 == 3) {
                appendTriangle(p.recent[0], p.recent[1], p.recent[3]);
                appendTriangle(p.recent[1], p.recent[2], p.recent[3]);
            }
            break;
        default:
            break;
    }
}

// Takes the primitive's vertices since glBegin into the last batch, or starts a batch when the
// kind of primitive changes.
void closePrimitive(std::size_t firstVertex) {
    const auto added = static_cast<std::int32_t>(assembly.vertices.size() - firstVertex);
    if (added == 0) {
        return;
    }
    const GLenum mode = assembly.primitive.mode == GL_LINES ? GL_LINES : GL_TRIANGLES;
    std::vector<Batch>& list = assembly.batches;
    if (!list.empty() && list.back().mode == mode) {
        list.back().count += added;
    } else {
        list.push_back(Batch{mode, static_cast<std::int32_t>(firstVertex), added});
    }
}

}  // namespace

const std::vector<ClipVertex>& pendingVertices() {
    return assembly.vertices;
}

const std::vector<Batch>& pendingBatches() {
    return assembly.batches;
}

void clearPending() {
    assembly.vertices.clear();
    assembly.batches.clear();
    assembly.primitiveStart = 0;
}

void vertexWithNormal(const float position[3], const float normal[3]) {
    if (!assembly.primitive.open) {
        return;  // a vertex outside glBegin/glEnd draws nothing
    }
    const float objectPoint[4] = {position[0], position[1], position[2], 1.0f};
    float eye[4];
    transform(modelview(), objectPoint, eye);
    float eyeNormal[3];
    normalMatrix().transform(normal, eyeNormal);
    ClipVertex vertex;
    transform(modelviewProjection(), objectPoint, vertex.position);
    vertexColour(eye, eyeNormal, assembly.currentColour.data(), vertex.colour);
    assemble(vertex);
}

bool beginPrimitive(GLenum mode) {
    if (assembly.primitive.open) {
        return false;  // GL refuses a glBegin inside glBegin/glEnd
    }
    if (mode != GL_LINES && mode != GL_TRIANGLE_STRIP && mode != GL_TRIANGLE_FAN &&
        mode != GL_QUADS) {
        return false;  // not a mode this subset draws: its vertices are dropped
    }
    assembly.primitive = Primitive{true, mode, 0, {}};
    assembly.primitiveStart = assembly.vertices.size();
    return true;
}

void endPrimitive() {
    if (!assembly.primitive.open) {
        return;
    }
    // A line missing its second vertex draws nothing.
    if (assembly.primitive.mode == GL_LINES && assembly.primitive.sent % 2 != 0) {
        assembly.vertices.pop_back();
    }
    closePrimitive(assembly.primitiveStart);
    assembly.primitive.open = false;
}

}  // namespace wobblux::gles

extern "C" {

void glBegin(GLenum mode) {
    wobblux::gles::beginPrimitive(mode);
}

void glEnd() {
    wobblux::gles::endPrimitive();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    const float position[3] = {x, y, z};
    wobblux::gles::vertexWithNormal(position, wobblux::gles::assembly.currentNormal.data());
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    wobblux::gles::assembly.currentNormal = {x, y, z};
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    wobblux::gles::assembly.currentColour = {red, green, blue, 1.0f};
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    wobblux::gles::assembly.currentColour = {red, green, blue, alpha};
}

}  // extern "C"
