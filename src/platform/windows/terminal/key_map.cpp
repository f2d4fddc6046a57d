#include "platform/windows/terminal/key_map.h"

#include <curses.h>

namespace {

KeyPress FunctionKey(wint_t code, int altDownCode) {
    const int key = static_cast<int>(code);
    if (altDownCode != 0 && key == altDownCode) {
        return {Key::AltDown};
    }
    switch (key) {
        case KEY_BTAB:
            return {Key::BackTab};
        case KEY_ENTER:
            return {Key::Enter};
        case KEY_LEFT:
            return {Key::Left};
        case KEY_RIGHT:
            return {Key::Right};
        case KEY_UP:
            return {Key::Up};
        case KEY_DOWN:
            return {Key::Down};
        case KEY_HOME:
            return {Key::Home};
        case KEY_END:
            return {Key::End};
        case KEY_PPAGE:
            return {Key::PageUp};
        case KEY_NPAGE:
            return {Key::PageDown};
        case KEY_BACKSPACE:
            return {Key::Backspace};
        case KEY_DC:
            return {Key::Delete};
        case KEY_F(1):
            return {Key::F1};
        case KEY_F(4):
            return {Key::F4};
        case KEY_F(10):
            return {Key::F10};
        default:
            return {};
    }
}

}  // namespace

KeyPress TranslateKey(bool functionKey, wint_t code, int altDownCode) {
    if (functionKey) {
        return FunctionKey(code, altDownCode);
    }
    switch (code) {
        case L'\t':
            return {Key::Tab};
        case L'\r':
        case L'\n':
            return {Key::Enter};
        case 0x1B:
            return {Key::Escape};
        case 0x7F:  // what most terminals send for Backspace
        case L'\b':
            return {Key::Backspace};
        default:
            break;
    }
    // Other control characters type nothing.
    if (code < 0x20 || (code >= 0x7F && code < 0xA0)) {
        return {};
    }
    return {Key::Char, static_cast<wchar_t>(code)};
}
