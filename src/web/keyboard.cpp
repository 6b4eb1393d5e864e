// Typed keys, as GLUT's keyboard callback receives them: one 8-bit character each.

#include <emscripten/html5.h>

#include <optional>
#include <string_view>

#include "glut/program.h"
#include "web/glut_web.h"

namespace wobblux::web {
namespace {

// The keys with a character of their own besides the printable ones.
struct NamedKey {
    std::string_view name;  // KeyboardEvent.key
    unsigned char character;
};
constexpr NamedKey kNamedKeys[] = {
    {"Enter", 13}, {"Escape", 27}, {"Backspace", 8}, {"Delete", 127}};

// KeyboardEvent.key in UTF-8: printable ASCII is one byte, the rest of Latin-1 two. Arrows,
// function and modifier keys have none.
std::optional<unsigned char> characterOf(std::string_view key) {
    if (key.size() == 1 && key[0] >= ' ' && key[0] <= '~') {
        return static_cast<unsigned char>(key[0]);
    }
    const auto lead = static_cast<unsigned char>(key.size() == 2 ? key[0] : 0);
    if (lead == 0xC2 || lead == 0xC3) {
        const auto trail = static_cast<unsigned char>(key[1]);
        return static_cast<unsigned char>(((lead & 0x03u) << 6) | (trail & 0x3Fu));
    }
    for (const NamedKey& named : kNamedKeys) {
        if (key == named.name) {
            return named.character;
        }
    }
    return std::nullopt;
}

// A key the program gets is kept from the page, so the space bar does not scroll it; keys
// with Ctrl, Alt or Meta are the browser's shortcuts and pass by.
EM_BOOL onKeyDown(int /*eventType*/, const EmscriptenKeyboardEvent* event, void* /*data*/) {
    if (event->ctrlKey || event->altKey || event->metaKey) {
        return EM_FALSE;
    }
    const std::optional<unsigned char> character = characterOf(event->key);
    if (!character) {
        return EM_FALSE;
    }
    if (!(event->repeat && glut::program.ignoreKeyRepeat)) {
        deliverKey(*character);
    }
    return EM_TRUE;
}

}  // namespace

// The canvas takes focus when the page loads and on every press (index.html.in), so keys go
// to it and not to the whole window.
void listenToKeyboard() {
    emscripten_set_keydown_callback(kCanvas, nullptr, EM_FALSE, onKeyDown);
}

}  // namespace wobblux::web
