// SPDX-License-Identifier: MIT
// The everyday commands, for people who keep lists of positions: UTM on WGS 84
// as the program converts, the entry form's conversions between its display
// formats, and its route-point line.

#include <bit>
#include <filesystem>
#include <optional>
#include <string>

#include "command_table.h"
#include "engine/position_engine.h"
#include "entry/add_point.h"
#include "entry/entry_fields.h"
#include "field_arguments.h"
#include "library_state.h"
#include "projection/utm_projection.h"
#include "route/name_case.h"
#include "route/route_line.h"
#include "route/route_point.h"
#include "services/host_path.h"
#include "text_argument.h"

namespace {

constexpr int kEnglish = 1;

// Refusals that come without flags: those of the entry form. Raw mode gives
// the flags 0 and "-" for each output.
Outcome Refused(Mode mode, std::string reason, std::size_t outputs) {
    ResultLine out(mode, 0);
    for (std::size_t i = 0; i < outputs; ++i) {
        out.Verbatim("-");
    }
    return Outcome{Outcome::Status::Refused, mode == Mode::Raw ? out.Text() : std::string(),
                   std::move(reason)};
}

// A command that succeeds says what the user should know of its input
// (reason is otherwise only for failures).
Outcome WithNote(Outcome outcome, const std::string& note) {
    if (outcome.status == Outcome::Status::Ok) {
        outcome.reason = note;
    }
    return outcome;
}

Outcome Utm(ArgumentReader& in) {
    const double latitude = in.Angle("LAT");
    const double longitude = in.Angle("LON");
    if (in.Failed()) {
        return UsageError(in.Error());
    }
    std::int32_t zone = kUnwrittenInteger;
    char hemisphere = kUnwrittenLetter;
    double easting = kUnwritten;
    double northing = kUnwritten;
    std::uint32_t flags = 0;
    {
        const LibraryState::ScopedWgs84Utm wgs84;
        flags =
            UtmProjection::Forward(latitude, longitude, &zone, &hemisphere, &easting, &northing);
    }
    ResultLine out(in.mode(), flags);
    out.Integer(zone).Letter(hemisphere).Length(easting).Length(northing);
    return OutcomeFromFlags(flags, out, kUtmReasons);
}

Outcome Geo(ArgumentReader& in) {
    const std::int32_t zone = in.WholeNumber("ZONE");
    const char hemisphere = in.Hemisphere("HEMI", "NS");
    const double easting = in.Length("EASTING");
    const double northing = in.Length("NORTHING");
    if (in.Failed()) {
        return UsageError(in.Error());
    }
    double latitude = kUnwritten;
    double longitude = kUnwritten;
    std::uint32_t flags = 0;
    {
        const LibraryState::ScopedWgs84Utm wgs84;
        flags = UtmProjection::Inverse(zone, hemisphere, easting, northing, &latitude, &longitude);
    }
    ResultLine out(in.mode(), flags);
    out.Angle(latitude).Angle(longitude);
    // The engine takes every position the inverse writes, warnings and all
    // (far from the central meridian at high latitudes the result is still
    // right); only input it refuses outright gets no position.
    if (std::bit_cast<std::uint64_t>(latitude) != kUnwrittenBits) {
        return Outcome{Outcome::Status::Ok, std::move(out.Text()), std::string()};
    }
    return OutcomeFromFlags(flags, out, kUtmReasons);
}

// The fields of the format `name`, or the usage error, or the refusal of a
// field the entry form refuses (with `outputs` outputs in raw mode). The
// format "text" is a whole position in one argument, in the format it is
// written in; what the reading took that the user should know goes to note.
std::optional<Outcome> ReadEntry(ArgumentReader& in, std::string_view what, std::string_view name,
                                 CoordFormat& format, EntryFields& fields, std::size_t outputs,
                                 std::string& note) {
    if (name == "text") {
        if (in.Remaining() != 1) {
            return UsageError("text takes the whole position as 1 argument, not " +
                              std::to_string(in.Remaining()));
        }
        std::string refusal;
        const auto text = ReadTextArgument(in.Text(), refusal);
        if (!text) {
            return Refused(in.mode(), refusal, outputs);
        }
        format = text->format;
        fields = text->fields;
        note = text->note;
        return std::nullopt;
    }
    const auto parsed = ParseFormat(name);
    if (!parsed) {
        return UsageError(std::string(what) + " must be deg, dm, dms, utm or text, not " +
                          Quoted(name));
    }
    format = *parsed;
    if (in.Remaining() != FieldCount(format)) {
        return UsageError(std::string(name) + " takes " + std::to_string(FieldCount(format)) +
                          " fields, not " + std::to_string(in.Remaining()));
    }
    ReadFields(in, format, fields);
    if (in.Failed()) {
        return UsageError(in.Error());
    }
    if (!in.Refusal().empty()) {
        return Refused(in.mode(), in.Refusal(), outputs);
    }
    return std::nullopt;
}

// Runs `use` on a new position engine, as the form owns one. The engine sets
// UTM to its datum's ellipsoid, so utm-set's choice is put back afterwards.
template <typename Use>
void WithEngine(Use use) {
    LibraryState::LoadTables();
    {
        PositionEngine engine;
        use(engine);
    }
    LibraryState::RestoreUtmParameters();
}

Outcome ConvertOn(ArgumentReader& in, std::optional<DatumChoice> datum) {
    if (in.Remaining() < 2) {
        return UsageError("FROM, TO and the fields of FROM expected");
    }
    const std::string_view fromName = in.Text();
    const std::string_view to = in.Text();
    const bool toWgs84 = to == "wgs84";
    const auto toFormat = ParseFormat(to);
    if (!toWgs84 && !toFormat) {
        return UsageError("TO must be deg, dm, dms, utm or wgs84, not " + Quoted(to));
    }
    const std::size_t outputs = toWgs84 ? 2 : FieldCount(*toFormat);
    CoordFormat from = Deg;
    EntryFields fields;
    std::string note;
    if (const auto failed = ReadEntry(in, "FROM", fromName, from, fields, outputs, note)) {
        return *failed;
    }

    std::uint32_t flags = 0;
    bool taken = true;
    double latitude = kUnwritten;
    double longitude = kUnwritten;
    WithEngine([&](PositionEngine& engine) {
        if (datum) {
            flags = engine.SelectDatum(*datum);
        }
        taken = StoreFields(engine, from, fields);
        if (!taken) {
            return;
        }
        if (toWgs84) {
            engine.GetWgs84(latitude, longitude);
        } else {
            ShowFields(engine, *toFormat, fields);
            // The form shows what the engine leaves where UTM refuses the
            // position; a script must not take that for the position's grid.
            if (*toFormat == UTM) {
                flags |= engine.UtmFlags();
            }
        }
    });
    if (!taken) {
        return Refused(in.mode(), GridRefusedMessages[kEnglish], outputs);
    }

    ResultLine out(in.mode(), flags);
    if (toWgs84) {
        out.Angle(latitude).Angle(longitude);
    } else {
        WriteFields(out, *toFormat, fields);
    }
    return WithNote(OutcomeFromFlags(flags, out, kUtmReasons), note);
}

Outcome Convert(ArgumentReader& in) {
    return ConvertOn(in, std::nullopt);
}

Outcome ConvertOnDatum(ArgumentReader& in) {
    const std::string_view datum = in.Text();
    if (datum == "WGE") {
        return ConvertOn(in, Wge);
    }
    if (datum == "EUR-7") {
        return ConvertOn(in, Eur7);
    }
    if (datum == "DHDN") {
        return ConvertOn(in, Dhdn);
    }
    return UsageError("DATUM must be WGE, EUR-7 or DHDN, not " + Quoted(datum));
}

// A named WGS 84 position in degrees, as Add writes it.
struct NamedPoint {
    CString name;
    double latitude = 0.0;
    double longitude = 0.0;
    std::string note;  // from reading a text
};

// The route point of NAME, FORMAT and its fields as the form's Add takes it,
// refusing what the form refuses in the form's order; or why there is none.
std::optional<Outcome> ReadRoutePoint(ArgumentReader& in, NamedPoint& point) {
    if (in.Remaining() < 2) {
        return UsageError("NAME, FORMAT and the fields of FORMAT expected");
    }
    // The name comes in the terminal's encoding; the line goes out in the
    // device's code page, as Add writes it.
    point.name = CString(HostBytesToWide(in.Text()));
    CoordFormat format = Deg;
    EntryFields fields;
    if (const auto failed = ReadEntry(in, "FORMAT", in.Text(), format, fields, 1, point.note)) {
        return failed;
    }
    // As the form does when the name field is left.
    NormaliseName(point.name);
    bool taken = true;
    WithEngine([&](PositionEngine& engine) {
        taken = StoreFields(engine, format, fields);
        GetWgs84Degrees(engine, point.latitude, point.longitude);
    });
    if (!taken) {
        return Refused(in.mode(), GridRefusedMessages[kEnglish], 1);
    }
    switch (CheckRoutePoint(point.name, point.latitude, point.longitude)) {
        case PointRefusal::EmptyName:
            return Refused(in.mode(), EmptyNameMessages[kEnglish], 1);
        case PointRefusal::NotOnEarth:
            return Refused(in.mode(), UnsoundPositionMessages[kEnglish], 1);
        case PointRefusal::None:
            break;
    }
    return std::nullopt;
}

Outcome Route(ArgumentReader& in) {
    NamedPoint point;
    if (const auto failed = ReadRoutePoint(in, point)) {
        return *failed;
    }
    std::optional<std::string> line = FormatRouteLine(point.name, point.latitude, point.longitude);
    if (!line) {
        return Refused(in.mode(), "NAME is too long", 1);
    }
    line->pop_back();  // the line break
    ResultLine out(in.mode(), 0);
    out.Verbatim(*line);
    return WithNote(OutcomeFromFlags(0, out, {}), point.note);
}

Outcome Append(ArgumentReader& in) {
    if (in.Remaining() < 3) {
        return UsageError("FILE, NAME, FORMAT and the fields of FORMAT expected");
    }
    // The command line's text is UTF-8 on every system; the file system's
    // own names are bytes on Linux and wide characters on Windows.
    const std::filesystem::path file = HostPathFromWide(HostBytesToWide(in.Text()));
    NamedPoint point;
    if (const auto failed = ReadRoutePoint(in, point)) {
        return *failed;
    }
    const AppendResult result = AppendRoutePoint(file, point.name, point.latitude, point.longitude);
    if (!result.written) {
        return Refused(in.mode(),
                       "cannot append to " + Quoted(file.string()) + ": " + result.reason, 1);
    }
    ResultLine out(in.mode(), 0);
    out.Verbatim("appended");
    return WithNote(OutcomeFromFlags(0, out, {}), point.note);
}

const Command kCommands[] = {
    {"utm", "LAT LON", 2, Utm},
    {"geo", "ZONE HEMI EASTING NORTHING", 4, Geo},
    {"convert", "FROM TO FIELDS", -1, Convert},
    {"convert-on", "DATUM FROM TO FIELDS", -1, ConvertOnDatum},
    {"route", "NAME FORMAT FIELDS", -1, Route},
    {"append", "FILE NAME FORMAT FIELDS", -1, Append},
};

}  // namespace

std::span<const Command> EverydayCommands() {
    return kCommands;
}
