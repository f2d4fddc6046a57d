// The two ways quillpost-geo reads and writes numbers: normal mode speaks
// degrees and rounded metres; raw mode speaks the library's radians and
// prints every double so that it reads back to the same bits.
#pragma once

enum class Mode { Normal, Raw };

// The program's own degree factors (pi from 4 * atan(1.0)), so that a degree
// typed here becomes the radian value the entry form would pass on.
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
