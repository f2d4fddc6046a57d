// SPDX-License-Identifier: MIT
// The keys of the dialogs from what ncurses reads: a character, or the code
// of a function key. Alt+Down has no fixed code; the terminal's description
// gives it, or the terminal has none.
#pragma once

#include <cwchar>
#include <functional>
#include <optional>
#include <string>

#include "framework/dialog_input.h"

KeyPress TranslateKey(bool functionKey, wint_t code, int altDownCode);

// One read of the keyboard as ncurses gives it.
struct KeyRead {
    enum class Kind { Nothing, Character, FunctionKey } kind = Kind::Nothing;
    wint_t code = 0;
};

struct EscapeRead {
    KeyPress key;
    // A bracketed paste ("Esc [ 2 0 0 ~" text "Esc [ 2 0 1 ~"): its text.
    std::optional<std::wstring> paste;
};

// What an Esc character stands for when ncurses has not matched it with a key
// of the terminal's description. next reads what follows (wait false: only
// what has already come; true: up to the escape delay); giveBack returns a
// read to the keyboard. Nothing after it, or a second Esc (given back), makes
// it Esc itself; Esc then Down is Alt+Down. Anything else is a key that the
// description does not know, an escape sequence ("Esc [ ... final", "Esc O x")
// or Alt with a key, and is swallowed whole: Key::None, never Esc, and
// nothing of it is typed. The start of a bracketed paste reads on to its end
// (or as far as it comes within the escape delay) and gives the text.
EscapeRead ReadAfterEscape(const std::function<KeyRead(bool wait)>& next,
                           const std::function<void(const KeyRead&)>& giveBack);
