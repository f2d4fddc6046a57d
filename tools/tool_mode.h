// SPDX-License-Identifier: MIT
// The two ways quillpost-geo reads and writes numbers: normal mode speaks
// degrees and rounded metres; raw mode speaks the library's radians and
// prints every double so that it reads back to the same bits. Degrees and
// radians are turned into each other with the program's own factors, so that
// a degree typed here becomes the radian value the entry form would pass on.
#pragma once

enum class Mode { Normal, Raw };
