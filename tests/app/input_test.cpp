#include <GL/glut.h>

#include "app/callbacks.h"
#include "app_fixture.h"

namespace wobblux::testing {
namespace {

using InputTest = AppFixture;

TEST_F(InputTest, SpaceTogglesExcitedAndOtherKeysDoNothing) {
    onKeyboard(' ', 10, 10);
    EXPECT_EQ(app.sheet->excited, 1);
    for (unsigned char key : {'a', 'A', 'q', 'Q', '\x1b', '\r', '0'}) {
        onKeyboard(key, 0, 0);
    }
    EXPECT_EQ(app.sheet->excited, 1);
    EXPECT_EQ(app.yaw, 0.0f);
    EXPECT_EQ(app.distance, -300.0f);
    onKeyboard(' ', 10, 10);
    EXPECT_EQ(app.sheet->excited, 0);
}

TEST_F(InputTest, RightClickExcitesOnlyWhileHeld) {
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 5);
    EXPECT_EQ(app.sheet->excited, 1);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_UP, 5, 5);
    EXPECT_EQ(app.sheet->excited, 0);

    // Excited by the space bar: holding the right button calms the sheet, releasing excites it.
    onKeyboard(' ', 0, 0);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 5);
    EXPECT_EQ(app.sheet->excited, 0);
    onMouse(GLUT_RIGHT_BUTTON, GLUT_UP, 5, 5);
    EXPECT_EQ(app.sheet->excited, 1);
}

TEST_F(InputTest, ButtonEventsChooseTheDragModeAndNeverTouchThePointer) {
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 40, 50);
    EXPECT_EQ(app.zoomMode, 1);
    EXPECT_EQ(app.rotateMode, 0);
    // Left pressed while the middle is held: rotate, and its release keeps rotate.
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 40, 50);
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 40, 50);
    EXPECT_EQ(app.rotateMode, 1);
    EXPECT_EQ(app.zoomMode, 0);
    // Unknown buttons (wheel steps arrive as 3 and 4) select rotate too.
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 40, 50);
    onMouse(3, GLUT_DOWN, 40, 50);
    EXPECT_EQ(app.rotateMode, 1);
    EXPECT_EQ(app.zoomMode, 0);
    EXPECT_EQ(app.lastX, 0);
    EXPECT_EQ(app.lastY, 0);
    EXPECT_EQ(app.sheet->excited, 0);
}

TEST_F(InputTest, RotateDragStepsOneDegreePerEventBySignOnly) {
    onMotion(200, 0);  // far right of the last position (0, 0): one step only
    EXPECT_EQ(app.yaw, 1.0f);
    EXPECT_EQ(app.pitch, 0.0f);
    onMotion(201, 300);  // diagonal: both change
    EXPECT_EQ(app.yaw, 2.0f);
    EXPECT_EQ(app.pitch, 1.0f);
    onMotion(201, 300);  // no movement, no change
    EXPECT_EQ(app.yaw, 2.0f);
    EXPECT_EQ(app.pitch, 1.0f);
    onMotion(100, 10);
    EXPECT_EQ(app.yaw, 1.0f);
    EXPECT_EQ(app.pitch, 0.0f);
    EXPECT_EQ(app.lastX, 100);
    EXPECT_EQ(app.lastY, 10);
    EXPECT_EQ(app.distance, -300.0f);
}

TEST_F(InputTest, FirstMotionOfADragComparesWithTheLastMotionOfTheOneBefore) {
    onMotion(50, 50);
    onMotion(60, 60);  // a drag ends at (60, 60)
    const float yaw = app.yaw;
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);  // the next drag starts at (10, 10)...
    onMotion(11, 11);                              // ...and its first event steps backwards
    EXPECT_EQ(app.yaw, yaw - 1.0f);
}

TEST_F(InputTest, ZoomDragMovesFiveUnitsPerEventAndReachesZeroExactly) {
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 0);
    for (int y = 1; y <= 60; ++y) {
        onMotion(y * 7, y);  // x plays no part
    }
    EXPECT_EQ(app.distance, 0.0f);
    EXPECT_EQ(app.yaw, 0.0f);
    onMotion(0, 61);
    EXPECT_EQ(app.distance, 5.0f);  // nothing limits it: the tank's centre is now behind the eye
    onMotion(0, 0);
    onMotion(0, -1);
    EXPECT_EQ(app.distance, -5.0f);
}

}  // namespace
}  // namespace wobblux::testing
