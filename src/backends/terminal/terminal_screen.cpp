// SPDX-License-Identifier: MIT
#include "backends/terminal/terminal_screen.h"

#include <curses.h>
#include <term.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "backends/terminal/glyphs.h"
#include "backends/terminal/terminfo.h"
#include "framework/end_signals.h"

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

// Bracketed paste: the terminal marks what is pasted, so that a pasted
// position reaches the form whole and not as keys, where a line break in it
// would be Enter. Terminals that do not know the mode ignore it.
const char* PasteMode(bool on) {
    if (const char* sequence = StringCapability(on ? "BE" : "BD")) {
        return sequence;
    }
    return on ? "\033[?2004h" : "\033[?2004l";
}

void RestoreTerminal() {
    if (g_cursesActive) {
        g_cursesActive = 0;
        putp(PasteMode(false));
        std::fflush(stdout);
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

// What endwin would send to give the terminal back, worked out while it is
// safe to ask the terminal's description: mouse reporting and bracketed
// paste off, the keypad in
// its normal mode, plain text, the cursor shown, the normal screen.
void PrepareResetSequence(bool mouse) {
    std::string reset;
    if (mouse) {
        const char* mouseMode = StringCapability("XM");
        reset += mouseMode ? tiparm(mouseMode, 0) : "\033[?1000l";
    }
    reset += PasteMode(false);
    for (const char* name : {"rmkx", "sgr0", "cnorm", "rmcup"}) {
        if (const char* value = StringCapability(name)) {
            reset += value;
        }
    }
    g_resetLength = std::min(reset.size(), sizeof g_resetSequence);
    std::copy_n(reset.data(), g_resetLength, g_resetSequence);
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

}  // namespace

TerminalScreen::~TerminalScreen() {
    Close();
}

std::string TerminalScreen::Open(TerminalKeyboard& keyboard) {
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
    curs_set(0);
    PrepareResetSequence(keyboard.Start());
    // putp goes through the standard output's buffer, not ncurses' own.
    putp(PasteMode(true));
    std::fflush(stdout);
    return {};
}

void TerminalScreen::Close() {
    if (!m_screen) {
        return;
    }
    RestoreTerminal();
    delscreen(m_screen);
    m_screen = nullptr;
}

int TerminalScreen::Cols() const {
    return COLS;
}

int TerminalScreen::Rows() const {
    return LINES;
}

void TerminalScreen::Show(const Canvas& canvas, std::optional<CellPos> caret) {
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
    curs_set(caret ? 1 : 0);
    if (caret) {
        move(caret->row, caret->col);
    }
    refresh();
}
