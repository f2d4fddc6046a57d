// SPDX-License-Identifier: MIT
// The terminal backend: the real program's screen, keyboard and mouse, on
// ncurses (wide-character build). It draws the open dialogs over each other,
// runs their modal loops and shows message boxes; the screen hands the
// terminal back however the program ends.
#pragma once

#include <string>

#include "backends/terminal/dialog_painter.h"
#include "backends/terminal/terminal_input.h"
#include "backends/terminal/terminal_screen.h"
#include "framework/backend.h"

class TerminalBackend : public Backend {
public:
    // Takes over the terminal; returns what keeps it from showing the form,
    // for the user to read, empty when it is taken over.
    std::string Open() { return m_screen.Open(m_keyboard); }
    // Gives the terminal back; the destructor does it too.
    void Close() { m_screen.Close(); }

    void RunModal(CDialog& dialog) override;
    void ShowMessageBox(const wchar_t* text) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;

private:
    // Draws every open dialog, the one in front with its focus and caret,
    // and a message box over them all.
    void Draw(const EditState* edit, const MessageBoxView* messageBox,
              const std::wstring& messageTitle);

    TerminalScreen m_screen;
    TerminalKeyboard m_keyboard;
    ListScroll m_scroll;
};
