// SPDX-License-Identifier: MIT
#include "backends/terminal/terminal_backend.h"

#include <curses.h>
#include <poll.h>
#include <term.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <string>

#include "framework/dialog.h"
#include "framework/end_signals.h"
#include "backends/terminal/glyphs.h"
#include "backends/terminal/key_map.h"
#include "framework/user_input.h"
#include "framework/win_app.h"

namespace {

// Set while ncurses owns the terminal; the signal handlers look at it.
volatile std::sig_atomic_t g_cursesActive = 0;

// Crash signals: the terminal is given back with calls that are safe in a
// signal handler, from what was saved before ncurses took it over, and the
// program dies as the signal would have without us.
constexpr int kCrashSignals[] = {SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
termios g_shellModes{};
char g_resetSequence[256];
std::size_t g_resetLength = 0;

// How long the rest of a key's sequence may take to follow its Esc. A key's
// bytes usually travel together, but a slow or busy link (SSH over a mobile
// connection, a loaded machine) can split them; a sequence cut short is
// swallowed rather than taken for Esc, yet a key can only work if it arrives
// whole within this time. 400 ms leaves a wide margin over the gaps seen on
// such links (tens of milliseconds, 80 ms in our tests) and is still a short
// pause for Esc, which has to wait this long to be sure it stands alone.
constexpr int kEscapeDelayMs = 400;

void RestoreTerminal() {
    if (g_cursesActive) {
        g_cursesActive = 0;
        endwin();
    }
}

void RestoreTerminalFromSignal() {
    if (g_cursesActive) {
        g_cursesActive = 0;
        tcsetattr(STDOUT_FILENO, TCSANOW, &g_shellModes);
        // Nothing to do about a terminal that takes no more output.
        [[maybe_unused]] const ssize_t written =
            write(STDOUT_FILENO, g_resetSequence, g_resetLength);
    }
}

extern "C" void OnCrashSignal(int signal) {
    RestoreTerminalFromSignal();
    std::signal(signal, SIG_DFL);
    // Blocked until the handler returns; then it takes its default action.
    std::raise(signal);
}

void InstallSignalHandlers() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    // An ending signal cancels the dialogs, so that the program ends the way
    // Cancel ends it, settings written and terminal restored.
    EndSignals::Install();
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = OnCrashSignal;
    for (int signal : kCrashSignals) {
        sigaction(signal, &action, nullptr);
    }
    std::atexit(RestoreTerminal);
}

// A string capability of the terminal's description, nullptr when it has none.
const char* StringCapability(const char* name) {
    std::string copy = name;  // older ncurses declares the name without const
    const char* value = tigetstr(copy.data());
    return value == reinterpret_cast<char*>(-1) ? nullptr : value;
}

// What endwin would send to give the terminal back, worked out while it is
// safe to ask the terminal's description: mouse reporting off, the keypad in
// its normal mode, plain text, the cursor shown, the normal screen.
void PrepareResetSequence(bool mouse) {
    std::string reset;
    if (mouse) {
        const char* mouseMode = StringCapability("XM");
        reset += mouseMode ? tiparm(mouseMode, 0) : "\033[?1000l";
    }
    for (const char* name : {"rmkx", "sgr0", "cnorm", "rmcup"}) {
        if (const char* value = StringCapability(name)) {
            reset += value;
        }
    }
    g_resetLength = std::min(reset.size(), sizeof g_resetSequence);
    std::copy_n(reset.data(), g_resetLength, g_resetSequence);
}

// Waits until the keyboard has something to read or an ending signal came;
// true for the keyboard. A resize interrupts the wait too, and ncurses then
// reports it as a key.
bool WaitForKeyboard() {
    const int wakeUp = EndSignals::WakeUpDescriptor();
    pollfd watched[] = {{STDIN_FILENO, POLLIN, 0}, {wakeUp, POLLIN, 0}};
    return poll(watched, wakeUp < 0 ? 1 : 2, -1) > 0 && watched[0].revents != 0;
}

// Why the terminal named by TERM cannot show the form, empty when it can.
// ncurses alone would only fail, and the user would not learn that TERM is
// the thing to change.
std::string TerminalTypeProblem() {
    const char* type = std::getenv("TERM");
    constexpr const char* kExample = "for example TERM=xterm-256color";
    if (!type || !*type) {
        return std::string("TERM is not set: set it to the type of your terminal, ") + kExample;
    }
    int found = 0;
    if (setupterm(nullptr, STDOUT_FILENO, &found) != OK) {
        if (found == 0) {
            return "the terminal type '" + std::string(type) +
                   "' (TERM) is not known on this system: set TERM to the type of your "
                   "terminal, " +
                   kExample;
        }
        return "the terminal descriptions (terminfo) cannot be found: install ncurses-base";
    }
    const bool placesCursor = StringCapability("cup") != nullptr;
    del_curterm(cur_term);
    if (!placesCursor) {
        return "the terminal type '" + std::string(type) +
               "' (TERM) cannot place the cursor, which the form needs: use a full-screen "
               "terminal, " +
               kExample;
    }
    return {};
}

// The code ncurses gives Alt+Down, from the terminal's description; 0 when
// the terminal describes none.
int AltDownCode() {
    const char* sequence = StringCapability("kDN3");
    if (!sequence) {
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

// What follows an Esc: the first read takes only what has come with it,
// the rest of a sequence may take up to the escape delay to arrive.
KeyRead ReadFollowing(bool wait) {
    wtimeout(stdscr, wait ? kEscapeDelayMs : 0);
    wint_t code = 0;
    const int status = ReadKey(&code);
    nodelay(stdscr, TRUE);
    if (status == ERR) {
        return {};
    }
    return {status == KEY_CODE_YES ? KeyRead::Kind::FunctionKey : KeyRead::Kind::Character, code};
}

void GiveBack(const KeyRead& read) {
    if (read.kind == KeyRead::Kind::FunctionKey) {
        ungetch(static_cast<int>(read.code));
    } else if (read.kind == KeyRead::Kind::Character) {
        unget_wch(static_cast<wchar_t>(read.code));
    }
}

}  // namespace

TerminalBackend::~TerminalBackend() {
    Close();
}

std::string TerminalBackend::Open() {
    if (m_screen) {
        return {};
    }
    std::setlocale(LC_ALL, "");
    // Numbers are read and written with a decimal point, whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        return "standard input and output must be a terminal";
    }
    if (std::string problem = TerminalTypeProblem(); !problem.empty()) {
        return problem;
    }
    // Ours before ncurses starts, so that ncurses keeps its hands off them.
    InstallSignalHandlers();
    tcgetattr(STDOUT_FILENO, &g_shellModes);
    m_screen = newterm(nullptr, stdout, stdin);
    if (!m_screen) {
        return "the terminal cannot be set up";
    }
    g_cursesActive = 1;
    // cbreak, not raw: Ctrl+C stays the interrupt that ends the program.
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    // The loop waits for keys itself (WaitForKeyboard), so that a signal
    // can wake it; ncurses only hands out what has arrived.
    nodelay(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    curs_set(0);
    const bool mouse = mousemask(BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED, nullptr) != 0;
    PrepareResetSequence(mouse);
    m_altDownCode = AltDownCode();
    return {};
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
    // A read that fails again and again while the keyboard is said to be
    // ready means it is gone (standard input closed, the terminal hung up);
    // a single failure is a stray byte or an interruption.
    constexpr int kFailuresUntilLost = 100;
    Input input;
    wint_t code = 0;
    int status = ERR;
    bool keyboardReady = false;
    while (!EndSignals::Received()) {
        status = ReadKey(&code);
        if (status != ERR) {
            break;
        }
        if (keyboardReady && ++m_failedReads >= kFailuresUntilLost) {
            input.kind = Input::Kind::Lost;
            return input;
        }
        keyboardReady = WaitForKeyboard();
    }
    if (EndSignals::Received()) {
        input.kind = Input::Kind::Lost;
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
    if (status == OK && input.key.key == Key::Escape) {
        input.key = ReadAfterEscape(ReadFollowing, GiveBack);
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
                // Nobody will answer: leave as with Esc.
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
