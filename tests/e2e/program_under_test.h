#pragma once

// The program the end-to-end tests start, and how slowly it runs here. The build defines
// WOBBLUX_PROGRAM, WOBBLUX_EMULATOR and WOBBLUX_TIMEOUT_SCALE for each test program.

#include <sstream>
#include <string>
#include <vector>

namespace wobblux::e2e {

// How many times slower than a plain native build the program runs here (under sanitizers or an
// emulator); the waits that only poll for something to happen are this many times longer.
inline constexpr int kSlowdown = WOBBLUX_TIMEOUT_SCALE;

// The command line that starts the program. A cross-built program is started under the emulator
// (WOBBLUX_EMULATOR, its words separated by spaces; empty natively): the kernel cannot run it.
inline std::vector<std::string> programCommand() {
    std::vector<std::string> command;
    std::istringstream emulator(WOBBLUX_EMULATOR);
    for (std::string word; emulator >> word;) {
        command.push_back(word);
    }
    command.push_back(WOBBLUX_PROGRAM);
    return command;
}

}  // namespace wobblux::e2e
