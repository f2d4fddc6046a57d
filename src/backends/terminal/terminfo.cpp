// SPDX-License-Identifier: MIT
#include "backends/terminal/terminfo.h"

#include <curses.h>
#include <term.h>

#include <string>

const char* StringCapability(const char* name) {
    std::string copy = name;  // older ncurses declares the name without const
    const char* value = tigetstr(copy.data());
    return value == reinterpret_cast<char*>(-1) ? nullptr : value;
}
