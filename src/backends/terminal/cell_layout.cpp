// SPDX-License-Identifier: MIT
#include "backends/terminal/cell_layout.h"

#include <algorithm>
#include <cwchar>

namespace {

int FloorDiv(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

int CeilDiv(int value, int divisor) {
    return -FloorDiv(-value, divisor);
}

// Edges go to the nearest cell boundary, so that controls that touch or
// keep apart in pixels touch or keep apart in cells.
int NearestColumn(int x) {
    return FloorDiv(x + kCellWidth / 2, kCellWidth);
}

int NearestRow(int y) {
    return FloorDiv(y + kCellHeight / 2, kCellHeight);
}

// Moves a span into [0, limit) as far as it fits.
int FitInto(int start, int length, int limit) {
    return std::max(0, std::min(start, limit - length));
}

}  // namespace

CellRect DialogBox(const Window& dialog, int screenCols, int screenRows) {
    const RECT& rect = dialog.rect;
    const int clientWidth = rect.right - rect.left - 2 * kDialogFrameX;
    const int clientHeight = rect.bottom - rect.top - 2 * kDialogFrameY;
    CellRect box;
    box.cols = std::max(0, CeilDiv(clientWidth, kCellWidth)) + 2;
    box.rows = std::max(0, CeilDiv(clientHeight, kCellHeight)) + 2;
    box.col = FitInto(NearestColumn(rect.left), box.cols, screenCols);
    // The title bar takes the row the window's top edge falls in.
    box.row = FitInto(FloorDiv(rect.top, kCellHeight), box.rows, screenRows);
    return box;
}

CellRect ClientCells(const CellRect& box) {
    return {box.col + 1, box.row + 1, std::max(0, box.cols - 2), std::max(0, box.rows - 2)};
}

CellRect ControlCells(const Window& control, const CellRect& client) {
    const RECT& rect = control.rect;
    CellRect cells;
    cells.col = client.col + NearestColumn(rect.left);
    cells.cols = std::max(1, NearestColumn(rect.right) - NearestColumn(rect.left));
    const int height = rect.bottom - rect.top;
    if (height < 2 * kCellHeight) {
        // A one-line control takes the row its middle falls in, so that a
        // label and the field beside it share a row.
        cells.row = client.row + FloorDiv(rect.top + rect.bottom, 2 * kCellHeight);
        cells.rows = 1;
    } else {
        cells.row = client.row + NearestRow(rect.top);
        cells.rows = std::max(1, NearestRow(rect.bottom) - NearestRow(rect.top));
    }
    return cells;
}

CellRect DropDownCells(const Window& dropDown, const CellRect& control, int screenRows) {
    const int rows = static_cast<int>(dropDown.items.size()) + 2;
    CellRect cells{control.col, control.Bottom(), control.cols, rows};
    const bool roomBelow = cells.Bottom() <= screenRows;
    const bool roomAbove = control.row - rows >= 0;
    if (!roomBelow && roomAbove) {
        cells.row = control.row - rows;
    }
    return cells;
}

int FirstShownItem(int selection, int count, int rows, int before) {
    int first = std::max(0, std::min(before, count - rows));
    if (selection >= 0 && selection < first) {
        first = selection;
    } else if (rows > 0 && selection >= first + rows) {
        first = selection - rows + 1;
    }
    return first;
}

std::vector<TitleButton> TitleButtons(DWORD exStyle, const CellRect& box) {
    std::vector<TitleButton> buttons;
    if (exStyle & WS_EX_CONTEXTHELP) {
        buttons.push_back({TitleButtonKind::Help, L"[?]", {}});
    }
    if (exStyle & WS_EX_CAPTIONOKBTN) {
        buttons.push_back({TitleButtonKind::Ok, L"[OK]", {}});
    }
    buttons.push_back({TitleButtonKind::Close, L"[x]", {}});
    // From the right, with one frame cell between the buttons and before the corner.
    int right = box.Right() - 2;
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        const int width = static_cast<int>(std::wcslen(it->label));
        it->cells = {right - width, box.row, width, 1};
        right -= width + 1;
    }
    return buttons;
}
