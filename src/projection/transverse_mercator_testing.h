// SPDX-License-Identifier: MIT
// Test access to the Transverse Mercator parameter set: every stored value, and
// the way back to the values the process starts with. The program never
// includes this header.
#pragma once

namespace TransverseMercator {

struct ParameterSet {
    double a;
    double f;
    double e2;
    double ep2;
    double scaleFactor;
    double A0;
    double A2;
    double A4;
    double A6;
    double A8;
    double deltaEasting;
    double deltaNorthing;
    double originLatitude;
    double centralMeridian;
    double falseEasting;
    double falseNorthing;
};

ParameterSet CurrentParameterSet();

// Back to the start-up values, with nothing of an earlier set-up kept for reuse.
void ResetParameterSet();

}  // namespace TransverseMercator
