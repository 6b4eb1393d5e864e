// Linked into every program of a sanitized build (never into an ordinary one): the sanitizers'
// settings live here rather than in environment variables, so a test or the program started by
// hand behaves as under CTest. Any report ends the process with a non-zero status.

#include <dlfcn.h>

// Mesa's GL driver (swrast_dri.so, loaded by glutCreateWindow) allocates blocks it never frees
// and is unloaded again before the leak check runs, which then can no longer tell its frames
// from anyone's. Unloading is made a no-op, so its leaks keep the library's name and the
// suppression below can match them, and nothing else.
extern "C" int dlclose(void*) {
    return 0;
}

extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}

// Only the two system libraries known to leak on their own; a leak with any of our frames
// between allocation and these libraries is not hidden, because none of our code is called
// from inside them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:swrast_dri.so\n"  // the GL driver: blocks of the context made at start-up
           "leak:libXi.so.6\n";    // the X input library: 188 bytes per pointer crossing in a drag
}
