#include "platform/windows/terminal/terminal_backend.h"

#include <curses.h>
#include <term.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>

#include "platform/windows/dialog.h"
#include "platform/windows/terminal/glyphs.h"
#include "platform/windows/terminal/key_map.h"
#include "platform/windows/user_input.h"
#include "platform/windows/win_app.h"

namespace {

// Set while ncurses owns the terminal; the signal handlers look at it.
volatile std::sig_atomic_t g_cursesActive = 0;

// Termination and crash signals: each gives the terminal back and then
// ends the program as the signal would have without us.
constexpr int kFatalSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV,
                                 SIGBUS, SIGFPE,  SIGILL, SIGABRT};

// Esc on its own must not wait the second ncurses gives an escape sequence.
constexpr int kEscapeDelayMs = 25;

void RestoreTerminal() {
    if (g_cursesActive) {
        g_cursesActive = 0;
        endwin();
    }
}

// Installed with SA_RESETHAND: the signal raised again takes its default action.
extern "C" void OnFatalSignal(int signal) {
    RestoreTerminal();
    std::raise(signal);
}

void InstallSignalHandlers() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int signal : kFatalSignals) {
        sigaction(signal, &action, nullptr);
    }
    std::atexit(RestoreTerminal);
}

// The code ncurses gives Alt+Down, from the terminal's description; 0 when
// the terminal describes none.
int AltDownCode() {
    char capability[] = "kDN3";
    const char* sequence = tigetstr(capability);
    if (!sequence || sequence == reinterpret_cast<char*>(-1)) {
        return 0;
    }
    const int code = key_defined(sequence);
    return code > 0 ? code : 0;
}

attr_t Attributes(Style style) {
    switch (style) {
        case Style::Plain:
            return A_NORMAL;
        case Style::Title:
            return A_BOLD;
        case Style::Field:
            return A_UNDERLINE;
        case Style::Focus:
            return A_REVERSE;
        case Style::Marked:
            return A_REVERSE | A_UNDERLINE;
        case Style::Selected:
            return A_BOLD | A_UNDERLINE;
        case Style::Disabled:
            return A_DIM;
    }
    return A_NORMAL;
}

void CopyToScreen(const Canvas& canvas) {
    for (int row = 0; row < canvas.Rows(); ++row) {
        for (int col = 0; col < canvas.Cols(); ++col) {
            const Cell& cell = canvas.At(col, row);
            const wchar_t text[] = {CharacterToShow(cell.ch), L'\0'};
            cchar_t shown;
            setcchar(&shown, text, Attributes(cell.style), 0, nullptr);
            // The bottom-right cell reports an error for the cursor that
            // cannot move past it, but is drawn.
            mvadd_wch(row, col, &shown);
        }
    }
}

bool ClosesMessageBox(Key key) {
    return key == Key::Enter || key == Key::Escape || key == Key::F10;
}

// Reads one key as get_wch does: OK with a character, KEY_CODE_YES with a
// function key, or ERR. In a locale of single-byte characters each byte is
// a character of its own; ncurses' wide reading would instead swallow the
// keys after a byte the locale does not know (an umlaut typed in UTF-8
// under the "C" locale).
int ReadKey(wint_t* code) {
    if (MB_CUR_MAX > 1) {
        return get_wch(code);
    }
    const int key = getch();
    if (key == ERR || key >= KEY_MIN) {
        *code = static_cast<wint_t>(key);
        return key == ERR ? ERR : KEY_CODE_YES;
    }
    const wint_t wide = btowc(key);
    *code = wide == WEOF ? 0 : wide;
    return OK;
}

}  // namespace

TerminalBackend::~TerminalBackend() {
    Close();
}

bool TerminalBackend::Open() {
    if (m_screen) {
        return true;
    }
    std::setlocale(LC_ALL, "");
    // Numbers are read and written with a decimal point, whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        return false;
    }
    // Ours before ncurses starts, so that ncurses keeps its hands off them.
    InstallSignalHandlers();
    m_screen = newterm(nullptr, stdout, stdin);
    if (!m_screen) {
        return false;
    }
    g_cursesActive = 1;
    // cbreak, not raw: Ctrl+C stays the interrupt that ends the program.
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    curs_set(0);
    mousemask(BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED, nullptr);
    m_altDownCode = AltDownCode();
    return true;
}

