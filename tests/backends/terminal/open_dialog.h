// SPDX-License-Identifier: MIT
// Helpers of the terminal tests: open one of the program's dialogs through
// the headless backend and act on its windows while it is open, and read a
// canvas back as text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/dialog.h"
#include "support/headless/headless.h"
#include "backends/terminal/dialog_painter.h"
#include "res/resources.h"

// Runs body while the dialog is open; cancels the dialog afterwards if body
// has not ended it.
inline void WhileOpen(CDialog& dialog, const std::function<void(Window&)>& body) {
    Headless ui(QuillpostResources());
    ui.OnDialog(static_cast<int>(dialog.TemplateId()), [&](HeadlessDialog& d) {
        body(*d.Dialog().m_hWnd);
        if (!d.Dialog().ModalEnded()) {
            d.Cancel();
        }
    });
    dialog.DoModal();
}

inline Window& Control(Window& dialog, int id) {
    Window* control = FindChild(dialog, id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return *control;
}

inline std::wstring RowText(const Canvas& canvas, int row) {
    std::wstring text;
    for (int col = 0; col < canvas.Cols(); ++col) {
        text += canvas.At(col, row).ch;
    }
    return text;
}

// Where the text first appears on the canvas.
inline std::optional<CellPos> Find(const Canvas& canvas, std::wstring_view text) {
    for (int row = 0; row < canvas.Rows(); ++row) {
        const size_t col = RowText(canvas, row).find(text);
        if (col != std::wstring::npos) {
            return CellPos{static_cast<int>(col), row};
        }
    }
    return std::nullopt;
}
