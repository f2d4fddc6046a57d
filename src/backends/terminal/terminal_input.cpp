// SPDX-License-Identifier: MIT
#include "backends/terminal/terminal_input.h"

#include <curses.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>

#include "backends/terminal/key_map.h"
#include "backends/terminal/terminfo.h"
#include "framework/end_signals.h"

namespace {

// Waits until the keyboard has something to read or an ending signal came;
// true for the keyboard. A resize interrupts the wait too, and ncurses then
// reports it as a key.
bool WaitForKeyboard() {
    const int wakeUp = EndSignals::WakeUpDescriptor();
    pollfd watched[] = {{STDIN_FILENO, POLLIN, 0}, {wakeUp, POLLIN, 0}};
    return poll(watched, wakeUp < 0 ? 1 : 2, -1) > 0 && watched[0].revents != 0;
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

bool TerminalKeyboard::Start() {
    keypad(stdscr, TRUE);
    // Read waits for keys itself (WaitForKeyboard), so that a signal can
    // wake it; ncurses only hands out what has arrived.
    nodelay(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    m_altDownCode = AltDownCode();
    return mousemask(BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED, nullptr) != 0;
}

TerminalInput TerminalKeyboard::Read() {
    // A read that fails again and again while the keyboard is said to be
    // ready means it is gone (standard input closed, the terminal hung up);
    // a single failure is a stray byte or an interruption.
    constexpr int kFailuresUntilLost = 100;
    TerminalInput input;
    wint_t code = 0;
    int status = ERR;
    bool keyboardReady = false;
    while (!EndSignals::Received()) {
        status = ReadKey(&code);
        if (status != ERR) {
            break;
        }
        if (keyboardReady && ++m_failedReads >= kFailuresUntilLost) {
            input.kind = TerminalInput::Kind::Lost;
            return input;
        }
        keyboardReady = WaitForKeyboard();
    }
    if (EndSignals::Received()) {
        input.kind = TerminalInput::Kind::Lost;
        return input;
    }
    m_failedReads = 0;
    if (status == KEY_CODE_YES && code == KEY_MOUSE) {
        MEVENT event;
        if (getmouse(&event) == OK) {
            input.at = {event.x, event.y};
            if (event.bstate & BUTTON1_DOUBLE_CLICKED) {
                input.kind = TerminalInput::Kind::DoubleClick;
            } else if (event.bstate & BUTTON1_CLICKED) {
                input.kind = TerminalInput::Kind::Click;
            }
        }
        return input;
    }
    if (status == KEY_CODE_YES && code == KEY_RESIZE) {
        return input;  // nothing to do but draw again
    }
    input.kind = TerminalInput::Kind::Key;
    input.key = TranslateKey(status == KEY_CODE_YES, code, m_altDownCode);
    if (status == OK && input.key.key == Key::Escape) {
        EscapeRead after = ReadAfterEscape(ReadFollowing, GiveBack);
        input.key = after.key;
        if (after.paste) {
            input.kind = TerminalInput::Kind::Paste;
            input.pasted = std::move(*after.paste);
        }
    }
    return input;
}