void TerminalBackend::Close() {
    if (!m_screen) {
        return;
    }
    RestoreTerminal();
    delscreen(m_screen);
    m_screen = nullptr;
}

int TerminalBackend::ScreenWidth() const {
    return COLS * kCellWidth;
}

int TerminalBackend::ScreenHeight() const {
    return LINES * kCellHeight;
}

TerminalBackend::Input TerminalBackend::ReadInput() {
    // A read that fails again and again means the keyboard is gone (standard
    // input closed); a single failure is a stray byte or an interruption.
    constexpr int kFailuresUntilLost = 100;
    Input input;
    wint_t code = 0;
    const int status = ReadKey(&code);
    if (status == ERR) {
        if (++m_failedReads >= kFailuresUntilLost) {
            input.kind = Input::Kind::Lost;
        }
        return input;
    }
    m_failedReads = 0;
    if (status == KEY_CODE_YES && code == KEY_MOUSE) {
        MEVENT event;
        if (getmouse(&event) == OK) {
            input.at = {event.x, event.y};
            if (event.bstate & BUTTON1_DOUBLE_CLICKED) {
                input.kind = Input::Kind::DoubleClick;
            } else if (event.bstate & BUTTON1_CLICKED) {
                input.kind = Input::Kind::Click;
            }
        }
        return input;
    }
    if (status == KEY_CODE_YES && code == KEY_RESIZE) {
        return input;  // nothing to do but draw again
    }
    input.kind = Input::Kind::Key;
    input.key = TranslateKey(status == KEY_CODE_YES, code, m_altDownCode);
    if (input.key.key == Key::Escape) {
        // A terminal without its own Alt+Down code sends Esc before Down.
        nodelay(stdscr, TRUE);
        wint_t next = 0;
        const int nextStatus = ReadKey(&next);
        nodelay(stdscr, FALSE);
        if (nextStatus == KEY_CODE_YES && next == KEY_DOWN) {
            input.key = {Key::AltDown};
        } else if (nextStatus == KEY_CODE_YES) {
            ungetch(static_cast<int>(next));
        } else if (nextStatus == OK) {
            unget_wch(static_cast<wchar_t>(next));
        }
    }
    return input;
}

void TerminalBackend::Draw(const EditState* edit, const MessageBoxView* messageBox,
                           const std::wstring& messageTitle) {
    Canvas canvas(COLS, LINES);
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
    CopyToScreen(canvas);
    curs_set(caret ? 1 : 0);
    if (caret) {
        move(caret->row, caret->col);
    }
    refresh();
}

void TerminalBackend::RunModal(CDialog& dialog) {
    Window& window = *dialog.m_hWnd;
    EditState edit;
    while (!dialog.ModalEnded()) {
        FollowFocus(edit, window);
        Draw(&edit, nullptr, {});
        const Input input = ReadInput();
        switch (input.kind) {
            case Input::Kind::Key:
                HandleKey(window, edit, input.key);
                break;
            case Input::Kind::Click:
            case Input::Kind::DoubleClick:
                HandleClick(window, edit, HitTest(window, COLS, LINES, m_scroll, input.at),
                            input.kind == Input::Kind::DoubleClick);
                break;
            case Input::Kind::Lost:
                // Without a keyboard nobody can answer: leave as with Esc.
                UserInput::Cancel(window);
                break;
            case Input::Kind::Nothing:
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
        const MessageBoxView view = LayOutMessageBox(text, COLS, LINES);
        Draw(nullptr, &view, title);
        const Input input = ReadInput();
        const bool key = input.kind == Input::Kind::Key &&
                         (ClosesMessageBox(input.key.key) ||
                          (input.key.key == Key::Char && input.key.ch == L' '));
        const bool click =
            (input.kind == Input::Kind::Click || input.kind == Input::Kind::DoubleClick) &&
            (view.okButton.Contains(input.at.col, input.at.row) ||
             view.closeButton.Contains(input.at.col, input.at.row));
        if (key || click || input.kind == Input::Kind::Lost) {
            return;
        }
    }
}
