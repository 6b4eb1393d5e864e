// wobblux.exe where it cannot draw, under wine on an X server without GLX: Windows then offers
// no OpenGL pixel format. The program has no console, so it must say why in a message box
// titled "Wobblux" (wine shows a Windows window as an X window named after its title), and
// answering the box must end it with status 1.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "program_under_test.h"
#include "x_session.h"

namespace wobblux::e2e {
namespace {

TEST(WobbluxWithoutGl, SaysWhyInAMessageBoxAndEndsWithStatusOneWhenItIsAnswered) {
    VirtualScreen screen(640, 480, {"-extension", "GLX"});
    ChildProcess program(programCommand(), {"DISPLAY=" + screen.name()});
    XClient client(screen.name());
    const Window box = client.waitForWindow("Wobblux", milliseconds(10000 * kSlowdown));
    ASSERT_NE(box, None) << "no message box titled \"Wobblux\" appeared";
    // What the box looked like, for whoever wants to see it.
    writePng(client.capture(box), "failure_box.png");
    EXPECT_FALSE(program.waitForExit(milliseconds(500))) << "ended before the box was answered";

    int x, y, width, height;
    client.geometry(box, x, y, width, height);
    client.movePointer(box, width / 2, height / 2);  // keys go to the window below it
    client.tapKey("Return");
    ASSERT_TRUE(program.waitForExit(milliseconds(3000 * kSlowdown))) << "still running";
    ASSERT_TRUE(WIFEXITED(program.waitStatus())) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(program.waitStatus()), 1);
}

}  // namespace
}  // namespace wobblux::e2e
