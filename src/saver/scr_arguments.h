#pragma once

#include <cstdint>
#include <span>

namespace wobblux::saver {

// What Windows asks of a screen saver on its command line.
struct ScrCommand {
    enum class Mode {
        FullScreen,  // /s: the show over every monitor, until the user comes back
        Preview,     // /p HWND: the show inside the settings dialog's little screen
        Settings,    // /c, or nothing: the settings, of which Wobblux has none
        Misuse,      // anything else
    };
    Mode mode = Mode::Settings;
    // The preview's host window, or the settings dialog to be modal to (0: none), as the
    // number Windows writes: a window handle in decimal.
    std::uintptr_t window = 0;
};

inline constexpr char kScrUsage[] =
    "Wobblux screen saver: /s shows it full screen, /p HWND inside that window, /c its settings.";

// Reads the arguments after the program's name. The letter is taken in either case after '/'
// or '-', and a window handle after a colon or as the next argument: /s, /S, /p 1234, /p:1234,
// /c, /c:1234.
ScrCommand parseScrArguments(std::span<const char* const> arguments);

}  // namespace wobblux::saver
