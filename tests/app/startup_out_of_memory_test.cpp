// Start-up when memory runs out while the scene is built. Global operator new is replaced
// here so that large blocks (the spark pool) cannot be had.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "app/app_state.h"
#include "app/startup.h"
#include "support/gl_recorder.h"

namespace {
constexpr std::size_t kLargestAllowedBlock = 100'000;  // bytes; the spark pool is far larger
}

void* operator new(std::size_t size) {
    if (size > kLargestAllowedBlock) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace wobblux::testing {
namespace {

TEST(StartupOutOfMemory, SaysSoAndStopsBeforeTheMainLoop) {
    resetGlCalls();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runWobblux(), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "wobblux: not enough memory to build the scene\n");
    EXPECT_EQ(countCalls("glutMainLoop"), 0u);
    EXPECT_EQ(countCalls("glClearColor"), 0u);  // no GL state set either
}

// A program without a console (on Windows) shows the line itself; it must get it all.
TEST(StartupOutOfMemory, GivesTheLineToTheProgramsOwnReporterInstead) {
    static std::string reported;
    setFatalLineReporter([](const char* line) { reported = line; });
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runWobblux(), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(reported, "wobblux: not enough memory to build the scene");
    setFatalLineReporter(nullptr);
}

}  // namespace
}  // namespace wobblux::testing
