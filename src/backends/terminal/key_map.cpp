// SPDX-License-Identifier: MIT
#include "backends/terminal/key_map.h"

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

bool IsCharacter(const KeyRead& read, wint_t low, wint_t high) {
    return read.kind == KeyRead::Kind::Character && read.code >= low && read.code <= high;
}

// Reads the rest of a sequence, from the read in hand: parameter and
// intermediate characters (0x20 to 0x3F) up to and with the final one (0x40
// to 0x7E). What cannot belong to it is given back; a sequence that stops
// coming ends where it stopped. Returns the characters read.
std::wstring SwallowSequence(KeyRead read, const std::function<KeyRead(bool wait)>& next,
                             const std::function<void(const KeyRead&)>& giveBack) {
    constexpr int kLongestSequence = 32;
    std::wstring sequence;
    for (int count = 0; count < kLongestSequence && IsCharacter(read, 0x20, 0x3F); ++count) {
        sequence += static_cast<wchar_t>(read.code);
        read = next(true);
    }
    if (IsCharacter(read, 0x40, 0x7E)) {
        sequence += static_cast<wchar_t>(read.code);
    } else {
        giveBack(read);
    }
    return sequence;
}

// The text of a bracketed paste up to its end, "Esc [ 2 0 1 ~". Control
// characters come as they are; keys the terminal's description knows and an
// Esc that starts no end are dropped. Beyond a sane length the rest is read
// and dropped, so that a huge paste cannot take the memory.
std::wstring ReadPaste(const std::function<KeyRead(bool wait)>& next,
                       const std::function<void(const KeyRead&)>& giveBack) {
    constexpr std::size_t kLongestPaste = 4096;
    std::wstring text;
    for (KeyRead read = next(true); read.kind != KeyRead::Kind::Nothing; read = next(true)) {
        if (read.kind == KeyRead::Kind::FunctionKey) {
            continue;
        }
        if (read.code == 0x1B) {
            if (IsCharacter(read = next(true), L'[', L'[') &&
                SwallowSequence(next(true), next, giveBack) == L"201~") {
                break;
            }
            giveBack(read);
            continue;
        }
        if (text.size() < kLongestPaste) {
            text += static_cast<wchar_t>(read.code);
        }
    }
    return text;
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

EscapeRead ReadAfterEscape(const std::function<KeyRead(bool wait)>& next,
                           const std::function<void(const KeyRead&)>& giveBack) {
    const KeyRead after = next(false);
    switch (after.kind) {
        case KeyRead::Kind::Nothing:
            return {{Key::Escape}, std::nullopt};
        case KeyRead::Kind::FunctionKey:
            // A terminal without its own Alt+Down code sends Esc before Down.
            return {after.code == KEY_DOWN ? KeyPress{Key::AltDown} : KeyPress{}, std::nullopt};
        case KeyRead::Kind::Character:
            break;
    }
    if (after.code == 0x1B) {
        giveBack(after);
        return {{Key::Escape}, std::nullopt};
    }
    if (after.code == L'[') {
        KeyRead read = next(true);
        // The Linux console's F1 to F5 are "Esc [ [ A" to "Esc [ [ E".
        if (IsCharacter(read, L'[', L'[')) {
            read = next(true);
        }
        if (SwallowSequence(read, next, giveBack) == L"200~") {
            return {{}, ReadPaste(next, giveBack)};
        }
    } else if (after.code == L'O') {
        SwallowSequence(next(true), next, giveBack);
    }
    return {};
}
