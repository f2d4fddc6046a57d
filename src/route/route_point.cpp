// SPDX-License-Identifier: MIT
#include "route/route_point.h"

const char* const EmptyNameMessages[2] = {
    "Der Name darf nicht leer seit!",
    "The Name must not be empty!",
};

const char* const UnsoundPositionMessages[2] = {
    "Die Position liegt nicht auf der Erde: Die Breite muss zwischen -90 und 90 Grad liegen, "
    "die L\xE4nge zwischen -180 und 180 Grad.",
    "The position is not on the Earth: the latitude must lie between -90 and 90 degrees, the "
    "longitude between -180 and 180 degrees.",
};

bool IsSoundPosition(double latitude, double longitude) {
    // Written so that NaN, which fails every comparison, is refused too.
    return latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
}
