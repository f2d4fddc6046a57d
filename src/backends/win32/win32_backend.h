// SPDX-License-Identifier: MIT
// The Win32 backend: the program's dialogs as real Win32 dialogs made from
// the program's dialog templates, one native control per control, and
// message boxes as the system's. The framework keeps every control's state;
// the backend shows it and turns the user's keys, clicks and the controls'
// notifications into the shared user input operations.
#pragma once

#include <vector>

#include "backends/win32/native_dialog.h"
#include "framework/backend.h"
#include "framework/window_tree.h"

class Win32Backend : public Backend {
public:
    // Ctrl+C, Ctrl+Break and SIGTERM from then on end every dialog as
    // Cancel, as the system's request to quit does (EndSignals).
    Win32Backend();

    void RunModal(CDialog& dialog) override;
    void ShowMessageBox(const wchar_t* text) override;
    // The primary screen's free area (without the task bar), in framework pixels.
    int ScreenWidth() const override;
    int ScreenHeight() const override;

private:
    struct Open {
        Window* window;
        Native::Dialog* native;
    };

    Native::Events EventsFor(Window& dialog);
    // The system asked the program to quit, or an ending signal came: every
    // dialog ends as Cancel, so that the form keeps its settings.
    bool NobodyAnswers() const;
    // After each input every open dialog shows its windows' state again.
    void AfterInput();

    Native::Scale m_scale;
    std::vector<Open> m_open;  // the one in front last
    bool m_quit = false;       // the system asked the program to end
    bool m_focusByMouse = false;
};
