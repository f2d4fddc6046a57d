// SPDX-License-Identifier: MIT
// A dialog's in-memory Win32 dialog template (DLGTEMPLATE), from which the
// system makes the dialog and its native controls, and what the template
// adds to the program's own: the title bar's help and OK buttons in a strip
// above the controls, and the desktop's fonts for the device's.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#include <vector>

#include "backends/win32/native_dialog.h"

namespace Native {

// The title bar of a desktop window cannot carry an OK button, so the help
// and OK buttons of the device's title bar stand in a strip above the
// controls, at its right end, with ids no template uses.
constexpr int kStripHeight = 12;  // dialog units
constexpr int kHelpButtonId = 0xFFF0;
constexpr int kOkButtonId = 0xFFF1;

// The face the desktop has for a face the device names ("System", "Courier").
std::wstring DesktopFace(const std::wstring& face);

// The template's words; the header, then each item on a DWORD boundary.
class DialogTemplateWords {
public:
    explicit DialogTemplateWords(const DialogDescription& description);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value);
    void Text(const std::wstring& text);
    void Item(DWORD style, int x, int y, int cx, int cy, int id, WORD atom,
              const std::wstring& text);

    std::vector<WORD> m_words;
};

}  // namespace Native
