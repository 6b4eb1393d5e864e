// wobblux.exe's main: the program of app/main.cpp, with every fatal line also in a message box
// (win32/fatal_message.h), since a windowed program has no console to write to.

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/startup.h"
#include "win32/fatal_message.h"
#include "win32/opengl_probe.h"

namespace wobblux::win32 {
namespace {

constexpr std::size_t kLongestToolkitLine = 1024;  // bytes; a longer message is cut short

// freeglut's own fatal errors, as the line it would print itself, named after the program name
// start-up gives it (its message ends in a newline at times, which the line drops). It would then
// close its windows and exit with status 1; this does the same, the box coming once its windows
// are gone. Its warnings, such as "CreateDC failed" under wine, are not fatal: freeglut still
// prints those itself and goes on.
void onToolkitError(const char* format, va_list arguments) {
    char line[kLongestToolkitLine] = "freeglut (wobblux): ";
    const std::size_t prefix = std::strlen(line);
    std::vsnprintf(line + prefix, sizeof line - prefix, format, arguments);
    std::size_t length = std::strlen(line);
    while (length > prefix && line[length - 1] == '\n') {
        line[--length] = '\0';
    }
    glutExit();
    exitWithFatalMessage(line);
}

}  // namespace
}  // namespace wobblux::win32

// Wobblux takes no arguments; the command line is ignored.
int main() {
    using namespace wobblux::win32;
    installFatalMessageBox();
    glutInitErrorFunc(onToolkitError);
    if (const char* problem = openGlProblem()) {
        exitWithFatalMessage(problem);
    }
    return wobblux::runWobblux();
}
