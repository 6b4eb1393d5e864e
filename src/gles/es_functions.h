#pragma once

#include "gles/es_function_list.h"

namespace wobblux::gles {

// The OpenGL ES 2.0 functions the subset draws with, reached through pointers: the subset
// defines GL 1.x functions of the same names (glClear, glViewport, glEnable, ...), so it
// cannot link the ES library's symbols directly. Each member is named after its ES function
// without the "gl" prefix; the list is es_function_list.h.
struct EsFunctions {
#define WOBBLUX_ES_MEMBER(Return, member, Name, Parameters) Return(*member) Parameters = nullptr;
    WOBBLUX_ES_FUNCTIONS(WOBBLUX_ES_MEMBER)
#undef WOBBLUX_ES_MEMBER
};

// The table the subset draws through, filled by startGlSubset(). Tests may wrap an entry to
// count calls.
extern EsFunctions es;

// Fills `functions` through `loader`, which maps an ES function's name ("glDrawArrays") to its
// address. Returns the name of the first function the loader lacks, or null if it has them all.
const char* loadEsFunctions(void* (*loader)(const char* name), EsFunctions& functions);

}  // namespace wobblux::gles
