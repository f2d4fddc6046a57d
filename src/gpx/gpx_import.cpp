// SPDX-License-Identifier: MIT
#include "gpx/gpx_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "engine/position_engine.h"
#include "entry/add_point.h"
#include "entry/entry_fields.h"
#include "route/name_case.h"
#include "route/route_line.h"
#include "route/route_point.h"
#include "services/code_page.h"
#include "services/host_path.h"

namespace {

// A name made from a comment or description takes its first line, and no
// more than a name's worth of it: a description may be a whole paragraph.
constexpr std::size_t kMadeNameLength = 40;

std::string Quote(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string Count(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string RouteLabel(const GpxReading& gpx, std::size_t route) {
    const std::string& name = gpx.routes()[route].name;
    return name.empty() ? "route " + std::to_string(route + 1) + " (no name)" : Quote(name);
}

// The route the choice names: by name, else by number; why not otherwise.
std::optional<std::size_t> FindRoute(const GpxReading& gpx, const std::string& wanted,
                                     std::string& refusal) {
    const std::vector<GpxRoute>& routes = gpx.routes();
    const auto named = [&wanted](const GpxRoute& route) { return route.name == wanted; };
    const auto first = std::find_if(routes.begin(), routes.end(), named);
    if (first != routes.end()) {
        if (std::count_if(routes.begin(), routes.end(), named) > 1) {
            refusal = "more than one route is named " + Quote(wanted) +
                      "; choose one by its number: " + DescribeGpxContent(gpx);
            return std::nullopt;
        }
        return static_cast<std::size_t>(first - routes.begin());
    }
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (error == std::errc() && end == wanted.data() + wanted.size() && number >= 1 &&
        number <= routes.size()) {
        return number - 1;
    }
    refusal = "the file has no route " + Quote(wanted) + ": " + DescribeGpxContent(gpx);
    return std::nullopt;
}

// Which points the choice takes: a route's index, or routes().size() for the
// waypoints.
std::optional<std::size_t> Choose(const GpxReading& gpx, const GpxChoice& choice,
                                  std::string& refusal) {
    const std::size_t waypoints = gpx.routes().size();
    switch (choice.kind) {
        case GpxChoice::Kind::Route:
            return FindRoute(gpx, choice.route, refusal);
        case GpxChoice::Kind::Waypoints:
            if (gpx.waypoints() == 0) {
                refusal = "the file has no waypoints: " + DescribeGpxContent(gpx);
                return std::nullopt;
            }
            return waypoints;
        case GpxChoice::Kind::Automatic:
            break;
    }
    if (gpx.routes().size() == 1) {
        return 0;
    }
    if (gpx.routes().empty() && gpx.waypoints() > 0) {
        return waypoints;
    }
    if (gpx.routes().empty()) {
        refusal = gpx.tracks() > 0
                      ? "the file holds only tracks (" + std::to_string(gpx.tracks()) +
                            "), which are recorded ways, not routes; plan a route from them first"
                      : "the file holds no routes and no waypoints";
        return std::nullopt;
    }
    refusal = DescribeGpxContent(gpx) + " \xE2\x80\x94 choose with --route or --waypoints";
    return std::nullopt;
}

std::wstring NameFrom(std::string_view text) {
    text = text.substr(0, text.find_first_of("\r\n"));
    std::wstring name = HostBytesToWide(text);
    if (name.size() > kMadeNameLength) {
        name.resize(kMadeNameLength);
    }
    while (!name.empty() && name.back() == L' ') {
        name.pop_back();
    }
    return name;
}

}  // namespace

std::string DescribeGpxContent(const GpxReading& gpx) {
    std::string text;
    const std::size_t routes = gpx.routes().size();
    if (routes > 0) {
        text = Count(routes, "route", "routes") + ":";
        for (std::size_t i = 0; i < routes; ++i) {
            text += (i == 0 ? " " : ", ") +
                    (gpx.routes()[i].name.empty() ? RouteLabel(gpx, i) : gpx.routes()[i].name) +
                    " (" + Count(gpx.routes()[i].points, "point", "points") + ")";
        }
        text += "; ";
    }
    text += Count(gpx.waypoints(), "waypoint", "waypoints");
    if (gpx.tracks() > 0) {
        text += "; " + Count(gpx.tracks(), "track", "tracks") + " (not imported)";
    }
    return text;
}

bool PrepareGpxImport(const GpxReading& gpx, const GpxChoice& choice, GpxImport& import,
                      std::string& refusal) {
    import = GpxImport();
    if (!gpx.refusal().empty()) {
        refusal = gpx.refusal();
        return false;
    }
    const std::optional<std::size_t> chosen = Choose(gpx, choice, refusal);
    if (!chosen) {
        return false;
    }
    const bool waypoints = *chosen == gpx.routes().size();
    import.source = waypoints ? "the waypoints" : "route " + RouteLabel(gpx, *chosen);
    if (!waypoints) {
        import.route = *chosen + 1;
        import.routeName = gpx.routes()[*chosen].name;
    }

    // Each point goes the road of one typed into the form in decimal
    // degrees, so that the line has the digits Add would write.
    PositionEngine engine;
    refusal.clear();
    const std::size_t count = waypoints ? gpx.waypoints() : gpx.routes()[*chosen].points;
    const auto take = [&](const GpxPoint& point) {
        if (!refusal.empty()) {
            return;
        }
        ++import.points;
        // The check comes before the engine: the engine would take any number.
        if (!IsSoundPosition(point.latitude, point.longitude)) {
            refusal = "line " + std::to_string(gpx.LineAt(point.offset)) + ": point " +
                      std::to_string(import.points) + " is not on the Earth (latitude " +
                      std::to_string(point.latitude) + ", longitude " +
                      std::to_string(point.longitude) + ")";
            return;
        }
        CString name(HostBytesToWide(point.name));
        if (name.IsEmpty()) {
            ++import.namesMade;
            name = NameFrom(!point.comment.empty() ? point.comment : point.description);
            if (name.IsEmpty()) {
                name = L"POINT " + std::to_wstring(import.points);
            }
        }
        NormaliseName(name);
        const std::string bytes = ToAnsiCodePage(name.str());
        import.charactersReplaced +=
            static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '?') -
                                     std::count(name.str().begin(), name.str().end(), L'?'));

        EntryFields fields;
        fields.sign = {point.latitude < 0.0 ? -1 : 1, point.longitude < 0.0 ? -1 : 1};
        fields.degrees = {std::abs(point.latitude), std::abs(point.longitude)};
        StoreFields(engine, Deg, fields);
        double latitude = 0.0;
        double longitude = 0.0;
        GetWgs84Degrees(engine, latitude, longitude);
        const std::optional<std::string> line = FormatRouteLine(name, latitude, longitude);
        if (!line) {
            refusal = "line " + std::to_string(gpx.LineAt(point.offset)) + ": the name of point " +
                      std::to_string(import.points) + " is too long";
            return;
        }
        if (import.lines.empty()) {
            // Room for lines a quarter longer than the first at once: growing
            // by doubling would hold two copies of a large import for a moment.
            import.lines.reserve(line->size() * count * 5 / 4);
        }
        import.lines += *line;
    };
    if (waypoints) {
        gpx.VisitWaypoints(take);
    } else {
        gpx.VisitRoute(*chosen, take);
    }
    if (refusal.empty() && import.points == 0) {
        refusal = import.source + " has no points";
    }
    if (!refusal.empty()) {
        import = GpxImport();
        return false;
    }
    return true;
}

std::string SummariseGpxImport(const GpxImport& import) {
    return Count(import.points, "point", "points") + " of " + import.source + " appended; " +
           Count(import.namesMade, "name", "names") + " made from cmt, desc or a number; " +
           Count(import.charactersReplaced, "character", "characters") +
           " the device cannot show replaced by '?'";
}
