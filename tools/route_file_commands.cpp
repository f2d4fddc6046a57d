// SPDX-License-Identifier: MIT
// The commands between a route file and the tools where routes are planned:
// a GPX file's route or waypoints imported in one append, a route file's
// points listed in a display format, and the route exported as GPX.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "command_table.h"
#include "engine/position_engine.h"
#include "entry/entry_fields.h"
#include "field_arguments.h"
#include "gpx/gpx_import.h"
#include "gpx/gpx_reader.h"
#include "gpx/gpx_writer.h"
#include "library_state.h"
#include "route/route_file.h"
#include "route/route_line.h"
#include "services/host_path.h"
#include "services/whole_file.h"

namespace {

// Lines that cannot be read are named by number, but not without end: a file
// that is no route file at all would otherwise print its every line.
constexpr std::size_t kLinesNamed = 10;

std::filesystem::path PathArgument(ArgumentReader& in) {
    // The command line's text is UTF-8 on every system; the file system's
    // own names are bytes on Linux and wide characters on Windows.
    return HostPathFromWide(HostBytesToWide(in.Text()));
}

std::string Named(const std::filesystem::path& file) {
    return Quoted(WideToHostBytes(WideFromHostPath(file)));
}

// Refused, with what could be done all the same on standard output.
Outcome Refused(std::string reason, std::string output = {}) {
    return Outcome{Outcome::Status::Refused, std::move(output), std::move(reason)};
}

// The points of a route file, with the numbers of the lines that are not
// route points as this program writes them (blank lines are no points).
struct RouteFileContent {
    std::vector<RoutePoint> points;
    std::vector<std::size_t> unreadable;
};

std::optional<RouteFileContent> ReadRouteFile(const std::filesystem::path& file,
                                              std::string& error) {
    // A folder or a pipe given for the route file is refused, not read.
    WholeFile::Failure failure;
    const std::filesystem::path target = WholeFile::FollowLink(file, &failure);
    std::string bytes;
    if (!failure) {
        failure = WholeFile::ReadAll(target, &bytes);
    }
    if (failure) {
        error = "cannot read " + Named(file) + ": " + failure.reason;
        return std::nullopt;
    }
    RouteFileContent content;
    std::size_t number = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        // The line with its break, as the route line reader takes it.
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size() - 1) + 1;
        const std::string_view line(bytes.data() + at, end - at);
        ++number;
        at = end;
        if (line == "\n" || line == "\r\n") {
            continue;
        }
        if (const std::optional<RoutePoint> point = ReadRouteLine(line)) {
            content.points.push_back(*point);
        } else {
            content.unreadable.push_back(number);
        }
    }
    return content;
}

// "lines 3, 7 of 'Tour.rte' are not route points this program reads"
std::string DescribeUnreadable(const std::filesystem::path& file,
                               const std::vector<std::size_t>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    if (lines.size() > kLinesNamed) {
        text += " and " + std::to_string(lines.size() - kLinesNamed) + " more";
    }
    return text + " of " + Named(file) +
           (lines.size() == 1 ? " is not a route point" : " are not route points") +
           " as this program writes them, and " + (lines.size() == 1 ? "is" : "are") + " left out";
}

