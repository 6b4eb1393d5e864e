// The browser's start-up: the page's address says who drives the scene. With "show" in its
// query (index.html?show, with any value or none) the unattended show plays, for kiosks and a
// browser's full screen; otherwise a person drives it, as on the desktop.

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "app/startup.h"

namespace {

EM_JS(bool, pageAsksForShow, (), { return new URLSearchParams(location.search).has("show"); });

}  // namespace

int main() {
    return pageAsksForShow() ? wobblux::runWobbluxShow() : wobblux::runWobblux();
}
