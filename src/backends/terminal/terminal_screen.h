// SPDX-License-Identifier: MIT
// The terminal as ncurses owns it: taken over from the shell and handed back
// in a sane state however the program ends, also on a fatal signal, and a
// canvas copied onto it.
#pragma once

#include <optional>
#include <string>

#include "backends/terminal/canvas.h"
#include "backends/terminal/dialog_painter.h"
#include "backends/terminal/terminal_input.h"

struct screen;

class TerminalScreen {
public:
    TerminalScreen() = default;
    ~TerminalScreen();
    TerminalScreen(const TerminalScreen&) = delete;
    TerminalScreen& operator=(const TerminalScreen&) = delete;

    // Takes the locale's character set for wide characters (numbers stay in
    // the "C" locale) and takes over the terminal, setting up its keyboard.
    // Returns what keeps the terminal from showing the form, for the user to
    // read; empty when it is taken over.
    std::string Open(TerminalKeyboard& keyboard);
    // Gives the terminal back; the destructor does it too.
    void Close();

    int Cols() const;
    int Rows() const;
    // Shows the canvas, with the cursor at the caret or hidden.
    void Show(const Canvas& canvas, std::optional<CellPos> caret);

private:
    screen* m_screen = nullptr;
};
