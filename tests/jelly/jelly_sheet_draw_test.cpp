#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/simulations.h"
#include "support/gl_recorder.h"

namespace wobblux {
namespace {

using testing::GlCall;

// Gives every point a distinct position, colour and normal, so every vertex call can be traced
// back to its point.
void label(JellySheet& sheet) {
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const float f = static_cast<float>(k);
        sheet.points[k]->position = {f, f + 0.25f, f + 0.5f};
        sheet.points[k]->colour = {f / 1000.0f, f / 2000.0f, f / 4000.0f};
        sheet.normals[k] = {-f, f * 2.0f, f * 3.0f};
    }
}

void expectVertexOfPoint(const GlCall* calls, int k, const JellySheet& sheet) {
    const MassPoint& p = *sheet.points[k];
    const Vector3& n = sheet.normals[k];
    EXPECT_EQ(calls[0].name, "glColor4f");
    EXPECT_EQ(calls[0].args, (std::vector<double>{p.colour.x, p.colour.y, p.colour.z, 0.4f}))
        << "point " << k;
    EXPECT_EQ(calls[1].name, "glNormal3f");
    EXPECT_EQ(calls[1].args, (std::vector<double>{n.x, n.y, n.z})) << "point " << k;
    EXPECT_EQ(calls[2].name, "glVertex3f");
    EXPECT_EQ(calls[2].args, (std::vector<double>{p.position.x, p.position.y, p.position.z}))
        << "point " << k;
}

TEST(JellySheetDraw, SendsFourteenStripsThatZigzagBetweenTwoRows) {
    const auto sheet = makeSceneSheet();
    label(*sheet);
    testing::resetGlCalls();
    sheet->draw();

    // Strip r takes column by column a point of row r, then the one below it in row r + 1.
    const std::vector<GlCall>& calls = testing::glCalls();
    ASSERT_EQ(calls.size(), 14u * (2 + 30 * 3));
    const GlCall* call = calls.data();
    for (int strip = 0; strip < 14; ++strip) {
        EXPECT_EQ(call->name, "glBegin");
        EXPECT_EQ(call->args, (std::vector<double>{GL_TRIANGLE_STRIP}));
        ++call;
        for (int column = 0; column < 15; ++column) {
            expectVertexOfPoint(call, strip * 15 + column, *sheet);
            expectVertexOfPoint(call + 3, (strip + 1) * 15 + column, *sheet);
            call += 6;
        }
        EXPECT_EQ(call->name, "glEnd");
        ++call;
    }
}

}  // namespace
}  // namespace wobblux
