// SPDX-License-Identifier: MIT
#include "field_arguments.h"

namespace {

constexpr int kLatitude = 0;
constexpr int kLongitude = 1;

std::int32_t ReadSign(ArgumentReader& in, int axis) {
    if (axis == kLatitude) {
        return in.Hemisphere("N/S", "NS") == 'N' ? 1 : -1;
    }
    return in.Hemisphere("E/W", "EW") == 'E' ? 1 : -1;
}

// The form shows the first letter only for a sign of exactly +1.
char Letter(const EntryFields& fields, int axis) {
    const bool first = fields.sign[axis] == 1;
    if (axis == kLatitude) {
        return first ? 'N' : 'S';
    }
    return first ? 'E' : 'W';
}

}  // namespace

std::optional<CoordFormat> ParseFormat(std::string_view name) {
    if (name == "deg") {
        return Deg;
    }
    if (name == "dm") {
        return DegMin;
    }
    if (name == "dms") {
        return DegMinSec;
    }
    if (name == "utm") {
        return UTM;
    }
    return std::nullopt;
}

std::size_t FieldCount(CoordFormat format) {
    switch (format) {
        case DegMin:
            return 6;
        case DegMinSec:
            return 8;
        default:
            return 4;
    }
}

void ReadFields(ArgumentReader& in, CoordFormat format, EntryFields& fields) {
    if (format == UTM) {
        fields.zone = in.FormWholeNumber("zone", FieldRanges::kZoneLow, FieldRanges::kZoneHigh);
        fields.sign[kLatitude] = ReadSign(in, kLatitude);
        fields.utm.northing = in.FormDecimal("northing", FieldRanges::kNorthing);
        fields.utm.easting = in.FormDecimal("easting", FieldRanges::kEasting);
        return;
    }
    for (const int axis : {kLatitude, kLongitude}) {
        const bool latitude = axis == kLatitude;
        fields.degrees[axis] =
            latitude ? in.FormDecimal("latitude degrees", FieldRanges::kLatitudeDegrees)
                     : in.FormDecimal("longitude degrees", FieldRanges::kLongitudeDegrees);
        if (format != Deg) {
            fields.minutes[axis] = in.FormDecimal(
                latitude ? "latitude minutes" : "longitude minutes", FieldRanges::kMinutes);
        }
        if (format == DegMinSec) {
            fields.seconds[axis] = in.FormDecimal(
                latitude ? "latitude seconds" : "longitude seconds", FieldRanges::kSeconds);
        }
        fields.sign[axis] = ReadSign(in, axis);
    }
}

void WriteFields(ResultLine& out, CoordFormat format, const EntryFields& fields) {
    if (format == UTM) {
        out.Integer(fields.zone).Letter(Letter(fields, kLatitude));
        out.FormValue(fields.utm.northing).FormValue(fields.utm.easting);
        return;
    }
    for (const int axis : {kLatitude, kLongitude}) {
        out.FormValue(fields.degrees[axis]);
        if (format != Deg) {
            out.FormValue(fields.minutes[axis]);
        }
        if (format == DegMinSec) {
            out.FormValue(fields.seconds[axis]);
        }
        out.Letter(Letter(fields, axis));
    }
}
