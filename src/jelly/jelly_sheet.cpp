#include "jelly/jelly_sheet.h"

#include "app/random.h"

namespace wobblux {
namespace {

constexpr std::int32_t kLast = JellySheet::kGridSize - 1;  // index of the last row and column

constexpr float kPointMass = 1.0f;
constexpr float kSpringStiffness = 1.0f;
constexpr float kSpringDamping = 1.0f;
// Turning heights of the column-14 edge; the other points keep MassPoint's 70 and 80.
constexpr double kLastColumnMinY = 0.0;
constexpr double kLastColumnMaxY = 90.0;
// Largest downward and upward kick per tick, in force units.
constexpr double kDownKick = 0.15;
constexpr double kUpKick = 0.1;
// Extra upward force on the centre point while excited.
constexpr float kExcitedPush = 10.0f;

constexpr std::int32_t pointIndex(std::int32_t row, std::int32_t column) {
    return row * JellySheet::kGridSize + column;
}

}  // namespace

JellySheet::JellySheet(double x0, double y0, double z0, double x1, double y1, double z1,
                       double pointsPerRow, double pointsPerColumn) {
    // The grid is always 15 x 15, whatever the caller asked for.
    pointsPerRow = kGridSize;
    pointsPerColumn = kGridSize;
    const double dx = (x1 - x0) / (pointsPerRow - 1.0);
    const double dy = (y1 - y0) / (pointsPerColumn - 1.0);
    const double dz = (z1 - z0) / (pointsPerColumn - 1.0);

    // Coordinates accumulate in double by repeated addition (y and z across all rows) and are
    // rounded to float only when each point is made.
    double x = x0;
    double y = y0;
    double z = z0;
    for (std::int32_t i = 0; i < kGridSize; ++i) {
        for (std::int32_t j = 0; j < kGridSize; ++j) {
            points[pointIndex(i, j)] = std::make_unique<MassPoint>(
                static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 0.0f, 0.0f,
                0.0f, kPointMass, 0.0f, 0.0f, 1.0f);
            x += dx;
        }
        x = x0;
        y += dy;
        z += dz;
        MassPoint& rowEnd = *points[pointIndex(i, kLast)];
        rowEnd.minY = kLastColumnMinY;
        rowEnd.maxY = kLastColumnMaxY;
    }

    for (std::int32_t i = 0; i < kGridSize; ++i) {
        for (std::int32_t j = 0; j < kLast; ++j) {
            rowSprings[i * kLast + j] = std::make_unique<Spring>(points[pointIndex(i, j)].get(),
                                                                 points[pointIndex(i, j + 1)].get(),
                                                                 kSpringStiffness, kSpringDamping);
        }
    }
    for (std::int32_t i = 0; i < kLast; ++i) {
        for (std::int32_t j = 0; j < kGridSize; ++j) {
            columnSprings[i * kGridSize + j] = std::make_unique<Spring>(
                points[pointIndex(i, j)].get(), points[pointIndex(i + 1, j)].get(),
                kSpringStiffness, kSpringDamping);
        }
    }

    for (std::int32_t k = 0; k < kGridSize; ++k) {
        points[pointIndex(0, k)]->bounceY = true;
        points[pointIndex(kLast, k)]->bounceY = true;
        points[pointIndex(k, 0)]->bounceY = true;
        points[pointIndex(k, kLast)]->bounceY = true;
    }

    for (Vector3& normal : normals) {
        normal.set(0.0f, 0.0f, 1.0f);
    }
    computeNormals();
}

void JellySheet::step() {
    jitter();
    for (const auto& spring : rowSprings) {
        spring->applyForce();
    }
    for (const auto& spring : columnSprings) {
        spring->applyForce();
    }
    for (const auto& point : points) {
        point->step();
    }
    computeNormals();
}

void JellySheet::jitter() {
    const std::uint32_t seed = clockSeed();
    // Within one clock second every tick draws the same kicks: draw them only when it changes.
    if (!kicks.drawn || kicks.seed != seed) {
        // Each kick is r * factor / 32767 in double (the product first); the 225 downward
        // kicks are drawn before the 225 upward ones.
        wobblux::srand(seed);
        for (double& kick : kicks.down) {
            kick = wobblux::rand() * kDownKick / kRandMax;
        }
        for (double& kick : kicks.up) {
            kick = wobblux::rand() * kUpKick / kRandMax;
        }
        kicks.drawn = true;
        kicks.seed = seed;
        kicks.stateAfter = randomState();
    } else {
        // The darts draw next and must continue the sequence as if the kicks had been drawn.
        wobblux::srand(kicks.stateAfter);
    }
    // Added to the float force in double and rounded back to float, downward kick first. Each
    // point's force takes only its own two kicks, so one pass does what two passes did.
    for (std::int32_t k = 0; k < kPointCount; ++k) {
        float& forceY = points[k]->force.y;
        forceY = static_cast<float>(forceY - kicks.down[k]);
        forceY = static_cast<float>(forceY + kicks.up[k]);
    }
    if (excited != 0) {
        MassPoint& centre = *points[kCentreIndex];
        centre.force.y = centre.force.y + kExcitedPush;
    }
}

void JellySheet::computeNormals() {
    // The positions copied into one array per axis, so the sums below run over plain arrays
    // that the compiler can do four points at a time.
    std::array<float, kPointCount> xs;
    std::array<float, kPointCount> ys;
    std::array<float, kPointCount> zs;
    for (std::int32_t k = 0; k < kPointCount; ++k) {
        const Vector3& position = points[k]->position;
        xs[k] = position.x;
        ys[k] = position.y;
        zs[k] = position.z;
    }
    // From the first interior point to the last one, the border points between them included:
    // their sums are thrown away, and all six neighbours of every point in range exist.
    constexpr std::int32_t kFirst = pointIndex(1, 1);
    constexpr std::int32_t kEnd = pointIndex(kLast - 1, kLast - 1) + 1;
    std::array<float, kPointCount> sumXs;
    std::array<float, kPointCount> sumYs;
    std::array<float, kPointCount> sumZs;
    for (std::int32_t k = kFirst; k < kEnd; ++k) {
        const auto at = [&](std::int32_t n) { return Vector3{xs[n], ys[n], zs[n]}; };
        const Vector3 p = at(k);
        const Vector3 u = at(k - kGridSize) - p;
        const Vector3 l = at(k - 1) - p;
        const Vector3 dl = at(k + kGridSize - 1) - p;
        const Vector3 d = at(k + kGridSize) - p;
        const Vector3 r = at(k + 1) - p;
        const Vector3 dr = at(k + kGridSize + 1) - p;
        // Summed left to right, each partial sum rounded to float.
        Vector3 normal = u.cross(l);
        normal = normal + l.cross(dl);
        normal = normal + dl.cross(d);
        normal = normal + d.cross(r);
        normal = normal + r.cross(dr);
        normal = normal + dr.cross(u);
        sumXs[k] = normal.x;
        sumYs[k] = normal.y;
        sumZs[k] = normal.z;
    }
    // Only the interior: the border normals stay the (0, 0, 1) of construction, which
    // normalize() would leave bit for bit as it is (its length is exactly 1).
    for (std::int32_t i = 1; i < kLast; ++i) {
        for (std::int32_t j = 1; j < kLast; ++j) {
            const std::int32_t k = pointIndex(i, j);
            Vector3& normal = normals[k];
            normal.set(sumXs[k], sumYs[k], sumZs[k]);
            normal.normalize();
        }
    }
}

}  // namespace wobblux
