// Draws one scene state (see scene_setup.h) with the unchanged drawing code through Wobblux's
// GL subset over OpenGL ES 2.0, on Mesa's ES natively with no X server, and writes the frame as
// a PNG, to be compared with what gles_reference draws through Mesa's fixed function.

#include <cstdio>
#include <exception>

#include "gles/gl_subset.h"
#include "native_es_context.h"
#include "png_image.h"
#include "scene_setup.h"

namespace wobblux::gles_test {
namespace {

int run(int argc, char** argv) {
    SceneOptions scene;
    std::string error;
    if (!parseSceneArguments(argc, argv, scene, error) || scene.output.empty()) {
        std::fprintf(stderr, "gles_subset: %s\n%s",
                     error.empty() ? "--output is required" : error.c_str(), kSceneUsage);
        return 2;
    }
    buildScene(scene);

    NativeEsContext context(scene.width, scene.height);
    if (const gles::SubsetStart start = gles::startGlSubset(NativeEsContext::procAddress); !start) {
        std::fprintf(stderr, "gles_subset: startGlSubset failed: %s\n", start.detail.c_str());
        return 1;
    }

    drawFrames(scene);

    const std::vector<std::uint8_t> rgba = context.readRgba();
    if (const unsigned int code = context.error(); code != 0) {
        std::fprintf(stderr, "gles_subset: ES error 0x%x\n", code);
        return 1;
    }
    if (!writePng(fromBottomUpRgba(scene.width, scene.height, rgba), scene.output, error)) {
        std::fprintf(stderr, "gles_subset: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace wobblux::gles_test

int main(int argc, char** argv) {
    try {
        return wobblux::gles_test::run(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "gles_subset: %s\n", failure.what());
        return 1;
    }
}
