// The WebGL functions the GL subset draws with: emscripten's typed emscripten_gl* functions,
// one for each entry of the subset's ES function list, so a function missing here or declared
// with another signature fails to compile.
//
// emscripten_webgl_get_proc_address would find them by name too, but it names every WebGL
// function and so links the JavaScript of all of them: some 60 KB that the page would carry
// for nothing.

#include <webgl/webgl1.h>

#include "gles/es_functions.h"
#include "web/glut_web.h"

namespace wobblux::web {

const gles::EsFunctions& webGlFunctions() {
#define WOBBLUX_WEBGL_ENTRY(Return, member, Name, Parameters) .member = emscripten_gl##Name,
    static const gles::EsFunctions functions{WOBBLUX_ES_FUNCTIONS(WOBBLUX_WEBGL_ENTRY)};
#undef WOBBLUX_WEBGL_ENTRY
    return functions;
}

}  // namespace wobblux::web
