// The full-spray frame through the GL subset on Mesa's ES (no X server): few ES draw calls, and
// no allocation once warm, neither on the heap nor of buffer storage in the driver. Its own
// program: it replaces global operator new to count allocations.

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "gles/es_functions.h"
#include "gles/gl_subset.h"
#include "native_es_context.h"
#include "scene_setup.h"
#include "support/allocation_counter.h"

namespace wobblux::gles_test {
namespace {

constexpr int kMostDrawCallsPerFrame = 40;

int drawCalls = 0;
void (*realDrawArrays)(GLenum, GLint, GLsizei) = nullptr;

void countingDrawArrays(GLenum mode, GLint first, GLsizei count) {
    ++drawCalls;
    realDrawArrays(mode, first, count);
}

// glBufferData (re)allocates the buffer's storage; glBufferSubData only writes into it.
int storageAllocations = 0;
void (*realBufferData)(GLenum, GLsizeiptr, const void*, GLenum) = nullptr;

void countingBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
    ++storageAllocations;
    realBufferData(target, size, data, usage);
}

TEST(GlesDrawCalls, FullSprayFrameTakesFewDrawCallsAndAllocatesNothingOnceWarm) {
    SceneOptions scene;
    scene.ticks = 300;
    scene.exciteFrom = 0;
    scene.frames = 0;
    buildScene(scene);
    ASSERT_GT(app.fountain->aliveCount, 3000);

    NativeEsContext context(scene.width, scene.height);
    ASSERT_TRUE(gles::startGlSubset(NativeEsContext::procAddress));
    realDrawArrays = gles::es.drawArrays;
    gles::es.drawArrays = countingDrawArrays;
    realBufferData = gles::es.bufferData;
    gles::es.bufferData = countingBufferData;

    initGraphics();
    onReshape(scene.width, scene.height);
    for (int frame = 1; frame <= 2; ++frame) {
        drawCalls = 0;
        onDisplay();
        EXPECT_GT(drawCalls, 0) << "frame " << frame;
        EXPECT_LE(drawCalls, kMostDrawCallsPerFrame) << "frame " << frame;
    }
    context.finish();

    const std::uint64_t allocationsBefore = testing::allocationCount;
    drawCalls = 0;
    storageAllocations = 0;
    onDisplay();  // the same vertices as the frame before
    const std::uint64_t allocations = testing::allocationCount - allocationsBefore;
    context.finish();
    std::printf(
        "full-spray frame: %d ES draw calls, %llu allocations and %d buffer storage "
        "allocations once warm\n",
        drawCalls, static_cast<unsigned long long>(allocations), storageAllocations);
    EXPECT_LE(drawCalls, kMostDrawCallsPerFrame);
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(storageAllocations, 0);
    EXPECT_EQ(context.error(), 0u);

    gles::es.drawArrays = realDrawArrays;
    gles::es.bufferData = realBufferData;
}

}  // namespace
}  // namespace wobblux::gles_test
