// The keys of the dialogs from what ncurses reads: a character, or the code
// of a function key. Alt+Down has no fixed code; the terminal's description
// gives it, or the terminal has none.
#pragma once

#include <cwchar>

#include "platform/windows/dialog_input.h"

KeyPress TranslateKey(bool functionKey, wint_t code, int altDownCode);
