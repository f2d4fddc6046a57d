// SPDX-License-Identifier: MIT
// The Windows program's command line as the system holds it, in wide text:
// the narrow arguments that main gets are in the ANSI code page, which loses
// every letter it lacks (a card at "E:\Łódź").
#pragma once

#include <string>
#include <vector>

// The program's arguments, its own name first, as UTF-8.
std::vector<std::string> WideArguments();