Outcome Import(ArgumentReader& in) {
    if (in.Remaining() < 2) {
        return UsageError("ROUTE and GPX expected, then --route NAME or --waypoints if need be");
    }
    const std::filesystem::path routeFile = PathArgument(in);
    const std::filesystem::path gpxFile = PathArgument(in);
    GpxChoice choice;
    if (in.Remaining() > 0) {
        const std::string_view option = in.Text();
        if (option == "--waypoints" && in.Remaining() == 0) {
            choice.kind = GpxChoice::Kind::Waypoints;
        } else if (option == "--route" && in.Remaining() == 1) {
            choice.kind = GpxChoice::Kind::Route;
            choice.route = in.Text();
        } else {
            return UsageError("after ROUTE and GPX only --route NAME or --waypoints, not " +
                              Quoted(option));
        }
    }

    GpxImport import;
    std::string refusal;
    bool prepared = false;
    {
        // The file and its document are let go before the append, which
        // needs memory of its own for the route file's new copy.
        const GpxReading gpx = GpxReading::ReadFile(gpxFile);
        LibraryState::LoadTables();
        prepared = PrepareGpxImport(gpx, choice, import, refusal);
        // The import's position engine set UTM to its datum's ellipsoid.
        LibraryState::RestoreUtmParameters();
    }
    if (!prepared) {
        return Refused(Named(gpxFile) + ": " + refusal + "; nothing was appended");
    }
    // All points in one append: the route file gets them all or none.
    const AppendResult appended = AppendToRouteFile(routeFile, import.lines);
    if (!appended.written) {
        return Refused("cannot append to " + Named(routeFile) + ": " + appended.reason +
                       "; nothing was appended");
    }
    ResultLine out(in.mode(), 0);
    out.Verbatim(SummariseGpxImport(import));
    return OutcomeFromFlags(0, out, {});
}

Outcome List(ArgumentReader& in) {
    if (in.Remaining() < 1 || in.Remaining() > 2) {
        return UsageError("ROUTE expected, then deg, dm, dms or utm");
    }
    const std::filesystem::path file = PathArgument(in);
    CoordFormat format = Deg;
    if (in.Remaining() > 0) {
        const std::string_view name = in.Text();
        const std::optional<CoordFormat> parsed = ParseFormat(name);
        if (!parsed) {
            return UsageError("FORMAT must be deg, dm, dms or utm, not " + Quoted(name));
        }
        format = *parsed;
    }
    std::string error;
    const std::optional<RouteFileContent> content = ReadRouteFile(file, error);
    if (!content) {
        return Refused(error);
    }

    std::string listing;
    LibraryState::LoadTables();
    {
        // Each position shown as the form shows a point typed in decimal
        // degrees and then switched to the format.
        PositionEngine engine;
        for (const RoutePoint& point : content->points) {
            EntryFields fields;
            fields.sign = {point.latitude < 0.0 ? -1 : 1, point.longitude < 0.0 ? -1 : 1};
            fields.degrees = {std::abs(point.latitude), std::abs(point.longitude)};
            StoreFields(engine, Deg, fields);
            ShowFields(engine, format, fields);
            ResultLine line(Mode::Normal, 0);
            WriteFields(line, format, fields);
            listing += (listing.empty() ? "" : "\n") + WideToHostBytes(point.name.str()) + "\t" +
                       line.Text();
        }
    }
    LibraryState::RestoreUtmParameters();
    if (!content->unreadable.empty()) {
        return Refused(DescribeUnreadable(file, content->unreadable), listing);
    }
    return Outcome{Outcome::Status::Ok, std::move(listing), std::string()};
}

Outcome Export(ArgumentReader& in) {
    const std::filesystem::path file = PathArgument(in);
    std::string error;
    const std::optional<RouteFileContent> content = ReadRouteFile(file, error);
    if (!content) {
        return Refused(error);
    }
    std::string document =
        WriteGpxRoute(WideToHostBytes(WideFromHostPath(file.stem())), content->points);
    if (document.ends_with('\n')) {
        document.pop_back();
    }
    if (!content->unreadable.empty()) {
        return Refused(DescribeUnreadable(file, content->unreadable), document);
    }
    return Outcome{Outcome::Status::Ok, std::move(document), std::string()};
}

const Command kCommands[] = {
    {"import", "ROUTE GPX [--route NAME | --waypoints]", -1, Import},
    {"list", "ROUTE [deg|dm|dms|utm]", -1, List},
    {"export", "ROUTE", 1, Export},
};

}  // namespace

std::span<const Command> RouteFileCommands() {
    return kCommands;
}

bool AnswersInManyLines(std::string_view command) {
    return command == "list" || command == "export";
}
