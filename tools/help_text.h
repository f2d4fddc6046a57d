// SPDX-License-Identifier: MIT
// The text of quillpost-geo --help: the grammar in brief, the commands with
// their arguments, and examples.
#pragma once

#include <cstdio>

void PrintHelp(std::FILE* out);
