#pragma once

#include <cstdint>
#include <vector>

namespace wobblux {

// The toolkit's solid cone as vertices and triangle strips: the same vertices, normals and
// strips the toolkit draws, so that a cone drawn from them lights and rasterises as the
// toolkit's does. Plain numbers: any renderer can draw it.
struct ConeMesh {
    struct Vertex {
        float position[3];
        float normal[3];
    };

    float base = 0.0f;
    float height = 0.0f;
    std::int32_t slices = 0;
    std::int32_t stacks = 0;
    std::vector<Vertex> vertices;
    std::vector<std::uint16_t> strips;  // (stacks + 1) strips of stripLength() indices each

    std::size_t stripLength() const { return 2 * static_cast<std::size_t>(slices + 1); }
};

// Whether the toolkit draws a cone of these counts at all: it counts vertices in 16 bits.
bool coneIsDrawable(std::int32_t slices, std::int32_t stacks);

// Makes `mesh` the cone of these sizes and counts, unless it is that cone already: a program
// that draws the same cone again and again builds it once.
void shapeCone(ConeMesh& mesh, double base, double height, std::int32_t slices,
               std::int32_t stacks);

}  // namespace wobblux
