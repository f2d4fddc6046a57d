// SPDX-License-Identifier: MIT
// Batch mode: commands read from standard input, one per line, each answered
// by exactly one output line in order, with the library's module state going
// on from line to line.
#pragma once

#include "tool_mode.h"

// Returns the exit status, 0 at the end of the input.
int RunBatch(Mode mode);
