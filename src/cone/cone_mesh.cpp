#include "cone/cone_mesh.h"

#include <cmath>
#include <numbers>

namespace wobblux {
namespace {

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

bool coneIsDrawable(std::int32_t slices, std::int32_t stacks) {
    constexpr std::int32_t kMostVertices = 65535;
    return slices >= 1 && stacks >= 1 && slices * (stacks + 2) + 1 <= kMostVertices;
}

void shapeCone(ConeMesh& mesh, double base, double height, std::int32_t slices,
               std::int32_t stacks) {
    const auto floatBase = static_cast<float>(base);
    const auto floatHeight = static_cast<float>(height);
    if (mesh.base == floatBase && mesh.height == floatHeight && mesh.slices == slices &&
        mesh.stacks == stacks && !mesh.vertices.empty()) {
        return;
    }
    mesh.base = floatBase;
    mesh.height = floatHeight;
    mesh.slices = slices;
    mesh.stacks = stacks;
    buildVertices(mesh);
    buildStrips(mesh);
}

}  // namespace wobblux
