// SPDX-License-Identifier: MIT
// Runs the application on a backend, the same way in the terminal program
// and in the window program.
#pragma once

#include "framework/backend.h"

// Hands the program's resources and the backend to the framework and runs
// the application; returns the exit status.
int RunProgram(Backend& backend);
// The program in the terminal; status 1 with a message when the terminal
// cannot show the form, 128 + the signal when a signal ended it.
int RunInTerminal();
// Says on standard error that the settings could not be saved, where and
// why; called once the screen is given back, so that the message stays.
void ReportUnsavedSettings();
// The status of a program that ended: 128 + the signal when SIGHUP, SIGTERM
// or SIGINT ended it, else the status given.
int StatusAfterEndSignal(int status);
