// SPDX-License-Identifier: MIT
#include "backends/terminal/dialog_painter.h"

#include <algorithm>

#include "backends/terminal/glyphs.h"

namespace {

int Length(const std::wstring& text) {
    return static_cast<int>(text.size());
}

// A button's text in brackets: across its whole width where it fits,
// tight around the text where it is narrow, the bare text where even
// that does not fit.
std::wstring ButtonLabel(const std::wstring& text, int width) {
    const int length = Length(text);
    if (width >= length + 4) {
        const int left = (width - 2 - length) / 2;
        std::wstring label = L"[" + std::wstring(left, L' ') + text;
        label.append(width - 1 - Length(label), L' ');
        return label + L"]";
    }
    if (width >= length + 2) {
        return std::wstring((width - length - 2) / 2, L' ') + L"[" + text + L"]";
    }
    return text;
}

std::wstring RadioLabel(const Window& radio) {
    return (radio.check == BST_CHECKED ? L"(*) " : L"( ) ") + radio.text;
}

// Labels of one row and radio buttons show their whole text, also past the
// right edge of their rectangle, up to the edge of the dialog; a label of
// several rows wraps its text inside them.
CellRect ShownCells(const Window& control, const CellRect& client) {
    CellRect cells = ControlCells(control, client);
    if (control.kind == WindowKind::Static && cells.rows <= 1) {
        cells.cols = std::max(cells.cols, Length(control.text));
    } else if (control.kind == WindowKind::RadioButton) {
        cells.cols = std::max(cells.cols, Length(RadioLabel(control)));
    }
    return cells;
}

bool HasFrame(const Window& list, const CellRect& cells) {
    return (list.style & WS_BORDER) && cells.cols >= 3 && cells.rows >= 3;
}

CellRect Inside(const CellRect& cells) {
    return {cells.col + 1, cells.row + 1, cells.cols - 2, cells.rows - 2};
}

CellRect ListRows(const Window& list, const CellRect& cells) {
    return HasFrame(list, cells) ? Inside(cells) : cells;
}

void PaintItems(Canvas& canvas, const Window& list, const CellRect& rows, int first, bool focused) {
    const int items = static_cast<int>(list.items.size());
    for (int row = 0; row < rows.rows && first + row < items; ++row) {
        const int index = first + row;
        const Style style = index != list.selection ? Style::Plain
                            : focused               ? Style::Focus
                                                    : Style::Selected;
        canvas.Fill({rows.col, rows.row + row, rows.cols, 1}, style);
        canvas.Text(rows.col, rows.row + row, list.items[index], style, rows.cols);
    }
}

void PaintListBox(Canvas& canvas, const Window& list, const CellRect& cells, bool focused,
                  int& first) {
    const CellRect rows = ListRows(list, cells);
    const int items = static_cast<int>(list.items.size());
    first = FirstShownItem(list.selection, items, rows.rows, first);
    if (HasFrame(list, cells)) {
        canvas.Frame(cells, focused ? Style::Title : Style::Plain);
        if (first > 0) {
            canvas.Put(cells.Right() - 1, rows.row, Glyph::kMoreAbove, Style::Plain);
        }
        if (first + rows.rows < items) {
            canvas.Put(cells.Right() - 1, rows.Bottom() - 1, Glyph::kMoreBelow, Style::Plain);
        }
    }
    PaintItems(canvas, list, rows, first, focused);
}

void PaintDropDownList(Canvas& canvas, const Window& dropDown, const CellRect& cells) {
    const CellRect popup = DropDownCells(dropDown, cells, canvas.Rows());
    canvas.ClipToScreen();
    canvas.Fill(popup, Style::Plain);
    canvas.Frame(popup, Style::Plain);
    PaintItems(canvas, dropDown, Inside(popup), 0, true);
}

// Returns the caret's cell for a focused edit field.
std::optional<CellPos> PaintEdit(Canvas& canvas, const Window& field, const CellRect& cells,
                                 const EditState* edit) {
    const Style style = !field.enabled ? Style::Disabled : edit ? Style::Focus : Style::Field;
    canvas.Fill(cells, style);
    // The text scrolls sideways so that the caret stays in the field.
    const int caret = edit ? static_cast<int>(edit->caret) : 0;
    const int first = std::max(0, caret - cells.cols + 1);
    const std::wstring shown = field.text.substr(std::min<size_t>(first, field.text.size()));
    canvas.Text(cells.col, cells.row, shown, edit && edit->marked ? Style::Marked : style,
                cells.cols);
    if (!edit) {
        return std::nullopt;
    }
    return CellPos{cells.col + caret - first, cells.row};
}

std::vector<std::wstring> WrapText(const std::wstring& text, int width) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring paragraph = text.substr(start, end == std::wstring::npos ? end : end - start);
        while (Length(paragraph) > width) {
            // Break at the last blank that fits, or in the middle of a long word.
            size_t cut = paragraph.rfind(L' ', width);
            const bool atBlank = cut != std::wstring::npos && cut > 0;
            if (!atBlank) {
                cut = width;
            }
            lines.push_back(paragraph.substr(0, cut));
            paragraph.erase(0, atBlank ? cut + 1 : cut);
        }
        lines.push_back(paragraph);
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

void PaintLabel(Canvas& canvas, const std::wstring& text, const CellRect& cells, Style style) {
    if (cells.rows <= 1) {
        canvas.Text(cells.col, cells.row, text, style, cells.cols);
        return;
    }
    const std::vector<std::wstring> lines = WrapText(text, cells.cols);
    for (int i = 0; i < cells.rows && i < static_cast<int>(lines.size()); ++i) {
        canvas.Text(cells.col, cells.row + i, lines[i], style, cells.cols);
    }
}

std::optional<CellPos> PaintControl(Canvas& canvas, const Window& control, const CellRect& client,
                                    bool focused, const EditState& edit, ListScroll& scroll) {
    const CellRect cells = ShownCells(control, client);
    const Style normal = control.enabled ? Style::Plain : Style::Disabled;
    const Style style = focused ? Style::Focus : normal;
    switch (control.kind) {
        case WindowKind::Static:
            PaintLabel(canvas, control.text, cells, normal);
            break;
        case WindowKind::Edit:
            return PaintEdit(canvas, control, cells,
                             focused && edit.field == &control ? &edit : nullptr);
        case WindowKind::PushButton:
            canvas.Text(cells.col, cells.row, ButtonLabel(control.text, cells.cols), style,
                        cells.cols);
            break;
        case WindowKind::RadioButton:
            canvas.Text(cells.col, cells.row, RadioLabel(control), style, cells.cols);
            break;
        case WindowKind::ComboBox: {
            const Style field = focused ? Style::Focus : control.enabled ? Style::Field : normal;
            const bool selected = control.selection >= 0 &&
                                  control.selection < static_cast<int>(control.items.size());
            canvas.Fill(cells, field);
            if (selected) {
                canvas.Text(cells.col, cells.row, control.items[control.selection], field,
                            cells.cols - 1);
            }
            canvas.Put(cells.Right() - 1, cells.row, Glyph::kDropDownArrow, field);
            break;
        }
        case WindowKind::ListBox:
            PaintListBox(canvas, control, cells, focused, scroll[&control]);
            break;
        case WindowKind::Dialog:
            break;
    }
    return std::nullopt;
}

void PaintTitleBar(Canvas& canvas, const CellRect& box, const std::wstring& title, DWORD exStyle,
                   bool active) {
    const auto buttons = TitleButtons(exStyle, box);
    // The title ends one cell before the first button.
    const int room = buttons.front().cells.col - 1 - (box.col + 1);
    canvas.Text(box.col + 1, box.row, L" " + title + L" ", active ? Style::Title : Style::Plain,
                room);
    for (const TitleButton& button : buttons) {
        canvas.Text(button.cells.col, button.cells.row, button.label, Style::Plain,
                    button.cells.cols);
    }
}

}  // namespace

