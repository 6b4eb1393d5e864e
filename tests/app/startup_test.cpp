#include "app/startup.h"

#include <GL/glut.h>

#include "app/callbacks.h"
#include "app_fixture.h"
#include "support/generator_replay.h"

namespace wobblux::testing {
namespace {

const void* address(auto function) {
    return reinterpret_cast<const void*>(function);
}

TEST(Startup, OpensTheWindowRegistersCallbacksBuildsTheSceneAndRunsTheLoop) {
    const FixedClock clock;
    app = AppState{};
    app.yaw = 45.0f;
    app.rotateMode = 0;
    app.zoomMode = 1;
    resetGlCalls();

    EXPECT_EQ(runWobblux(), 0);  // the fake main loop returns at once

    const std::vector<std::string> expectedPrefix = {
        "glutInit",        "glutInitDisplayMode", "glutCreateWindow", "glutIgnoreKeyRepeat",
        "glutDisplayFunc", "glutReshapeFunc",     "glutTimerFunc",    "glutKeyboardFunc",
        "glutMotionFunc",  "glutMouseFunc",       "glClearColor"};
    const std::vector<std::string> names = callNames();
    ASSERT_GE(names.size(), expectedPrefix.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + expectedPrefix.size()),
              expectedPrefix);
    EXPECT_EQ(names.back(), "glutMainLoop");

    const auto& calls = glCalls();
    EXPECT_EQ(calls[0].args, std::vector<double>{1});  // an argument list of its own
    EXPECT_EQ(calls[0].text, "wobblux");
    EXPECT_EQ(calls[1].args, std::vector<double>{GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH});
    EXPECT_EQ(calls[2].text, "Wobblux");
    EXPECT_EQ(calls[3].args, std::vector<double>{1});  // held keys are not repeated
    EXPECT_EQ(countCalls("glutIgnoreKeyRepeat"), 1u);
    EXPECT_EQ(calls[4].pointer, address(&onDisplay));
    EXPECT_EQ(calls[5].pointer, address(&onReshape));
    EXPECT_EQ(calls[6].args, (std::vector<double>{0, 1}));
    EXPECT_EQ(calls[6].pointer, address(&onTimerTick));
    EXPECT_EQ(calls[7].pointer, address(&onKeyboard));
    EXPECT_EQ(calls[8].pointer, address(&onMotion));
    EXPECT_EQ(calls[9].pointer, address(&onMouse));

    EXPECT_EQ(app.yaw, 0.0f);
    EXPECT_EQ(app.pitch, 0.0f);
    EXPECT_EQ(app.distance, -300.0f);
    EXPECT_EQ(app.rotateMode, 1);
    EXPECT_EQ(app.zoomMode, 0);
    ASSERT_NE(app.sheet, nullptr);
    ASSERT_NE(app.fountain, nullptr);
    ASSERT_NE(app.dartGroup, nullptr);
    EXPECT_EQ(app.sheet->points[0]->position.y, 80.0f);
    EXPECT_EQ(app.fountain->emitter, (SparkFountain::Triple{0.0, -80.0, 0.0}));

    // The fountain seeds the generator and draws 40,000 numbers; the darts take the next five.
    const double firstDartVelocity = drawAfterSeeding(kSomeSecond, 40'000) / kRandMax - 0.5;
    EXPECT_EQ(app.dartGroup->darts[0].velocity[0], firstDartVelocity);

    app = AppState{};
}

TEST(Graphics, InitGraphicsSetsTheFixedStateOnce) {
    resetGlCalls();
    initGraphics();
    const std::vector<GlCall>& calls = glCalls();
    const std::vector<std::string> expectedNames = {
        "glClearColor", "glEnable",  "glEnable",  "glEnable", "glEnable",
        "glBlendFunc",  "glLightfv", "glLightfv", "glEnable", "glColorMaterial"};
    ASSERT_EQ(callNames(), expectedNames);
    EXPECT_EQ(calls[0].args, (std::vector<double>{0, 0, 0, 1}));
    EXPECT_EQ(calls[1].args, std::vector<double>{GL_DEPTH_TEST});
    EXPECT_EQ(calls[2].args, std::vector<double>{GL_LIGHTING});
    EXPECT_EQ(calls[3].args, std::vector<double>{GL_COLOR_MATERIAL});
    EXPECT_EQ(calls[4].args, std::vector<double>{GL_BLEND});
    EXPECT_EQ(calls[5].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
    EXPECT_EQ(calls[6].args, (std::vector<double>{GL_LIGHT0, GL_AMBIENT, 0.2f, 0.2f, 0.2f, 0.2f}));
    EXPECT_EQ(calls[7].args, (std::vector<double>{GL_LIGHT0, GL_DIFFUSE, 0.8f, 0.8f, 0.8f, 0.8f}));
    EXPECT_EQ(calls[8].args, std::vector<double>{GL_LIGHT0});
    EXPECT_EQ(calls[9].args, (std::vector<double>{GL_FRONT, GL_AMBIENT_AND_DIFFUSE}));
}

TEST(Graphics, ReshapeSetsViewportAndPerspectiveAndLeavesModelviewIdentity) {
    resetGlCalls();
    onReshape(640, 480);
    const std::vector<std::string> expectedNames = {"glViewport",     "glMatrixMode",
                                                    "glLoadIdentity", "gluPerspective",
                                                    "glMatrixMode",   "glLoadIdentity"};
    EXPECT_EQ(callNames(), expectedNames);
    const std::vector<GlCall>& calls = glCalls();
    EXPECT_EQ(calls[0].args, (std::vector<double>{0, 0, 640, 480}));
    EXPECT_EQ(calls[1].args, std::vector<double>{GL_PROJECTION});
    EXPECT_EQ(calls[3].args, (std::vector<double>{60, 640.0 / 480.0, 1, 1000}));
    EXPECT_EQ(calls[4].args, std::vector<double>{GL_MODELVIEW});
}

TEST(Graphics, ReshapeToZeroHeightUsesOne) {
    resetGlCalls();
    onReshape(300, 0);
    EXPECT_EQ(callsNamed("glViewport").at(0).args, (std::vector<double>{0, 0, 300, 1}));
    EXPECT_EQ(callsNamed("gluPerspective").at(0).args, (std::vector<double>{60, 300, 1, 1000}));
}

}  // namespace
}  // namespace wobblux::testing
