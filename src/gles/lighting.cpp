// glLightfv, glColorMaterial and the per-vertex lighting equation.

#include "gles/lighting.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "gles/matrix_stack.h"

namespace wobblux::gles {
namespace {

using Rgba = std::array<float, 4>;

// GL's defaults for what the program never sets.
constexpr Rgba kSceneAmbient = {0.2f, 0.2f, 0.2f, 1.0f};  // the light model's global ambient
constexpr Rgba kMaterialAmbient = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr Rgba kMaterialDiffuse = {0.8f, 0.8f, 0.8f, 1.0f};

struct Light {
    Rgba ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    Rgba diffuse = {1.0f, 1.0f, 1.0f, 1.0f};   // GL_LIGHT0's default
    Rgba position = {0.0f, 0.0f, 1.0f, 0.0f};  // eye coordinates, as of the glLightfv call
};

bool lighting = false;
bool lightOn = false;
bool colourMaterial = false;
Light light;

float clamped(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

}  // namespace

bool enableLightingCapability(unsigned int capability) {
    switch (capability) {
        case GL_LIGHTING:
            lighting = true;
            return true;
        case GL_LIGHT0:
            lightOn = true;
            return true;
        case GL_COLOR_MATERIAL:
            colourMaterial = true;
            return true;
        default:
            return false;
    }
}

void vertexColour(const float eye[4], const float normal[3], const float colour[4], float out[4]) {
    if (!lighting) {
        std::copy(colour, colour + 4, out);
        return;
    }
    const Rgba ambient =
        colourMaterial ? Rgba{colour[0], colour[1], colour[2], colour[3]} : kMaterialAmbient;
    const Rgba diffuse =
        colourMaterial ? Rgba{colour[0], colour[1], colour[2], colour[3]} : kMaterialDiffuse;
    // The normal's share of the light: zero for a light behind the surface. Only a positional
    // light is placed by the program; a directional one shines along its position.
    float facing = 0.0f;
    if (lightOn) {
        float toLight[3];
        for (int i = 0; i < 3; ++i) {
            toLight[i] = light.position[3] != 0.0f ? light.position[i] - eye[i] : light.position[i];
        }
        const float distance =
            std::sqrt(toLight[0] * toLight[0] + toLight[1] * toLight[1] + toLight[2] * toLight[2]);
        if (distance > 0.0f) {
            const float dot =
                normal[0] * toLight[0] + normal[1] * toLight[1] + normal[2] * toLight[2];
            facing = std::max(dot / distance, 0.0f);
        }
    }
    for (int i = 0; i < 3; ++i) {
        float lit = ambient[i] * kSceneAmbient[i];
        if (lightOn) {
            lit = lit + ambient[i] * light.ambient[i] + facing * diffuse[i] * light.diffuse[i];
        }
        out[i] = clamped(lit);
    }
    out[3] = clamped(diffuse[3]);
}

}  // namespace wobblux::gles

extern "C" {

void glLightfv(GLenum lightName, GLenum name, const GLfloat* values) {
    using namespace wobblux::gles;
    if (lightName != GL_LIGHT0) {
        return;
    }
    switch (name) {
        case GL_AMBIENT:
            std::copy(values, values + 4, light.ambient.begin());
            break;
        case GL_DIFFUSE:
            std::copy(values, values + 4, light.diffuse.begin());
            break;
        case GL_POSITION:
            // Stored in eye coordinates: transformed by the modelview matrix of this moment.
            transform(modelview(), values, light.position.data());
            break;
        default:
            break;
    }
}

void glColorMaterial(GLenum /*face*/, GLenum /*mode*/) {
    // Only the front ambient and diffuse tracking the colour is drawn; lighting is one-sided,
    // so the front material lights both sides.
}

}  // extern "C"
