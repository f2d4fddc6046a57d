// Runs the application on a backend, the same way in the terminal program
// and in the window program.
#pragma once

#include "platform/backend.h"

// Hands the program's resources and the backend to the framework and runs
// the application; returns the exit status.
int RunProgram(Backend& backend);
// The program in the terminal; status 1 with a message when standard input
// and output are not a terminal.
int RunInTerminal();
