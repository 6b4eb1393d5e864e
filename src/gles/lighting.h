#pragma once

namespace wobblux::gles {

// Fixed-function lighting of one vertex, as GL computes it for the state this subset keeps:
// GL_LIGHT0 positional, the default light model, colour material tracking the front ambient
// and diffuse.

// Turns GL_LIGHTING, GL_LIGHT0 or GL_COLOR_MATERIAL on; returns false for any other capability.
bool enableLightingCapability(unsigned int capability);

// The colour a vertex gets, in `out`: `colour` itself while lighting is off, otherwise the lit
// colour of a vertex at `eye` (eye coordinates) with the eye-space normal `normal`, each
// component clamped to [0, 1].
void vertexColour(const float eye[4], const float normal[3], const float colour[4], float out[4]);

}  // namespace wobblux::gles
