#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace wobblux::saver {

// What the XScreenSaver hack's command line asks for.
struct HackCommand {
    enum class Action {
        Show,    // draw the show in the window below
        Help,    // print the usage on standard output and end with status 0
        Misuse,  // print the usage on standard error and end with status 2
    };
    Action action = Action::Show;
    bool root = false;                      // --root: the window XScreenSaver names
    std::optional<unsigned long> windowId;  // --window-id: this window, even with --root
};

inline constexpr char kHackUsage[] =
    "usage: wobblux [--root | --window-id ID | --window | --help]  (ID in hex, 0x..., or decimal)";

// Reads the arguments after the program's name. --root and -root, --window-id ID and
// -window-id ID, --window (or nothing: a window of the hack's own, to try it), --help and
// -help; anything else, or an ID that is not a window id, is a misuse.
HackCommand parseHackArguments(std::span<const char* const> arguments);

// A window id as XScreenSaver writes it, in hex with 0x, or in decimal; nothing else, and never
// 0, which names no window.
std::optional<unsigned long> parseWindowId(std::string_view text);

}  // namespace wobblux::saver
