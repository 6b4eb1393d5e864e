#include "glut/window_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glut/program.h"
#include "support/gl_recorder.h"

namespace wobblux::glut {
namespace {

std::vector<std::string> seen;  // the program's callbacks as they ran
WindowFrames* window = nullptr;
bool displayAsksAgain = false;

void reshape(int width, int height) {
    seen.push_back("reshape " + std::to_string(width) + "x" + std::to_string(height));
}

void display() {
    seen.push_back("display");
    if (displayAsksAgain) {
        window->requestDisplay();
    }
}

class WindowFramesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = {};
        program.display = display;
        program.reshape = reshape;
        seen.clear();
        window = &frames;
        displayAsksAgain = false;
        wobblux::testing::resetGlCalls();
    }

    WindowFrames frames;
};

TEST_F(WindowFramesTest, FirstSizeAndEveryChangeReshapeBeforeOneDisplay) {
    frames.run();
    EXPECT_TRUE(seen.empty());
    frames.noteSize(0, 0);
    frames.requestDisplay();
    frames.run();
    frames.noteSize(0, 0);
    frames.run();
    frames.noteSize(640, 480);
    frames.run();
    EXPECT_EQ(seen,
              (std::vector<std::string>{"reshape 0x0", "display", "reshape 640x480", "display"}));
}

TEST_F(WindowFramesTest, RedisplayRequestsCoalesceAndADisplayMayAskForTheNext) {
    frames.noteSize(8, 6);
    frames.requestDisplay();
    frames.requestDisplay();
    displayAsksAgain = true;
    frames.run();
    EXPECT_TRUE(frames.displayDue);
    frames.run();
    EXPECT_EQ(seen, (std::vector<std::string>{"reshape 8x6", "display", "display"}));
}

TEST_F(WindowFramesTest, RequestedReshapeKeepsTheSizeAndWithoutACallbackSetsTheViewport) {
    program.reshape = nullptr;
    frames.noteSize(320, 200);
    frames.run();
    frames.requestReshape();
    frames.run();
    const auto viewports = wobblux::testing::callsNamed("glViewport");
    ASSERT_EQ(viewports.size(), 2u);
    EXPECT_EQ(viewports[1].args, (std::vector<double>{0, 0, 320, 200}));
    EXPECT_EQ(seen, std::vector<std::string>{"display"});
}

}  // namespace
}  // namespace wobblux::glut