std::optional<CellPos> PaintDialog(Canvas& canvas, const Window& dialog, bool active,
                                   const EditState& edit, ListScroll& scroll) {
    const CellRect box = DialogBox(dialog, canvas.Cols(), canvas.Rows());
    const CellRect client = ClientCells(box);
    canvas.ClipToScreen();
    canvas.Fill(box, Style::Plain);
    canvas.Frame(box, Style::Plain);
    PaintTitleBar(canvas, box, dialog.text, dialog.exStyle, active);

    canvas.ClipTo(client);
    std::optional<CellPos> caret;
    const Window* dropped = nullptr;
    // Bottom of the z-order first, so the controls on top are drawn over it.
    for (auto it = dialog.children.rbegin(); it != dialog.children.rend(); ++it) {
        const Window& control = **it;
        if (!control.visible) {
            continue;
        }
        const bool focused = active && dialog.focus == &control;
        if (auto at = PaintControl(canvas, control, client, focused, edit, scroll)) {
            caret = at;
        }
        if (control.kind == WindowKind::ComboBox && control.dropped) {
            dropped = &control;
        }
    }
    if (dropped) {
        PaintDropDownList(canvas, *dropped, ControlCells(*dropped, client));
        caret.reset();
    }
    canvas.ClipToScreen();
    if (caret && !(client.Contains(caret->col, caret->row) && caret->col < canvas.Cols() &&
                   caret->row < canvas.Rows())) {
        caret.reset();
    }
    return caret;
}

