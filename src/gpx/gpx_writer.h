// SPDX-License-Identifier: MIT
// A route file's points as one GPX 1.1 route, the form in which the tools
// that plan routes take them: valid against GPX 1.1's schema.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "route/route_line.h"

// The GPX 1.1 document (UTF-8) of one route named `name` (UTF-8) holding the
// points in their order, each with its name and position as the route line
// has them.
std::string WriteGpxRoute(std::string_view name, const std::vector<RoutePoint>& points);
