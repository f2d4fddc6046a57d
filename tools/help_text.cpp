// SPDX-License-Identifier: MIT
#include "help_text.h"

#include "command_table.h"

namespace {

const char kGrammar[] = R"(Usage: quillpost-geo [--raw] [COMMAND ARG...]
       quillpost-geo --help | --version

With a COMMAND: one result line on standard output. Exit status 0 on success,
1 when the library refuses the input (the reason on standard error; with
--raw the result line is printed as well), 2 for a usage error.

Without a COMMAND: commands are read from standard input, one per line, and
the library's state (parameter sets, loaded tables) carries over from line to
line. Blank lines and lines starting with # produce nothing; every other line
produces exactly one output line, "error: REASON" for a malformed line and,
in normal mode, for a refused one. Exit status 0 at the end of the input.

Fields are separated by blanks or tabs; a NAME or a TEXT with blanks is
written in double quotes in a batch line (a TEXT there writes seconds as ''
rather than "). Numbers but the entry form's FIELDS are read
as C's strtod reads them ("C" locale): nan, inf, -0.0 and exponents
included. Hemisphere letters are N, S, E, W in either case; utm-inverse
hands HEMI to the library as typed. The library operations hand every
number to the library as it is and print its flags, since they exist to
show the library's own answer.

Normal mode: angles in decimal degrees (9 decimals out), lengths in metres
(3 decimals out), other numbers with 17 digits.
--raw: angles in radians in and out, every number with 17 significant
digits, each line starting with the flags as 0xNNNN (the OR of the flags of
the line's library calls), "-" for an output the library did not write.
)";

const char kForm[] = R"(
FORMAT and FROM are deg, dm, dms, utm or text; TO may also be wgs84 (LAT LON
of the position as Add takes it). FIELDS are the entry form's, in its order
and units in both modes: deg LAT N/S LON E/W; dm D M N/S D M E/W;
dms D M S N/S D M S E/W; utm ZONE N/S NORTHING EASTING; text TEXT, a whole
position as one argument, read as the form reads a pasted one: degrees with
or without minutes and seconds ("N 53° 33.006 E 009° 59.622"), a map link,
UTM with its band ("32U 566331 5928359") or an MGRS reference, whose
square's centre is taken with a note on standard error. A text that cannot
be read beyond doubt is refused with the reason. DATUM is WGE, EUR-7
or DHDN. route prints the route-point line that Add would write, in
Windows-1252 as in the route file; append adds it to FILE as Add does. The
NAME is upper-cased as the form does; an empty NAME or a FILE that cannot be
written is refused and nothing is written. FIELDS are read and checked as
the form reads them, and the first one it would refuse is refused (status 1)
with its English words, "latitude degrees: Please enter a number between 0
and 90.": no nan, inf or hex, no minus sign (the letters give the sign),
nothing outside the form's ranges. So are a position off the Earth, a grid
position the program cannot convert and, for convert to utm, a position UTM
refuses. geo gives every position the inverse writes, as the program takes
it, also with a warning flag (far from the central meridian); input it
refuses gets no position.
)";

const char kRouteFiles[] = R"(
ROUTE is a route file (*.rte), GPX a GPX 1.0 or 1.1 file (UTF-8, US-ASCII,
ISO-8859-1 or windows-1252, at most 64 MiB). import appends one route's
points or the waypoints of GPX to ROUTE in one append, all or nothing; with
neither --route (a name, or a number from 1) nor --waypoints it takes the one
route, or the waypoints when there is no route, and otherwise refuses and
lists what the file holds. Names are upper-cased as the form does; a point
without one is named from its cmt or desc, else "POINT N"; each position is
written as Add writes it typed in deg. A file with a DOCTYPE, bytes that are
not UTF-8, control characters, a lat or lon that is not a decimal ("53,5",
"5.35e1") or a point off the Earth is refused and nothing is written. It
prints one summary line. list prints each point's name, a tab and its
position in FORMAT (deg when not given); export prints the route as one GPX
1.1 rte named after ROUTE. Lines of ROUTE that are not route points as this
program writes them are named on standard error and left out, with exit
status 1. list and export run only as a command of their own, not in a batch.
)";

const char kState[] = R"(
utm and geo always use WGS 84 without zone override; utm-forward and
utm-inverse use what the last utm-set left (WGS 84, no override at start).
tm-forward and tm-inverse use what the last tm-set or UTM conversion left.
The datum shifts set the geocentric ellipsoid as they go.
)";

const char kExamples[] = R"(
Examples:
  quillpost-geo utm 53.55 9.99
  quillpost-geo geo 32 N 565590.941 5933912.166
  quillpost-geo convert deg dms 53.55 N 9.99 E
  quillpost-geo convert text deg "N 53° 33.006 E 009° 59.622"
  quillpost-geo append ~/Ausflug.rte "Landungsbrücken" dm 53 33 N 9 59.4 E
  quillpost-geo import ~/Ausflug.rte tour.gpx --route "Tour A"
  quillpost-geo export ~/Ausflug.rte > Ausflug.gpx
  quillpost-geo --raw utm-forward 0.9346 0.1743
  printf 'utm-set 6378388 0.003367003367003367 0\nutm-forward 60 5\n' | quillpost-geo
)";

void PrintCommands(std::FILE* out, std::span<const Command> commands) {
    for (const Command& command : commands) {
        std::fprintf(out, "  %.*s %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.arguments.size()),
                     command.arguments.data());
    }
}

}  // namespace

void PrintHelp(std::FILE* out) {
    std::fputs(kGrammar, out);
    std::fputs("\nEveryday commands:\n", out);
    PrintCommands(out, EverydayCommands());
    std::fputs(kForm, out);
    std::fputs("\nRoute files and GPX:\n", out);
    PrintCommands(out, RouteFileCommands());
    std::fputs(kRouteFiles, out);
    std::fputs("\nLibrary operations, one call each:\n", out);
    PrintCommands(out, LibraryCommands());
    std::fputs(kState, out);
    std::fputs(kExamples, out);
}
