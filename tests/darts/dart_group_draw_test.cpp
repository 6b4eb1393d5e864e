#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "darts/dart_group.h"
#include "support/gl_recorder.h"

namespace wobblux {
namespace {

using testing::callsNamed;
using Vertices = std::vector<std::vector<double>>;

// The ten vertices of one dart in call order: fan N A F B E A, then quad A F B E.
Vertices verticesOf(std::size_t dart) {
    const std::vector<testing::GlCall> all = callsNamed("glVertex3f");
    Vertices vertices;
    for (std::size_t i = 10 * dart; i < 10 * dart + 10; ++i) {
        vertices.push_back(all.at(i).args);
    }
    return vertices;
}

TEST(DartGroupDraw, EachDartIsAFanFadingFromItsTipClosedByAQuad) {
    DartGroup group;
    // A heading along up has no side across it: the side falls back to +z.
    group.darts[0].position = {1.0, 2.0, 3.0};
    group.darts[0].heading = {0.0, 2.0, 0.0};
    testing::resetGlCalls();
    group.draw();

    std::vector<std::string> expected;
    for (int dart = 0; dart < DartGroup::kDartCount; ++dart) {
        expected.insert(expected.end(), {"glBegin", "glColor4f", "glVertex3f", "glColor4f"});
        expected.insert(expected.end(), 5, "glVertex3f");
        expected.insert(expected.end(), {"glEnd", "glBegin"});
        expected.insert(expected.end(), 4, "glVertex3f");
        expected.push_back("glEnd");
    }
    EXPECT_EQ(testing::callNames(), expected);
    for (std::size_t dart = 0; dart < group.darts.size(); ++dart) {
        EXPECT_EQ(callsNamed("glBegin")[2 * dart].args[0], GL_TRIANGLE_FAN);
        EXPECT_EQ(callsNamed("glBegin")[2 * dart + 1].args[0], GL_QUADS);
        const auto& [r, g, b] = group.darts[dart].colour;
        EXPECT_EQ(callsNamed("glColor4f")[2 * dart].args, (std::vector<double>{r, g, b, 1.0}));
        EXPECT_EQ(callsNamed("glColor4f")[2 * dart + 1].args, (std::vector<double>{r, g, b, 0.0}));
    }

    // Dart 0: base centre (1, -18, 3), side +z.
    std::vector<double> n{1, 22, 3}, a{1, -8, 3}, f{1, -18, -7}, b{1, -28, 3}, e{1, -18, 13};
    EXPECT_EQ(verticesOf(0), (Vertices{n, a, f, b, e, a, a, f, b, e}));
    // Dart 3 as constructed: at (50, -50, 50), heading +x, so its side is +z too.
    n = {60, -50, 50}, a = {40, -40, 50}, f = {40, -50, 40}, b = {40, -60, 50}, e = {40, -50, 60};
    EXPECT_EQ(verticesOf(3), (Vertices{n, a, f, b, e, a, a, f, b, e}));
}

}  // namespace
}  // namespace wobblux
