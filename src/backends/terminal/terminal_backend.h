// SPDX-License-Identifier: MIT
// The terminal backend: the real program's screen, keyboard and mouse, on
// ncurses (wide-character build). It draws the open dialogs over each other,
// runs their modal loops and shows message boxes, and hands the terminal
// back in a sane state however the program ends, also on a fatal signal.
#pragma once

#include <optional>
#include <string>

#include "framework/backend.h"
#include "backends/terminal/dialog_painter.h"

struct screen;

class TerminalBackend : public Backend {
public:
    TerminalBackend() = default;
    ~TerminalBackend() override;
    TerminalBackend(const TerminalBackend&) = delete;
    TerminalBackend& operator=(const TerminalBackend&) = delete;

    // Takes the locale's character set for wide characters (numbers stay in
    // the "C" locale) and takes over the terminal. Returns what keeps the
    // terminal from showing the form, for the user to read; empty when it is
    // taken over.
    std::string Open();
    // Gives the terminal back; the destructor does it too.
    void Close();

    void RunModal(CDialog& dialog) override;
    void ShowMessageBox(const wchar_t* text) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;

private:
    struct Input {
        // Lost: nobody will answer, since the keyboard is gone or a signal
        // asked the program to end.
        enum class Kind { Nothing, Key, Click, DoubleClick, Lost } kind = Kind::Nothing;
        KeyPress key;
        CellPos at;
    };

    Input ReadInput();
    // Draws every open dialog, the one in front with its focus and caret,
    // and a message box over them all.
    void Draw(const EditState* edit, const MessageBoxView* messageBox,
              const std::wstring& messageTitle);

    screen* m_screen = nullptr;
    ListScroll m_scroll;
    int m_altDownCode = 0;
    int m_failedReads = 0;
};
