// The modelview and projection stacks behind glMatrixMode, glLoadIdentity, glPushMatrix,
// glPopMatrix, glTranslatef, glRotatef and gluPerspective.

#include "gles/matrix_stack.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <numbers>

namespace wobblux::gles {
namespace {

// The depths GL guarantees at least; a push beyond the top or a pop of the last entry is
// ignored, as GL ignores it after raising an error.
constexpr int kModelviewDepth = 32;
constexpr int kProjectionDepth = 2;

struct Stack {
    std::array<Matrix4, kModelviewDepth> entries;
    int depth;  // entries in use; the top is entries[depth - 1]
    int capacity;

    Matrix4& top() { return entries[depth - 1]; }
};

Stack modelviewStack{{Matrix4::identity()}, 1, kModelviewDepth};
Stack projectionStack{{Matrix4::identity()}, 1, kProjectionDepth};
Stack* current = &modelviewStack;

Matrix4 product = Matrix4::identity();
NormalMatrix normals{{1, 0, 0, 0, 1, 0, 0, 0, 1}};

// Called after every change of either top: the products every vertex uses.
void update() {
    product = multiply(projectionStack.top(), modelviewStack.top());
    // The inverse transpose of the upper 3 x 3 part, from its cofactors.
    const auto& a = modelviewStack.top().m;
    const float c00 = a[5] * a[10] - a[9] * a[6];
    const float c01 = a[9] * a[2] - a[1] * a[10];
    const float c02 = a[1] * a[6] - a[5] * a[2];
    const float determinant = a[0] * c00 + a[4] * c01 + a[8] * c02;
    if (determinant == 0.0f) {
        return;  // a singular modelview keeps the last usable normal matrix
    }
    const float inverse = 1.0f / determinant;
    // Row r, column c of the inverse transpose is the cofactor of (r, c) over the determinant.
    normals.m = {c00 * inverse,
                 c01 * inverse,
                 c02 * inverse,
                 (a[8] * a[6] - a[4] * a[10]) * inverse,
                 (a[0] * a[10] - a[8] * a[2]) * inverse,
                 (a[4] * a[2] - a[0] * a[6]) * inverse,
                 (a[4] * a[9] - a[8] * a[5]) * inverse,
                 (a[8] * a[1] - a[0] * a[9]) * inverse,
                 (a[0] * a[5] - a[4] * a[1]) * inverse};
}

void multiplyCurrent(const Matrix4& by) {
    current->top() = multiply(current->top(), by);
    update();
}

}  // namespace

Matrix4 Matrix4::identity() {
    return Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 result{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            result.m[column * 4 + row] =
                a.m[row] * b.m[column * 4] + a.m[4 + row] * b.m[column * 4 + 1] +
                a.m[8 + row] * b.m[column * 4 + 2] + a.m[12 + row] * b.m[column * 4 + 3];
        }
    }
    return result;
}

void transform(const Matrix4& matrix, const float in[4], float out[4]) {
    const auto& m = matrix.m;
    for (int row = 0; row < 4; ++row) {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
    }
}

void NormalMatrix::transform(const float in[3], float out[3]) const {
    for (int row = 0; row < 3; ++row) {
        out[row] = m[row * 3] * in[0] + m[row * 3 + 1] * in[1] + m[row * 3 + 2] * in[2];
    }
}

const Matrix4& modelview() {
    return modelviewStack.top();
}

const Matrix4& modelviewProjection() {
    return product;
}

const NormalMatrix& normalMatrix() {
    return normals;
}

}  // namespace wobblux::gles

using wobblux::gles::Matrix4;

extern "C" {

void glMatrixMode(GLenum mode) {
    using namespace wobblux::gles;
    if (mode == GL_MODELVIEW) {
        current = &modelviewStack;
    } else if (mode == GL_PROJECTION) {
        current = &projectionStack;
    }
}

void glLoadIdentity() {
    using namespace wobblux::gles;
    current->top() = Matrix4::identity();
    update();
}

void glPushMatrix() {
    using namespace wobblux::gles;
    if (current->depth < current->capacity) {
        current->entries[current->depth] = current->top();
        ++current->depth;
    }
}

void glPopMatrix() {
    using namespace wobblux::gles;
    if (current->depth > 1) {
        --current->depth;
        update();
    }
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    Matrix4 translation = Matrix4::identity();
    translation.m[12] = x;
    translation.m[13] = y;
    translation.m[14] = z;
    wobblux::gles::multiplyCurrent(translation);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f) {
        return;  // no axis: GL leaves the matrix as it is
    }
    x /= length;
    y /= length;
    z /= length;
    // The sine and cosine in double, narrowed once: the float functions of the browser's C
    // library differ from glibc's in the last bit at some whole degrees, the double ones, once
    // narrowed, do not.
    const double radians = angle * std::numbers::pi / 180.0;
    const auto c = static_cast<float>(std::cos(radians));
    const auto s = static_cast<float>(std::sin(radians));
    const float d = 1.0f - c;
    // The rotation by `angle` degrees counter-clockwise about (x, y, z), column by column.
    const Matrix4 rotation{{x * x * d + c, y * x * d + z * s, x * z * d - y * s, 0,
                            x * y * d - z * s, y * y * d + c, y * z * d + x * s, 0,
                            x * z * d + y * s, y * z * d - x * s, z * z * d + c, 0, 0, 0, 0, 1}};
    wobblux::gles::multiplyCurrent(rotation);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    // Computed in double, as the utility library does, and narrowed once.
    const double halfAngle = fovy / 2.0 * std::numbers::pi / 180.0;
    const double depth = zFar - zNear;
    const double sine = std::sin(halfAngle);
    if (depth == 0.0 || sine == 0.0 || aspect == 0.0) {
        return;  // a degenerate frustum leaves the matrix as it is
    }
    const double cotangent = std::cos(halfAngle) / sine;
    Matrix4 perspective{};
    perspective.m[0] = static_cast<float>(cotangent / aspect);
    perspective.m[5] = static_cast<float>(cotangent);
    perspective.m[10] = static_cast<float>(-(zFar + zNear) / depth);
    perspective.m[11] = -1.0f;
    perspective.m[14] = static_cast<float>(-2.0 * zNear * zFar / depth);
    wobblux::gles::multiplyCurrent(perspective);
}

}  // extern "C"
