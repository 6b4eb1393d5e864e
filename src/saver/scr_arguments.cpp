#include "saver/scr_arguments.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace wobblux::saver {
namespace {

std::optional<std::uintptr_t> parseHandle(std::string_view text) {
    std::uintptr_t handle = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, handle);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return handle;
}

ScrCommand misuse() {
    ScrCommand command;
    command.mode = ScrCommand::Mode::Misuse;
    return command;
}

}  // namespace

ScrCommand parseScrArguments(std::span<const char* const> arguments) {
    if (arguments.empty()) {
        return {};
    }
    std::string_view option = arguments[0];
    if (option.size() < 2 || (option[0] != '/' && option[0] != '-')) {
        return misuse();
    }
    const char letter = static_cast<char>(option[1] | 0x20);  // ASCII letters to lower case
    option.remove_prefix(2);
    // The handle: after a colon, or as the next argument.
    std::optional<std::string_view> handleText;
    std::size_t used = 1;
    if (option.starts_with(":")) {
        handleText = option.substr(1);
    } else if (!option.empty()) {
        return misuse();
    } else if (arguments.size() > 1) {
        handleText = arguments[1];
        used = 2;
    }
    if (used < arguments.size()) {
        return misuse();
    }
    ScrCommand command;
    std::optional<std::uintptr_t> handle;
    if (handleText && !(handle = parseHandle(*handleText))) {
        return misuse();
    }
    command.window = handle.value_or(0);
    switch (letter) {
        case 's':
            command.mode = ScrCommand::Mode::FullScreen;
            return handle ? misuse() : command;
        case 'p':
            command.mode = ScrCommand::Mode::Preview;
            return command.window != 0 ? command : misuse();
        case 'c':
            command.mode = ScrCommand::Mode::Settings;
            return command;
        default:
            return misuse();
    }
}

}  // namespace wobblux::saver
