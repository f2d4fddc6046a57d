// SPDX-License-Identifier: MIT
// The desktop backend: the program's dialogs as real modal Qt dialogs, one
// native widget per control, and message boxes as Qt message boxes. The
// framework keeps every control's state; the backend shows it and turns the
// user's keys and clicks into the shared user input operations.
#pragma once

#include <memory>
#include <vector>

#include "framework/backend.h"

class QApplication;
class QSocketNotifier;
class DialogWindow;

class DesktopBackend : public Backend {
public:
    // Starts Qt on the platform that QT_QPA_PLATFORM names (the caller has
    // made sure it can be reached). SIGHUP, SIGTERM and SIGINT from then on
    // end every dialog as Cancel (EndSignals).
    DesktopBackend(int& argc, char** argv);
    ~DesktopBackend() override;
    DesktopBackend(const DesktopBackend&) = delete;
    DesktopBackend& operator=(const DesktopBackend&) = delete;

    void RunModal(CDialog& dialog) override;
    void ShowMessageBox(const wchar_t* text) override;
    // The primary screen's free area (without panels), in framework pixels.
    int ScreenWidth() const override;
    int ScreenHeight() const override;

    // The display went away while a dialog was open: every dialog has ended as
    // Cancel, and Qt must not be touched again, not even to shut it down.
    bool DisplayLost() const;

private:
    // After each input every open dialog shows its windows' state again.
    void AfterInput();

    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<QSocketNotifier> m_endSignal;  // after m_app: it goes first
    std::vector<DialogWindow*> m_open;             // the one in front last
};
