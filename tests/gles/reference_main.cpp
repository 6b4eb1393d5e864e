// Draws one scene state (see scene_setup.h) with the unchanged drawing code through the system's
// GL, GLU and freeglut, Mesa's fixed function, and writes the frame as a PNG: the reference the
// GL subset is compared with. Needs an X server (DISPLAY): the toolkit's cone needs a window.
// The frames go into a framebuffer object of the window's context, so what is read back does
// not depend on the window being mapped or visible.

#include <GL/freeglut.h>

#include <cstdio>
#include <vector>

#include "offscreen_framebuffer.h"
#include "png_image.h"
#include "scene_setup.h"

namespace wobblux::gles_test {
namespace {

// glutGetProcAddress in the form bindOffscreenFramebuffer takes.
void* lookUp(const char* name) {
    return reinterpret_cast<void*>(glutGetProcAddress(name));
}

int run(int argc, char** argv) {
    SceneOptions scene;
    std::string error;
    if (!parseSceneArguments(argc, argv, scene, error) || scene.output.empty()) {
        std::fprintf(stderr, "gles_reference: %s\n%s",
                     error.empty() ? "--output is required" : error.c_str(), kSceneUsage);
        return 2;
    }
    buildScene(scene);

    // The toolkit gets an argument list of its own, as the program gives it.
    static char programName[] = "gles_reference";
    static char* toolkitArguments[] = {programName, nullptr};
    int toolkitArgumentCount = 1;
    glutInit(&toolkitArgumentCount, toolkitArguments);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(scene.width, scene.height);
    glutCreateWindow("Wobblux reference");
    if (!bindOffscreenFramebuffer(lookUp, scene.width, scene.height, error)) {
        std::fprintf(stderr, "gles_reference: %s\n", error.c_str());
        return 1;
    }

    drawFrames(scene);

    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(4) * scene.width * scene.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, scene.width, scene.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (const GLenum code = glGetError(); code != GL_NO_ERROR) {
        std::fprintf(stderr, "gles_reference: GL error 0x%x\n", code);
        return 1;
    }
    if (!writePng(fromBottomUpRgba(scene.width, scene.height, rgba), scene.output, error)) {
        std::fprintf(stderr, "gles_reference: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace wobblux::gles_test

int main(int argc, char** argv) {
    return wobblux::gles_test::run(argc, argv);
}
