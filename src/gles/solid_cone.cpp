// glutSolidCone with the toolkit's own geometry: the same vertices, normals and strips, so the
// cones light and rasterise as the toolkit draws them. Like the toolkit's vertex-array drawing,
// it leaves the current colour and normal as they were.

#include <GL/glut.h>

#include "cone/cone_mesh.h"
#include "gles/primitive_batch.h"

namespace wobblux::gles {
namespace {

// Kept while the program asks for the same cone, which it does twice a frame.
ConeMesh mesh;

}  // namespace
}  // namespace wobblux::gles

extern "C" void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    using namespace wobblux::gles;
    if (!wobblux::coneIsDrawable(slices, stacks)) {
        return;
    }
    wobblux::shapeCone(mesh, base, height, slices, stacks);
    const std::size_t stripLength = mesh.stripLength();
    for (std::size_t first = 0; first < mesh.strips.size(); first += stripLength) {
        if (!beginPrimitive(GL_TRIANGLE_STRIP)) {
            return;  // inside glBegin/glEnd, where GL draws nothing of it
        }
        for (std::size_t k = first; k < first + stripLength; ++k) {
            const wobblux::ConeMesh::Vertex& vertex = mesh.vertices[mesh.strips[k]];
            vertexWithNormal(vertex.position, vertex.normal);
        }
        endPrimitive();
    }
}
