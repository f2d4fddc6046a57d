// SPDX-License-Identifier: MIT
// Draws the open dialogs and message boxes into a canvas as the terminal
// shows them, and tells which part of a dialog a mouse click lands on.
// A dialog is a framed box whose top edge is its title bar, with the title
// on the left and the buttons [?] [OK] [x] on the right; each visible
// control sits at its rectangle; the focused one is highlighted.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "backends/terminal/canvas.h"
#include "framework/dialog_input.h"

struct CellPos {
    int col = 0;
    int row = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// The entry each list box shows in its top row; drawing keeps it up to date.
using ListScroll = std::map<const Window*, int>;

// Draws the dialog. The dialog in front (active) shows its focus and the
// caret of its edit field; one behind it shows neither. Returns where the
// caret is, if it is in view.
std::optional<CellPos> PaintDialog(Canvas& canvas, const Window& dialog, bool active,
                                   const EditState& edit, ListScroll& scroll);

Hit HitTest(Window& dialog, int screenCols, int screenRows, const ListScroll& scroll, CellPos at);

// A message box: the text in lines that fit the screen, over an OK button.
struct MessageBoxView {
    CellRect box;
    std::vector<std::wstring> lines;
    CellRect okButton;
    CellRect closeButton;  // [x] in the title bar
};

MessageBoxView LayOutMessageBox(const std::wstring& text, int screenCols, int screenRows);
void PaintMessageBox(Canvas& canvas, const MessageBoxView& view, const std::wstring& title);
