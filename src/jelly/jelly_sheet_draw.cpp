#include <GL/gl.h>

#include "jelly/jelly_sheet.h"

namespace wobblux {
namespace {

// Every vertex of the sheet is drawn with this alpha, whatever its colour.
constexpr GLfloat kSheetAlpha = 0.4f;

void sendVertex(const MassPoint& point, const Vector3& normal) {
    glColor4f(point.colour.x, point.colour.y, point.colour.z, kSheetAlpha);
    glNormal3f(normal.x, normal.y, normal.z);
    glVertex3f(point.position.x, point.position.y, point.position.z);
}

}  // namespace

void JellySheet::draw() const {
    // One strip per pair of neighbouring rows; each grid cell is split along the diagonal
    // from (i+1, j) to (i, j+1).
    for (std::int32_t i = 0; i < kGridSize - 1; ++i) {
        glBegin(GL_TRIANGLE_STRIP);
        for (std::int32_t j = 0; j < kGridSize; ++j) {
            const std::int32_t upper = i * kGridSize + j;
            const std::int32_t lower = upper + kGridSize;
            sendVertex(*points[upper], normals[upper]);
            sendVertex(*points[lower], normals[lower]);
        }
        glEnd();
    }
}

}  // namespace wobblux
