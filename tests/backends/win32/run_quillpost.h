// SPDX-License-Identifier: MIT
// The program as quillpost.exe runs it, for a test that drives its Win32
// dialogs from inside: the application object's form on the Win32 backend.
// Apart from the test's side, which speaks to Windows, since the framework's
// names clash with those of <windows.h>.
#pragma once

// Runs the application until its form ends; returns the exit status.
int RunQuillpost();
