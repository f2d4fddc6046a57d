// SPDX-License-Identifier: MIT
// A Windows program with windows has no console of its own: what it prints
// reaches the console it was started from only once it is attached to it.
#pragma once

// Attaches standard output and error to the console of the process that
// started the program, if it has one; else they stay as they are.
void UseParentConsole();
