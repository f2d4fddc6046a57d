// SPDX-License-Identifier: MIT
#include "backends/terminal/canvas.h"

#include <algorithm>

#include "backends/terminal/glyphs.h"

Canvas::Canvas(int cols, int rows)
    : m_cols(std::max(0, cols)),
      m_rows(std::max(0, rows)),
      m_cells(static_cast<size_t>(m_cols) * m_rows),
      m_clip{0, 0, m_cols, m_rows} {}

void Canvas::ClipTo(const CellRect& rect) {
    const int left = std::max(0, rect.col);
    const int top = std::max(0, rect.row);
    const int right = std::min(m_cols, rect.Right());
    const int bottom = std::min(m_rows, rect.Bottom());
    m_clip = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Canvas::ClipToScreen() {
    m_clip = {0, 0, m_cols, m_rows};
}

void Canvas::Put(int col, int row, wchar_t ch, Style style) {
    if (m_clip.Contains(col, row)) {
        m_cells[row * m_cols + col] = {ch, style};
    }
}

void Canvas::Text(int col, int row, std::wstring_view text, Style style, int width) {
    const int count = std::min(width, static_cast<int>(text.size()));
    for (int i = 0; i < count; ++i) {
        Put(col + i, row, text[i], style);
    }
}

void Canvas::Fill(const CellRect& rect, Style style) {
    for (int row = rect.row; row < rect.Bottom(); ++row) {
        for (int col = rect.col; col < rect.Right(); ++col) {
            Put(col, row, L' ', style);
        }
    }
}

void Canvas::Frame(const CellRect& rect, Style style) {
    if (rect.cols < 2 || rect.rows < 2) {
        return;
    }
    const int right = rect.Right() - 1;
    const int bottom = rect.Bottom() - 1;
    for (int col = rect.col + 1; col < right; ++col) {
        Put(col, rect.row, Glyph::kHorizontal, style);
        Put(col, bottom, Glyph::kHorizontal, style);
    }
    for (int row = rect.row + 1; row < bottom; ++row) {
        Put(rect.col, row, Glyph::kVertical, style);
        Put(right, row, Glyph::kVertical, style);
    }
    Put(rect.col, rect.row, Glyph::kTopLeft, style);
    Put(right, rect.row, Glyph::kTopRight, style);
    Put(rect.col, bottom, Glyph::kBottomLeft, style);
    Put(right, bottom, Glyph::kBottomRight, style);
}
