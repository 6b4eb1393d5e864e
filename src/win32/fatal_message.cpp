#include "win32/fatal_message.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"

namespace wobblux::win32 {
namespace {

constexpr char kBoxTitle[] = "Wobblux";

void reportInABox(const char* line) {
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
    // Task-modal: a window the program already has takes no input while the box is up, and no
    // owner is needed, since the failure may come before any window or from inside one.
    MessageBoxA(nullptr, line, kBoxTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace

void installFatalMessageBox() {
    setFatalLineReporter(reportInABox);
}

void exitWithFatalMessage(const char* line) {
    reportInABox(line);
    std::exit(1);
}

}  // namespace wobblux::win32