Hit HitTest(Window& dialog, int screenCols, int screenRows, const ListScroll& scroll, CellPos at) {
    const CellRect box = DialogBox(dialog, screenCols, screenRows);
    const CellRect client = ClientCells(box);
    Hit hit;
    for (const auto& child : dialog.children) {
        if (child->visible && child->kind == WindowKind::ComboBox && child->dropped) {
            const CellRect popup = DropDownCells(*child, ControlCells(*child, client), screenRows);
            const CellRect rows = Inside(popup);
            if (rows.Contains(at.col, at.row)) {
                hit.kind = Hit::Kind::DropDownItem;
                hit.control = child.get();
                hit.item = at.row - rows.row;
            }
            return hit;
        }
    }
    if (at.row == box.row) {
        for (const TitleButton& button : TitleButtons(dialog.exStyle, box)) {
            if (button.cells.Contains(at.col, at.row)) {
                hit.kind = Hit::Kind::TitleButton;
                hit.button = button.kind;
            }
        }
        return hit;
    }
    if (!client.Contains(at.col, at.row)) {
        return hit;
    }
    // The top of the z-order is what the user sees, and so what is clicked.
    for (const auto& child : dialog.children) {
        const CellRect cells = ShownCells(*child, client);
        if (!child->visible || !cells.Contains(at.col, at.row)) {
            continue;
        }
        hit.kind = Hit::Kind::Control;
        hit.control = child.get();
        if (child->kind == WindowKind::ListBox) {
            const CellRect rows = ListRows(*child, cells);
            const int items = static_cast<int>(child->items.size());
            const auto shown = scroll.find(child.get());
            const int first = shown == scroll.end() ? 0 : shown->second;
            const int index = first + at.row - rows.row;
            if (rows.Contains(at.col, at.row) && index < items) {
                hit.item = index;
            }
        }
        return hit;
    }
    return hit;
}

MessageBoxView LayOutMessageBox(const std::wstring& text, int screenCols, int screenRows) {
    constexpr int kMaxTextWidth = 60;
    constexpr int kMinTextWidth = 16;
    const int width = std::max(1, std::min(kMaxTextWidth, screenCols - 4));
    MessageBoxView view;
    view.lines = WrapText(text, width);
    int longest = kMinTextWidth;
    for (const auto& line : view.lines) {
        longest = std::max(longest, Length(line));
    }
    // Frame, one blank column on each side; title, a blank row, the text,
    // a blank row, the button row and the bottom frame.
    view.box.cols = longest + 4;
    view.box.rows = static_cast<int>(view.lines.size()) + 5;
    view.box.col = std::max(0, (screenCols - view.box.cols) / 2);
    view.box.row = std::max(0, (screenRows - view.box.rows) / 2);
    constexpr int kButtonWidth = 8;
    view.okButton = {view.box.col + (view.box.cols - kButtonWidth) / 2, view.box.Bottom() - 2,
                     kButtonWidth, 1};
    view.closeButton = TitleButtons(0, view.box).back().cells;
    return view;
}

void PaintMessageBox(Canvas& canvas, const MessageBoxView& view, const std::wstring& title) {
    canvas.ClipToScreen();
    canvas.Fill(view.box, Style::Plain);
    canvas.Frame(view.box, Style::Plain);
    PaintTitleBar(canvas, view.box, title, 0, true);
    canvas.ClipTo(ClientCells(view.box));
    for (size_t i = 0; i < view.lines.size(); ++i) {
        canvas.Text(view.box.col + 2, view.box.row + 2 + static_cast<int>(i), view.lines[i],
                    Style::Plain, view.box.cols - 4);
    }
    canvas.Text(view.okButton.col, view.okButton.row, ButtonLabel(L"OK", view.okButton.cols),
                Style::Focus, view.okButton.cols);
    canvas.ClipToScreen();
}
