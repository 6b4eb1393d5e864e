// glutSolidCone with the toolkit's own geometry: the same vertices, normals and strips, so the
// cones light and rasterise as the toolkit draws them. Like the toolkit's vertex-array drawing,
// it leaves the current colour and normal as they were.

#include <GL/glut.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "gles/primitive_batch.h"

namespace wobblux::gles {
namespace {

struct ConeVertex {
    float position[3];
    float normal[3];
};

// One cone's vertices and the strips that index them, kept while the program asks for the
// same cone, which it does twice a frame.
struct ConeMesh {
    float base = 0.0f;
    float height = 0.0f;
    std::int32_t slices = 0;
    std::int32_t stacks = 0;
    std::vector<ConeVertex> vertices;
    std::vector<std::uint16_t> strips;  // (stacks + 1) strips of 2 * (slices + 1) indices
};

ConeMesh mesh;

// Vertex 0 is the centre of the base and 1 to `slices` its rim, all facing down the axis; then
// come stacks + 1 rings from the base to the apex with the side's normals. The circle runs
// clockwise seen from the apex, its angles taken in float as the toolkit takes them.
void buildVertices(ConeMesh& cone) {
    const float angle =
        2.0f * static_cast<float>(std::numbers::pi) / static_cast<float>(-cone.slices);
    std::vector<float> sines(cone.slices, 0.0f);
    std::vector<float> cosines(cone.slices, 1.0f);
    for (std::int32_t j = 1; j < cone.slices; ++j) {
        const float step = angle * static_cast<float>(j);
        sines[j] = static_cast<float>(std::sin(static_cast<double>(step)));
        cosines[j] = static_cast<float>(std::cos(static_cast<double>(step)));
    }
    const float slant = cone.height * cone.height + cone.base * cone.base;
    const auto normalUp = static_cast<float>(cone.base / std::sqrt(static_cast<double>(slant)));
    const auto normalOut = static_cast<float>(cone.height / std::sqrt(static_cast<double>(slant)));
    const float zStep = cone.height / static_cast<float>(cone.stacks);
    const float radiusStep = cone.base / static_cast<float>(cone.stacks);

    cone.vertices.clear();
    cone.vertices.push_back({{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}});
    for (std::int32_t j = 0; j < cone.slices; ++j) {
        cone.vertices.push_back(
            {{cosines[j] * cone.base, sines[j] * cone.base, 0.0f}, {0.0f, 0.0f, -1.0f}});
    }
    float z = 0.0f;
    float radius = cone.base;
    for (std::int32_t i = 0; i <= cone.stacks; ++i) {
        for (std::int32_t j = 0; j < cone.slices; ++j) {
            cone.vertices.push_back({{cosines[j] * radius, sines[j] * radius, z},
                                     {cosines[j] * normalOut, sines[j] * normalOut, normalUp}});
        }
        z += zStep;
        radius -= radiusStep;
    }
}

// The base as a strip between the centre and the rim, then one strip per stack between two
// neighbouring rings; each strip closes on its first pair again.
void buildStrips(ConeMesh& cone) {
    const auto slices = static_cast<std::uint16_t>(cone.slices);
    cone.strips.clear();
    for (std::uint16_t j = 0; j <= slices; ++j) {
        cone.strips.push_back(0);
        cone.strips.push_back(static_cast<std::uint16_t>(j % slices + 1));
    }
    for (std::int32_t i = 0; i < cone.stacks; ++i) {
        const auto ring = static_cast<std::uint16_t>(1 + (i + 1) * cone.slices);
        for (std::uint16_t j = 0; j <= slices; ++j) {
            const auto index = static_cast<std::uint16_t>(ring + j % slices);
            cone.strips.push_back(index);
            cone.strips.push_back(static_cast<std::uint16_t>(index + slices));
        }
    }
}

}  // namespace
}  // namespace wobblux::gles

extern "C" void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    using namespace wobblux::gles;
    // The vertices are counted in 16 bits, as the toolkit counts them.
    constexpr std::int32_t kMostVertices = 65535;
    if (slices < 1 || stacks < 1 || slices * (stacks + 2) + 1 > kMostVertices) {
        return;
    }
    const auto floatBase = static_cast<float>(base);
    const auto floatHeight = static_cast<float>(height);
    if (mesh.base != floatBase || mesh.height != floatHeight || mesh.slices != slices ||
        mesh.stacks != stacks || mesh.vertices.empty()) {
        mesh.base = floatBase;
        mesh.height = floatHeight;
        mesh.slices = slices;
        mesh.stacks = stacks;
        buildVertices(mesh);
        buildStrips(mesh);
    }
    const std::size_t stripLength = 2 * static_cast<std::size_t>(slices + 1);
    for (std::size_t first = 0; first < mesh.strips.size(); first += stripLength) {
        if (!beginPrimitive(GL_TRIANGLE_STRIP)) {
            return;  // inside glBegin/glEnd, where GL draws nothing of it
        }
        for (std::size_t k = first; k < first + stripLength; ++k) {
            const ConeVertex& vertex = mesh.vertices[mesh.strips[k]];
            vertexWithNormal(vertex.position, vertex.normal);
        }
        endPrimitive();
    }
}
