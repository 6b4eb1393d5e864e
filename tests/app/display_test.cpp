#include <GL/glut.h>

#include "app/callbacks.h"
#include "app_fixture.h"

namespace wobblux::testing {
namespace {

// Compares two call records by name and arguments.
void expectSameCalls(const std::vector<GlCall>& actual, const std::vector<GlCall>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i].name, expected[i].name) << "call " << i;
        ASSERT_EQ(actual[i].args, expected[i].args) << "call " << i << " " << actual[i].name;
    }
}

template <typename Draw>
std::vector<GlCall> recordOf(Draw draw) {
    resetGlCalls();
    draw();
    std::vector<GlCall> calls = glCalls();
    resetGlCalls();
    return calls;
}

GlCall call(const char* name, std::vector<double> args = {}) {
    return GlCall{name, args, {}, {}};
}

void append(std::vector<GlCall>& to, const std::vector<GlCall>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

class DisplayTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        // Some live sparks and a stepped sheet, so every draw issues something.
        app.fountain->emit(kSparksPerTick);
        app.fountain->step();
        app.sheet->step();
        app.yaw = 30.0f;
        app.pitch = -12.0f;
        app.distance = -250.0f;
    }
};

TEST_F(DisplayTest, DrawsOneFrameInItsFixedOrder) {
    const auto darts = recordOf([] { app.dartGroup->draw(); });
    const auto sparks = recordOf([] { app.fountain->draw(); });
    const auto sheet = recordOf([] { app.sheet->draw(); });

    std::vector<GlCall> expected = {
        // The light goes first, under the previous frame's modelview matrix.
        call("glLightfv", {GL_LIGHT0, GL_POSITION, 500, 500, 500, 1}),
        call("glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}),
        call("glMatrixMode", {GL_MODELVIEW}),
        call("glLoadIdentity"),
        call("glTranslatef", {0, 0, -250}),
        call("glRotatef", {30, 0, 1, 0}),
        call("glRotatef", {-12, 1, 0, 0}),
        call("glColor3f", {1, 1, 0}),
        call("glPushMatrix"),
        call("glTranslatef", {0, -100, 0}),
        call("glRotatef", {-90, 1, 0, 0}),
        call("glutSolidCone", {10, 20, 10, 10}),
        call("glPopMatrix"),
        call("glPushMatrix"),
        call("glTranslatef", {0, -80, 0}),
        call("glRotatef", {90, 1, 0, 0}),
        call("glutSolidCone", {10, 20, 10, 10}),
        call("glPopMatrix"),
    };
    append(expected, darts);
    append(expected, sparks);
    append(expected, sheet);
    append(expected, sparks);
    const std::vector<GlCall> tank = {
        call("glPushMatrix"),
        call("glFrontFace", {GL_CW}),
        call("glColor4f", {0.5, 0.5, 1, 0.2f}),
        call("glBegin", {GL_QUADS}),
        call("glNormal3f", {0, 0, -1}),
        call("glVertex3f", {-100, 100, -100}),
        call("glVertex3f", {100, 100, -100}),
        call("glVertex3f", {100, -100, -100}),
        call("glVertex3f", {-100, -100, -100}),
        call("glNormal3f", {1, 0, 0}),
        call("glVertex3f", {100, 100, -100}),
        call("glVertex3f", {100, 100, 100}),
        call("glVertex3f", {100, -100, 100}),
        call("glVertex3f", {100, -100, -100}),
        call("glNormal3f", {0, 0, 1}),
        call("glVertex3f", {100, 100, 100}),
        call("glVertex3f", {-100, 100, 100}),
        call("glVertex3f", {-100, -100, 100}),
        call("glVertex3f", {100, -100, 100}),
        call("glNormal3f", {-1, 0, 0}),
        call("glVertex3f", {-100, 100, 100}),
        call("glVertex3f", {-100, 100, -100}),
        call("glVertex3f", {-100, -100, -100}),
        call("glVertex3f", {-100, -100, 100}),
        call("glEnd"),
        call("glBegin", {GL_QUADS}),
        call("glNormal3f", {0, -1, 0}),
        call("glVertex3f", {-100, -100, -100}),
        call("glVertex3f", {100, -100, -100}),
        call("glVertex3f", {100, -100, 100}),
        call("glVertex3f", {-100, -100, 100}),
        call("glEnd"),
        call("glPopMatrix"),
        call("glutSwapBuffers"),
    };
    append(expected, tank);

    onDisplay();
    expectSameCalls(glCalls(), expected);
}

TEST_F(DisplayTest, ChangesNothingInTheSimulations) {
    const float centreHeight = app.sheet->points[JellySheet::kCentreIndex]->position.y;
    const auto dartPosition = app.dartGroup->darts[0].position;
    const auto sparkPosition = app.fountain->positions[0];
    onDisplay();
    onDisplay();
    EXPECT_EQ(app.sheet->points[JellySheet::kCentreIndex]->position.y, centreHeight);
    EXPECT_EQ(app.dartGroup->darts[0].position, dartPosition);
    EXPECT_EQ(app.fountain->positions[0], sparkPosition);
    EXPECT_EQ(app.fountain->aliveCount, kSparksPerTick);
}

}  // namespace
}  // namespace wobblux::testing
