#include "gles/es_functions.h"

namespace wobblux::gles {

EsFunctions es{};

const char* loadEsFunctions(void* (*loader)(const char*), EsFunctions& functions) {
#define WOBBLUX_ES_LOAD(Return, member, Name, Parameters)                                \
    functions.member = reinterpret_cast<decltype(functions.member)>(loader("gl" #Name)); \
    if (functions.member == nullptr) {                                                   \
        return "gl" #Name;                                                               \
    }
    WOBBLUX_ES_FUNCTIONS(WOBBLUX_ES_LOAD)
#undef WOBBLUX_ES_LOAD
    return nullptr;
}

}  // namespace wobblux::gles
