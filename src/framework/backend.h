// SPDX-License-Identifier: MIT
// The backend behind the windows: it runs a modal dialog's loop (the user's
// input), shows message boxes and knows the screen's size. The headless
// backend scripts the user for tests; the terminal backend is the real one.
#pragma once

#include "services/win_types.h"

class CDialog;

class Backend {
public:
    virtual ~Backend() = default;
    // Returns once the dialog has ended (CDialog::ModalEnded). Handlers run
    // inside, and may open further dialogs, which call RunModal again.
    virtual void RunModal(CDialog& dialog) = 0;
    // A message box with one OK button; returns when the user closed it.
    virtual void ShowMessageBox(const wchar_t* text) = 0;
    virtual int ScreenWidth() const = 0;  // pixels; a terminal cell is 8 x 16
    virtual int ScreenHeight() const = 0;
};

// Returns the backend set before. Without a backend no dialog opens
// (DoModal gives -1) and message boxes are not shown.
Backend* SetBackend(Backend* backend);
Backend* CurrentBackend();

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
int GetSystemMetrics(int index);

constexpr UINT MB_OK = 0;
// Shows the text with an OK button; returns IDOK.
int AfxMessageBox(const wchar_t* text, UINT type = MB_OK);
