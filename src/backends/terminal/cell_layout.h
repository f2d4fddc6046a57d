// SPDX-License-Identifier: MIT
// Where the windows land on a character terminal, whose cell is 8 x 16
// pixels: dialog boxes, controls, the open list of a drop-down list, the
// title-bar buttons and the first entry a list shows. Drawing and the mouse
// both ask here, so a click lands on what is drawn.
#pragma once

#include <vector>

#include "framework/dialog_input.h"
#include "framework/wnd.h"

constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;

struct CellRect {
    int col = 0;
    int row = 0;
    int cols = 0;
    int rows = 0;

    int Right() const { return col + cols; }  // one past the last column
    int Bottom() const { return row + rows; }
    bool Contains(int c, int r) const {
        return c >= col && c < Right() && r >= row && r < Bottom();
    }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The dialog's box, frame and title bar included, on a screen of that many
// cells. A box that would stick out past the right or bottom edge moves in
// as far as the screen allows; what is still too big is clipped when drawn.
CellRect DialogBox(const Window& dialog, int screenCols, int screenRows);
// The inside of a dialog box's frame, where its client area starts.
CellRect ClientCells(const CellRect& box);
// A control's cells on the screen, from its rectangle in client pixels.
CellRect ControlCells(const Window& control, const CellRect& client);
// The framed list of an open drop-down list, below the control, or above it
// when the screen has no room below.
CellRect DropDownCells(const Window& dropDown, const CellRect& control, int screenRows);
// The index of the entry in a list's top row: where it was before, moved
// only as far as needed to bring the selected entry into view.
int FirstShownItem(int selection, int count, int rows, int before);

struct TitleButton {
    TitleButtonKind kind;
    const wchar_t* label;
    CellRect cells;
};

// The buttons in the title bar, right-aligned: help where the dialog asks
// for it, OK where it asks for it, and close on every dialog.
std::vector<TitleButton> TitleButtons(DWORD exStyle, const CellRect& box);
