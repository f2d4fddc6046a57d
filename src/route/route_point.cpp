// SPDX-License-Identifier: MIT
#include "route/route_point.h"

#include <cmath>

const char* const EmptyNameMessages[2] = {
    "Der Name darf nicht leer seit!",
    "The Name must not be empty!",
};

bool IsFinitePosition(double latitude, double longitude) {
    return std::isfinite(latitude) && std::isfinite(longitude);
}
