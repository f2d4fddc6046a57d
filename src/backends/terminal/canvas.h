// SPDX-License-Identifier: MIT
// The screen as the dialogs are drawn on it: a grid of cells, each one
// character with a style. Drawing outside the grid, or outside the clip
// rectangle, is dropped, so a dialog bigger than the terminal is cut off
// instead of breaking anything. The terminal copies the grid to the screen.
#pragma once

#include <string_view>
#include <vector>

#include "backends/terminal/cell_layout.h"

enum class Style : unsigned char {
    Plain,
    Title,     // the title of the dialog in front
    Field,     // an edit field or a drop-down list
    Focus,     // the control that has the focus
    Marked,    // the text of a focused field that typing replaces
    Selected,  // the selected entry of a list that does not have the focus
    Disabled,  // a control the user cannot use
};

struct Cell {
    wchar_t ch = L' ';
    Style style = Style::Plain;
};

class Canvas {
public:
    Canvas(int cols, int rows);

    int Cols() const { return m_cols; }
    int Rows() const { return m_rows; }
    const Cell& At(int col, int row) const { return m_cells[row * m_cols + col]; }

    // Limits the drawing to the rectangle (and the grid) until the next call.
    void ClipTo(const CellRect& rect);
    void ClipToScreen();

    void Put(int col, int row, wchar_t ch, Style style);
    // Writes at most width characters of text from col on.
    void Text(int col, int row, std::wstring_view text, Style style, int width);
    void Fill(const CellRect& rect, Style style);
    // A box-drawing frame along the rectangle's edges.
    void Frame(const CellRect& rect, Style style);

private:
    int m_cols;
    int m_rows;
    std::vector<Cell> m_cells;
    CellRect m_clip;
};
