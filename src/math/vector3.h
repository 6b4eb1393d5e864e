#pragma once

#include <cmath>

namespace wobblux {

// Three 32-bit floats: every position, velocity, force, colour and normal of the jelly sheet.
// Arithmetic returns new vectors and rounds to float at every step; only set() and normalize()
// change the vector they are called on.
struct Vector3 {
    float x = 0.0f;  // first component (red for a colour)
    float y = 0.0f;  // second component, height in the scene (green for a colour)
    float z = 0.0f;  // third component (blue for a colour)

    // Vectors shorter than this are left alone by normalize(), so it never divides by zero.
    static constexpr double kMinNormalizeLength = 0.1;

    constexpr Vector3() = default;
    constexpr Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    void set(float newX, float newY, float newZ) {
        x = newX;
        y = newY;
        z = newZ;
    }

    Vector3 operator+(const Vector3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    Vector3 operator-(const Vector3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    Vector3 operator*(float s) const { return {s * x, s * y, s * z}; }

    float dot(const Vector3& v) const { return v.x * x + v.y * y + v.z * z; }

    // Right-handed: (1, 0, 0) x (0, 1, 0) = (0, 0, 1).
    Vector3 cross(const Vector3& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }

    // The sum of squares, formed in float.
    float squaredLength() const { return x * x + y * y + z * z; }

    // The sum of squares is formed in float; only the square root is taken in double.
    float length() const {
        return static_cast<float>(std::sqrt(static_cast<double>(squaredLength())));
    }

    void normalize() {
        const float len = length();
        if (len < kMinNormalizeLength) {
            return;
        }
        x = x / len;
        y = y / len;
        z = z / len;
    }
};

}  // namespace wobblux
