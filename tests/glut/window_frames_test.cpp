#include "glut/window_frames.h"

#include <gtest/gtest.h>

#include <string>

#include "glut/program.h"
#include "support/gl_recorder.h"

namespace wobblux::glut {
namespace {

std::vector<std::string> seen;  // the program's callbacks as they ran
WindowFrames frames;
bool displayAsksAgain = false;

void reshape(int width, int height) {
    seen.push_back(std::to_string(width) + "x" + std::to_string(height));
}

void display() {
    seen.push_back("display");
    if (displayAsksAgain) {
        frames.requestDisplay();
    }
}

TEST(WindowFrames, FirstSizeAndEveryChangeReshapeBeforeOneDisplay) {
    program = {.display = display, .reshape = reshape};
    frames.noteSize(0, 0);
    frames.requestDisplay();
    frames.requestDisplay();
    frames.run();
    frames.noteSize(0, 0);
    frames.run();
    frames.noteSize(640, 480);
    displayAsksAgain = true;
    frames.run();
    frames.run();
    EXPECT_EQ(seen, (std::vector<std::string>{"0x0", "display", "640x480", "display", "display"}));
}

TEST(WindowFrames, RequestedReshapeKeepsTheSizeAndWithoutACallbackSetsTheViewport) {
    program = {};
    wobblux::testing::resetGlCalls();
    WindowFrames window;
    window.noteSize(320, 200);
    window.run();
    window.requestReshape();
    window.run();
    EXPECT_EQ(wobblux::testing::countCalls("glViewport"), 2u);
    EXPECT_EQ(wobblux::testing::glCalls().back().args, (std::vector<double>{0, 0, 320, 200}));
}

}  // namespace
}  // namespace wobblux::glut
