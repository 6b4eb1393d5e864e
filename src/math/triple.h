#pragma once

#include <array>
#include <cmath>

namespace wobblux {

// Three 64-bit doubles x, y, z (or r, g, b), y up: the vectors of the fountain and the darts,
// narrowed to float only in the GL calls. Every helper evaluates its components x, y, z in the
// order written, one IEEE operation at a time, so each caller rounds exactly as if it had
// spelled the arithmetic out.
using Triple = std::array<double, 3>;

// Squares summed x, y, z, then the double square root.
inline double length(const Triple& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// Right-handed a x b: (1, 0, 0) x (0, 1, 0) = (0, 0, 1).
inline Triple cross(const Triple& a, const Triple& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// a + b.
inline Triple add(const Triple& a, const Triple& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

// a + scale * b; the product is rounded before the sum.
inline Triple addScaled(const Triple& a, double scale, const Triple& b) {
    return {a[0] + scale * b[0], a[1] + scale * b[1], a[2] + scale * b[2]};
}

// a - scale * b; the product is rounded before the difference.
inline Triple subtractScaled(const Triple& a, double scale, const Triple& b) {
    return {a[0] - scale * b[0], a[1] - scale * b[1], a[2] - scale * b[2]};
}

// v * factor, the component on the left.
inline Triple scaled(const Triple& v, double factor) {
    return {v[0] * factor, v[1] * factor, v[2] * factor};
}

// v / divisor; a true division, never a product with the reciprocal, which rounds differently.
inline Triple divided(const Triple& v, double divisor) {
    return {v[0] / divisor, v[1] / divisor, v[2] / divisor};
}

}  // namespace wobblux
