// SPDX-License-Identifier: MIT
// The keyboard and the mouse of the terminal that ncurses owns: one read
// waits for a key or a click, and gives up when nobody will answer.
#pragma once

#include "backends/terminal/dialog_painter.h"
#include "framework/dialog_input.h"

// How long the rest of a key's sequence may take to follow its Esc. A key's
// bytes usually travel together, but a slow or busy link (SSH over a mobile
// connection, a loaded machine) can split them; a sequence cut short is
// swallowed rather than taken for Esc, yet a key can only work if it arrives
// whole within this time. 400 ms leaves a wide margin over the gaps seen on
// such links (tens of milliseconds, 80 ms in our tests) and is still a short
// pause for Esc, which has to wait this long to be sure it stands alone.
constexpr int kEscapeDelayMs = 400;

struct TerminalInput {
    // Lost: nobody will answer, since the keyboard is gone or a signal
    // asked the program to end.
    enum class Kind { Nothing, Key, Click, DoubleClick, Paste, Lost } kind = Kind::Nothing;
    KeyPress key;
    std::wstring pasted;
    CellPos at;
};

class TerminalKeyboard {
public:
    // Sets up the keys and the mouse of a terminal just taken over; true when
    // the terminal reports the mouse.
    bool Start();
    // Waits for the next key or click.
    TerminalInput Read();

private:
    int m_altDownCode = 0;
    int m_failedReads = 0;
};
