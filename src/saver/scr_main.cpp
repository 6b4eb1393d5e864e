// wobblux.scr: Wobblux's unattended show as a Windows screen saver.

// clang-format off
#include <windows.h>
// clang-format on

#include <span>

#include "app/startup.h"
#include "saver/scr_arguments.h"
#include "saver/win32_window.h"
#include "win32/fatal_message.h"

int main(int argc, char** argv) {
    using namespace wobblux::saver;
    const ScrCommand command =
        parseScrArguments(std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0));
    // The settings dialog names itself, so that the box is modal to it.
    const HWND owner = reinterpret_cast<HWND>(command.window);
    switch (command.mode) {
        case ScrCommand::Mode::Settings:
            MessageBoxA(owner, "Wobblux has nothing to set: its show is always the same.",
                        "Wobblux", MB_OK | MB_ICONINFORMATION);
            return 0;
        case ScrCommand::Mode::Misuse:
            MessageBoxA(nullptr, kScrUsage, "Wobblux", MB_OK | MB_ICONWARNING);
            return 2;
        case ScrCommand::Mode::FullScreen:
        case ScrCommand::Mode::Preview:
            break;
    }
    if (command.mode == ScrCommand::Mode::FullScreen) {
        wobblux::win32::installFatalMessageBox();  // a preview stays quiet (win32_window.cpp)
    }
    chooseWindow(command);
    return wobblux::runWobbluxShow();
}
