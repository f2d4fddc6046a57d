// SPDX-License-Identifier: MIT
// The points of a GPX file as route lines: which points (one route or the
// waypoints), their names as the form would give them, each position on the
// road of a point typed in decimal degrees, all checked before any is used.
#pragma once

#include <cstddef>
#include <string>

#include "gpx/gpx_reader.h"

struct GpxChoice {
    enum class Kind { Automatic, Route, Waypoints } kind = Kind::Automatic;
    // For Route: the route's name, or its number (from 1) when no route is
    // named so.
    std::string route;
};

struct GpxImport {
    std::string source;     // what is imported: "route 'Tour A'" or "the waypoints" (UTF-8)
    std::size_t route = 0;  // the route's number, from 1; 0 for the waypoints
    std::string routeName;  // UTF-8; empty for the waypoints and a route without one
    std::string lines;      // the route lines, each ending in '\n', for one append
    std::size_t points = 0;
    std::size_t namesMade = 0;           // from cmt or desc, or numbered
    std::size_t charactersReplaced = 0;  // by '?': the device's code page lacks them
};

// What the file holds, as the refusal of an unclear choice lists it:
// "2 routes: Tour A (12 points), Tour B (3 points); 40 waypoints".
std::string DescribeGpxContent(const GpxReading& gpx);

// The import the choice names, or the reason there is none in `refusal`
// (a file that is not read, an unclear or unknown choice, a point off the
// Earth). With no choice: the one route, else the waypoints when there is
// no route.
bool PrepareGpxImport(const GpxReading& gpx, const GpxChoice& choice, GpxImport& import,
                      std::string& refusal);

// The one-line summary of an import: the points, the names made and the
// characters replaced.
std::string SummariseGpxImport(const GpxImport& import);
