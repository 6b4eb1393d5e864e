#pragma once

#include <array>

namespace wobblux::gles {

// A 4 x 4 matrix of floats in GL's column-major order: element (row, column) is at
// column * 4 + row.
struct Matrix4 {
    std::array<float, 16> m;

    static Matrix4 identity();
};

// a * b, as GL multiplies the current matrix by a new one.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);

// The point (x, y, z, w) transformed by `matrix`, into `out`.
void transform(const Matrix4& matrix, const float in[4], float out[4]);

// Transforms normals as GL does: by the inverse transpose of the upper-left 3 x 3 part of the
// modelview matrix, without normalising.
struct NormalMatrix {
    std::array<float, 9> m;  // row-major

    void transform(const float in[3], float out[3]) const;
};

// The current modelview matrix, the product projection * modelview that takes a vertex to clip
// coordinates, and the modelview's normal matrix. Updated as the stacks change.
const Matrix4& modelview();
const Matrix4& modelviewProjection();
const NormalMatrix& normalMatrix();

}  // namespace wobblux::gles
