// SPDX-License-Identifier: MIT
// Reading the description of the terminal that ncurses has set up.
#pragma once

// A string capability of the terminal's description, nullptr when it has none.
const char* StringCapability(const char* name);
