#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jelly/jelly_sheet.h"
#include "support/gl_recorder.h"

namespace wobblux {
namespace {

using testing::GlCall;

// Gives a tank sheet's points distinct positions, colours and normals, so every vertex
// call can be traced back to its point.
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

TEST(JellySheetDraw, SendsFourteenStripsOfThirtyVertices) {
    JellySheet sheet(-100, 80, -100, 100, 80, 100, 1, 1);
    label(sheet);
    testing::resetGlCalls();
    sheet.draw();

    EXPECT_EQ(testing::countCalls("glBegin"), 14u);
    EXPECT_EQ(testing::countCalls("glEnd"), 14u);
    EXPECT_EQ(testing::countCalls("glColor4f"), 420u);
    EXPECT_EQ(testing::countCalls("glNormal3f"), 420u);
    EXPECT_EQ(testing::countCalls("glVertex3f"), 420u);
    ASSERT_EQ(testing::glCalls().size(), 14u * (2 + 30 * 3));
    for (const GlCall& colour : testing::callsNamed("glColor4f")) {
        EXPECT_EQ(colour.args[3], 0.4f);
    }
}

TEST(JellySheetDraw, EachStripZigzagsBetweenTwoRows) {
    JellySheet sheet(-100, 80, -100, 100, 80, 100, 1, 1);
    label(sheet);
    testing::resetGlCalls();
    sheet.draw();

    const std::vector<GlCall>& calls = testing::glCalls();
    ASSERT_EQ(calls.size(), 14u * (2 + 30 * 3));
    const GlCall* call = calls.data();
    for (int strip = 0; strip < 14; ++strip) {
        EXPECT_EQ(call->name, "glBegin");
        EXPECT_EQ(call->args, (std::vector<double>{GL_TRIANGLE_STRIP}));
        ++call;
        for (int column = 0; column < 15; ++column) {
            expectVertexOfPoint(call, strip * 15 + column, sheet);
            expectVertexOfPoint(call + 3, (strip + 1) * 15 + column, sheet);
            call += 6;
        }
        EXPECT_EQ(call->name, "glEnd");
        ++call;
    }
}

TEST(JellySheetDraw, StripsStartAtPoints0And15AndEndAtPoints209And224) {
    JellySheet sheet(-100, 80, -100, 100, 80, 100, 1, 1);
    label(sheet);
    testing::resetGlCalls();
    sheet.draw();
    const std::vector<GlCall> vertices = testing::callsNamed("glVertex3f");
    ASSERT_EQ(vertices.size(), 420u);
    EXPECT_EQ(vertices[0].args[0], 0.0);
    EXPECT_EQ(vertices[1].args[0], 15.0);
    EXPECT_EQ(vertices[418].args[0], 209.0);
    EXPECT_EQ(vertices[419].args[0], 224.0);
}

}  // namespace
}  // namespace wobblux
