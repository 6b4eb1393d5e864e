#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace wobblux::gles {

// A vertex as the ES shader takes it: its clip coordinates and its final (lit) colour.
struct ClipVertex {
    float position[4];
    float colour[4];
};

// Consecutive primitives of one kind: GL_TRIANGLES or GL_LINES, `count` vertices from `first`
// in the pending vertices.
struct Batch {
    GLenum mode;
    std::int32_t first;
    std::int32_t count;
};

// What has been assembled since the last flush, in drawing order.
const std::vector<ClipVertex>& pendingVertices();
const std::vector<Batch>& pendingBatches();
// Forgets them, keeping the storage for the next frame.
void clearPending();

// glBegin and glEnd, for the toolkit's shapes that draw through the same assembly.
// beginPrimitive returns false, and starts nothing, inside another primitive or for a mode
// this subset does not draw.
bool beginPrimitive(GLenum mode);
void endPrimitive();

// Sends one vertex of the primitive begun with glBegin, with its own normal instead of the
// current one (which it leaves as it is), as the toolkit's vertex-array shapes do.
void vertexWithNormal(const float position[3], const float normal[3]);

}  // namespace wobblux::gles
