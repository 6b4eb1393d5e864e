#include "saver/hack_arguments.h"

#include <charconv>

namespace wobblux::saver {
namespace {

HackCommand ending(HackCommand::Action action) {
    HackCommand command;
    command.action = action;
    return command;
}

// XScreenSaver's hacks take their options with one dash or two.
bool isOption(std::string_view argument, std::string_view name) {
    if (argument.starts_with("--")) {
        argument.remove_prefix(2);
    } else if (argument.starts_with("-")) {
        argument.remove_prefix(1);
    } else {
        return false;
    }
    return argument == name;
}

}  // namespace

std::optional<unsigned long> parseWindowId(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned long id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id, base);
    if (text.empty() || error != std::errc() || stop != end || id == 0) {
        return std::nullopt;
    }
    return id;
}

HackCommand parseHackArguments(std::span<const char* const> arguments) {
    HackCommand command;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string_view argument = arguments[k];
        if (isOption(argument, "help")) {
            return ending(HackCommand::Action::Help);
        }
        if (isOption(argument, "root")) {
            command.root = true;
        } else if (isOption(argument, "window")) {
            // A window of its own is what no other option asks for.
        } else if (isOption(argument, "window-id") && k + 1 < arguments.size()) {
            command.windowId = parseWindowId(arguments[++k]);
            if (!command.windowId) {
                return ending(HackCommand::Action::Misuse);
            }
        } else {
            return ending(HackCommand::Action::Misuse);
        }
    }
    return command;
}

}  // namespace wobblux::saver
