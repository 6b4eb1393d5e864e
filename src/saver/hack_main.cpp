// The XScreenSaver hack: Wobblux's unattended show in the window XScreenSaver gives it.

#include <cstdio>
#include <span>

#include "app/startup.h"
#include "saver/hack_arguments.h"
#include "saver/x11_window.h"

int main(int argc, char** argv) {
    using namespace wobblux::saver;
    const HackCommand command =
        parseHackArguments(std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0));
    switch (command.action) {
        case HackCommand::Action::Help:
            std::puts(kHackUsage);
            return 0;
        case HackCommand::Action::Misuse:
            std::fprintf(stderr, "%s\n", kHackUsage);
            return 2;
        case HackCommand::Action::Show:
            break;
    }
    chooseWindow(command);
    return wobblux::runWobbluxShow();
}
