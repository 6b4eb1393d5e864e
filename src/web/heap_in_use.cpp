// The bytes the program holds on the wasm heap, exported as Module._wobbluxHeapInUse for a long
// run's test to read from outside: nothing in the program calls it, so it costs the page only
// its export, and reading it allocates nothing.

#include <emscripten/emscripten.h>
#include <malloc.h>

extern "C" EMSCRIPTEN_KEEPALIVE unsigned int wobbluxHeapInUse() {
    return static_cast<unsigned int>(mallinfo().uordblks);
}
