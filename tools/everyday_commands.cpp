// The everyday commands: UTM on WGS 84, as the program converts, for people
// who keep lists of positions.

#include "command_table.h"
#include "library_state.h"
#include "projection/utm_projection.h"

namespace {

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
        const LibraryState::Wgs84Utm wgs84;
        flags =
            UtmProjection::Forward(latitude, longitude, &zone, &hemisphere, &easting, &northing);
    }
    ResultLine out(in.mode(), flags);
    out.Integer(zone).Letter(hemisphere).Length(easting).Length(northing);
    return Answer(flags, out, kUtmReasons);
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
        const LibraryState::Wgs84Utm wgs84;
        flags = UtmProjection::Inverse(zone, hemisphere, easting, northing, &latitude, &longitude);
    }
    ResultLine out(in.mode(), flags);
    out.Angle(latitude).Angle(longitude);
    return Answer(flags, out, kUtmReasons);
}

const Command kCommands[] = {
    {"utm", "LAT LON", 2, Utm},
    {"geo", "ZONE HEMI EASTING NORTHING", 4, Geo},
};

}  // namespace

std::span<const Command> EverydayCommands() {
    return kCommands;
}
