// SPDX-License-Identifier: MIT
#include "backends/terminal/terminal_backend.h"

#include <optional>

#include "framework/dialog.h"
#include "framework/user_input.h"
#include "framework/win_app.h"

namespace {

bool ClosesMessageBox(Key key) {
    return key == Key::Enter || key == Key::Escape || key == Key::F10;
}

bool IsClick(const TerminalInput& input) {
    return input.kind == TerminalInput::Kind::Click ||
           input.kind == TerminalInput::Kind::DoubleClick;
}

}  // namespace

int TerminalBackend::ScreenWidth() const {
    return m_screen.Cols() * kCellWidth;
}

int TerminalBackend::ScreenHeight() const {
    return m_screen.Rows() * kCellHeight;
}

void TerminalBackend::Draw(const EditState* edit, const MessageBoxView* messageBox,
                           const std::wstring& messageTitle) {
    Canvas canvas(m_screen.Cols(), m_screen.Rows());
    const auto& stack = ModalStack();
    std::optional<CellPos> caret;
    for (const Window* dialog : stack) {
        const bool active = edit && dialog == stack.back();
        caret = PaintDialog(canvas, *dialog, active, active ? *edit : EditState{}, m_scroll);
    }
    if (messageBox) {
        PaintMessageBox(canvas, *messageBox, messageTitle);
        caret.reset();
    }
    m_screen.Show(canvas, caret);
}

void TerminalBackend::RunModal(CDialog& dialog) {
    Window& window = *dialog.m_hWnd;
    EditState edit;
    while (!dialog.ModalEnded()) {
        FollowFocus(edit, window);
        Draw(&edit, nullptr, {});
        const TerminalInput input = m_keyboard.Read();
        switch (input.kind) {
            case TerminalInput::Kind::Key:
                HandleKey(window, edit, input.key);
                break;
            case TerminalInput::Kind::Click:
            case TerminalInput::Kind::DoubleClick:
                HandleClick(window, edit,
                            HitTest(window, m_screen.Cols(), m_screen.Rows(), m_scroll, input.at),
                            input.kind == TerminalInput::Kind::DoubleClick);
                break;
            case TerminalInput::Kind::Paste:
                HandlePaste(window, edit, input.pasted);
                break;
            case TerminalInput::Kind::Lost:
                // Nobody will answer: leave as with Esc.
                UserInput::Cancel(window);
                break;
            case TerminalInput::Kind::Nothing:
                break;
        }
    }
    for (const auto& control : window.children) {
        m_scroll.erase(control.get());
    }
}

void TerminalBackend::ShowMessageBox(const wchar_t* text) {
    const CWinApp* app = AfxGetApp();
    const std::wstring title = app ? app->GetTitle() : std::wstring();
    for (;;) {
        const MessageBoxView view = LayOutMessageBox(text, m_screen.Cols(), m_screen.Rows());
        Draw(nullptr, &view, title);
        const TerminalInput input = m_keyboard.Read();
        const bool key = input.kind == TerminalInput::Kind::Key &&
                         (ClosesMessageBox(input.key.key) ||
                          (input.key.key == Key::Char && input.key.ch == L' '));
        const bool click =
            IsClick(input) && (view.okButton.Contains(input.at.col, input.at.row) ||
                               view.closeButton.Contains(input.at.col, input.at.row));
        if (key || click || input.kind == TerminalInput::Kind::Lost) {
            return;
        }
    }
}
