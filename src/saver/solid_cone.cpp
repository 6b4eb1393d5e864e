// glutSolidCone drawn as the toolkit draws it through a GL 1.x context: its own vertices,
// normals and strips from vertex arrays, so the cone looks the same and the current colour and
// normal stay as they were (the lighting of the darts and the sparks drawn after it relies on
// the normal).

#include <GL/glut.h>

#include "cone/cone_mesh.h"

namespace wobblux::saver {
namespace {

// Kept while the program asks for the same cone, which it does twice a frame.
ConeMesh mesh;

}  // namespace
}  // namespace wobblux::saver

void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    using wobblux::saver::mesh;
    if (!wobblux::coneIsDrawable(slices, stacks)) {
        return;
    }
    wobblux::shapeCone(mesh, base, height, slices, stacks);
    constexpr GLsizei kStride = sizeof(wobblux::ConeMesh::Vertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, kStride, mesh.vertices.front().position);
    glNormalPointer(GL_FLOAT, kStride, mesh.vertices.front().normal);
    const std::size_t stripLength = mesh.stripLength();
    for (std::size_t first = 0; first < mesh.strips.size(); first += stripLength) {
        glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(stripLength), GL_UNSIGNED_SHORT,
                       &mesh.strips[first]);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}
