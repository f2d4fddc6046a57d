// SPDX-License-Identifier: MIT
// Fuzzes the GPX reader and the import on arbitrary file contents. Besides
// running clean: a refused file holds nothing; an accepted one gives every
// point it counts, each on the Earth or refused with a reason; and every line
// an import makes is a route line that reads back to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gpx/gpx_import.h"
#include "gpx/gpx_reader.h"
#include "property_check.h"
#include "route/route_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const GpxReading gpx(std::vector<char>(data, data + size));
    if (!gpx.refusal().empty()) {
        Check(gpx.routes().empty() && gpx.waypoints() == 0 && gpx.tracks() == 0,
              "a refused file holds nothing");
        return 0;
    }
    std::size_t visited = 0;
    gpx.VisitWaypoints([&visited](const GpxPoint&) { ++visited; });
    Check(visited == gpx.waypoints(), "every waypoint counted is visited");

    GpxImport import;
    std::string refusal;
    const GpxChoice choices[] = {{GpxChoice::Kind::Automatic, ""},
                                 {GpxChoice::Kind::Waypoints, ""},
                                 {GpxChoice::Kind::Route, "1"}};
    for (const GpxChoice& choice : choices) {
        if (!PrepareGpxImport(gpx, choice, import, refusal)) {
            Check(!refusal.empty() && import.lines.empty(),
                  "a refused import says why, has no lines");
            continue;
        }
        std::size_t lines = 0;
        for (std::size_t at = 0; at < import.lines.size(); ++lines) {
            const std::size_t end = import.lines.find('\n', at) + 1;
            Check(end != 0, "every line ends in a line feed");
            const std::string_view line(import.lines.data() + at, end - at);
            Check(ReadRouteLine(line).has_value(), "every imported line reads back");
            at = end;
        }
        Check(lines == import.points, "one line per point");
    }
    return 0;
}
