// SPDX-License-Identifier: MIT
// The library operations, one library call per command, so that every
// operation can be checked from outside with the inputs and outputs it has.

#include <string>

#include "command_table.h"
#include "geodesy/datum_shift.h"
#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "geodesy/geocentric_converter.h"
#include "library_state.h"
#include "projection/transverse_mercator.h"
#include "projection/utm_projection.h"

namespace {

Outcome Usage(const ArgumentReader& in) {
    return UsageError(in.Error());
}

// --- Transverse Mercator ---

Outcome TmSet(ArgumentReader& in) {
    const double a = in.Length("A");
    const double f = in.Number("F");
    const double originLatitude = in.Angle("LAT0");
    const double centralMeridian = in.Angle("LON0");
    const double falseEasting = in.Length("FE");
    const double falseNorthing = in.Length("FN");
    const double scaleFactor = in.Number("K0");
    if (in.Failed()) {
        return Usage(in);
    }
    const auto flags = TransverseMercator::SetParameters(a, f, originLatitude, centralMeridian,
                                                         falseEasting, falseNorthing, scaleFactor);
    return SetCommandOutcome(flags, in.mode(), kTransverseMercatorReasons);
}

Outcome TmForward(ArgumentReader& in) {
    const double latitude = in.Angle("LAT");
    const double longitude = in.Angle("LON");
    if (in.Failed()) {
        return Usage(in);
    }
    double easting = kUnwritten;
    double northing = kUnwritten;
    const auto flags = TransverseMercator::Forward(latitude, longitude, &easting, &northing);
    ResultLine out(in.mode(), flags);
    out.Length(easting).Length(northing);
    return OutcomeFromFlags(flags, out, kTransverseMercatorReasons);
}

Outcome TmInverse(ArgumentReader& in) {
    const double easting = in.Length("EASTING");
    const double northing = in.Length("NORTHING");
    if (in.Failed()) {
        return Usage(in);
    }
    double latitude = kUnwritten;
    double longitude = kUnwritten;
    const auto flags = TransverseMercator::Inverse(easting, northing, &latitude, &longitude);
    ResultLine out(in.mode(), flags);
    out.Angle(latitude).Angle(longitude);
    return OutcomeFromFlags(flags, out, kTransverseMercatorReasons);
}

// --- UTM ---

Outcome UtmSet(ArgumentReader& in) {
    const double a = in.Length("A");
    const double f = in.Number("F");
    const std::int32_t zoneOverride = in.WholeNumber("OVERRIDE");
    if (in.Failed()) {
        return Usage(in);
    }
    const auto flags = LibraryState::SetUtmParameters(a, f, zoneOverride);
    return SetCommandOutcome(flags, in.mode(), kUtmReasons);
}

Outcome UtmForward(ArgumentReader& in) {
    const double latitude = in.Angle("LAT");
    const double longitude = in.Angle("LON");
    if (in.Failed()) {
        return Usage(in);
    }
    std::int32_t zone = kUnwrittenInteger;
    char hemisphere = kUnwrittenLetter;
    double easting = kUnwritten;
    double northing = kUnwritten;
    const auto flags =
        UtmProjection::Forward(latitude, longitude, &zone, &hemisphere, &easting, &northing);
    ResultLine out(in.mode(), flags);
    out.Integer(zone).Letter(hemisphere).Length(easting).Length(northing);
    return OutcomeFromFlags(flags, out, kUtmReasons);
}

Outcome UtmInverse(ArgumentReader& in) {
    const std::int32_t zone = in.WholeNumber("ZONE");
    // As typed: the library itself refuses anything but "N" and "S".
    const char hemisphere = in.Character("HEMI");
    const double easting = in.Length("EASTING");
    const double northing = in.Length("NORTHING");
    if (in.Failed()) {
        return Usage(in);
    }
    double latitude = kUnwritten;
    double longitude = kUnwritten;
    const auto flags =
        UtmProjection::Inverse(zone, hemisphere, easting, northing, &latitude, &longitude);
    ResultLine out(in.mode(), flags);
    out.Angle(latitude).Angle(longitude);
    return OutcomeFromFlags(flags, out, kUtmReasons);
}

// --- Geocentric conversion ---

Outcome GeocentricSet(ArgumentReader& in) {
    const double a = in.Length("A");
    const double f = in.Number("F");
    if (in.Failed()) {
        return Usage(in);
    }
    return SetCommandOutcome(GeocentricConverter::UseEllipsoid(a, f), in.mode(),
                             kGeocentricReasons);
}

struct Cartesian {
    double x = kUnwritten;
    double y = kUnwritten;
    double z = kUnwritten;
};

struct Geodetic {
    double latitude = kUnwritten;
    double longitude = kUnwritten;
    double height = kUnwritten;
};

Outcome CartesianOutcome(std::uint32_t flags, Mode mode, const Cartesian& c, FlagReasons reasons) {
    ResultLine out(mode, flags);
    out.Length(c.x).Length(c.y).Length(c.z);
    return OutcomeFromFlags(flags, out, reasons);
}

Outcome GeodeticOutcome(std::uint32_t flags, Mode mode, const Geodetic& g, FlagReasons reasons) {
    ResultLine out(mode, flags);
    out.Angle(g.latitude).Angle(g.longitude).Length(g.height);
    return OutcomeFromFlags(flags, out, reasons);
}

Geodetic ReadGeodetic(ArgumentReader& in) {
    Geodetic g;
    g.latitude = in.Angle("LAT");
    g.longitude = in.Angle("LON");
    g.height = in.Length("H");
    return g;
}

Cartesian ReadCartesian(ArgumentReader& in) {
    Cartesian c;
    c.x = in.Length("X");
    c.y = in.Length("Y");
    c.z = in.Length("Z");
    return c;
}

Outcome GeocentricForward(ArgumentReader& in) {
    const Geodetic g = ReadGeodetic(in);
    if (in.Failed()) {
        return Usage(in);
    }
    Cartesian c;
    const auto flags =
        GeocentricConverter::ToGeocentric(g.latitude, g.longitude, g.height, &c.x, &c.y, &c.z);
    return CartesianOutcome(flags, in.mode(), c, kGeocentricReasons);
}

Outcome GeocentricInverse(ArgumentReader& in) {
    const Cartesian c = ReadCartesian(in);
    if (in.Failed()) {
        return Usage(in);
    }
    Geodetic g;
    GeocentricConverter::ToGeodetic(c.x, c.y, c.z, &g.latitude, &g.longitude, &g.height);
    return GeodeticOutcome(0, in.mode(), g, kGeocentricReasons);
}

// --- Datum shifts ---

Outcome DatumToWgs84(ArgumentReader& in) {
    const std::int32_t index = in.WholeNumber("INDEX");
    const Geodetic g = ReadGeodetic(in);
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    Geodetic out;
    const auto flags = DatumShift::DatumToWgs84(index, g.latitude, g.longitude, g.height,
                                                out.latitude, out.longitude, out.height);
    return GeodeticOutcome(flags, in.mode(), out, kDatumShiftReasons);
}

Outcome DatumFromWgs84(ArgumentReader& in) {
    const Geodetic g = ReadGeodetic(in);
    const std::int32_t index = in.WholeNumber("INDEX");
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    Geodetic out;
    const auto flags = DatumShift::Wgs84ToDatum(g.latitude, g.longitude, g.height, index,
                                                out.latitude, out.longitude, out.height);
    return GeodeticOutcome(flags, in.mode(), out, kDatumShiftReasons);
}

Outcome GeocentricDatumToWgs84(ArgumentReader& in) {
    const std::int32_t index = in.WholeNumber("INDEX");
    const Cartesian c = ReadCartesian(in);
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    Cartesian out;
    const auto flags =
        DatumShift::GeocentricDatumToWgs84(index, c.x, c.y, c.z, out.x, out.y, out.z);
    return CartesianOutcome(flags, in.mode(), out, kDatumShiftReasons);
}

Outcome GeocentricDatumFromWgs84(ArgumentReader& in) {
    const Cartesian c = ReadCartesian(in);
    const std::int32_t index = in.WholeNumber("INDEX");
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    Cartesian out;
    const auto flags =
        DatumShift::GeocentricWgs84ToDatum(c.x, c.y, c.z, index, out.x, out.y, out.z);
    return CartesianOutcome(flags, in.mode(), out, kDatumShiftReasons);
}

template <void (*Shift)(double, double, double, double&, double&, double&)>
Outcome Wgs72Geodetic(ArgumentReader& in) {
    const Geodetic g = ReadGeodetic(in);
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    Geodetic out;
    Shift(g.latitude, g.longitude, g.height, out.latitude, out.longitude, out.height);
    return GeodeticOutcome(0, in.mode(), out, kDatumShiftReasons);
}

template <std::uint32_t (*Shift)(double, double, double, double&, double&, double&)>
Outcome Wgs72Geocentric(ArgumentReader& in) {
    const Cartesian c = ReadCartesian(in);
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    Cartesian out;
    const auto flags = Shift(c.x, c.y, c.z, out.x, out.y, out.z);
    // The flags are those of the final conversion back to geocentric.
    return CartesianOutcome(flags, in.mode(), out, kGeocentricReasons);
}

Outcome Molodensky(ArgumentReader& in) {
    const double a = in.Length("A");
    const double da = in.Length("DA");
    const double f = in.Number("F");
    const double df = in.Number("DF");
    const double dx = in.Length("DX");
    const double dy = in.Length("DY");
    const double dz = in.Length("DZ");
    const Geodetic g = ReadGeodetic(in);
    if (in.Failed()) {
        return Usage(in);
    }
    Geodetic out;
    DatumShift::ApplyMolodensky(a, da, f, df, dx, dy, dz, g.latitude, g.longitude, g.height,
                                out.latitude, out.longitude, out.height);
    return GeodeticOutcome(0, in.mode(), out, kDatumShiftReasons);
}

// --- Tables ---

Outcome EllipsoidFind(ArgumentReader& in) {
    const std::string code(in.Text());
    LibraryState::LoadTables();
    std::int32_t index = kUnwrittenInteger;
    const auto flags = EllipsoidTable::FindByCode(code.c_str(), &index);
    ResultLine out(in.mode(), flags);
    out.Integer(index);
    return OutcomeFromFlags(flags, out, kEllipsoidTableReasons);
}

Outcome EllipsoidParameters(ArgumentReader& in) {
    const std::int32_t index = in.WholeNumber("INDEX");
    if (in.Failed()) {
        return Usage(in);
    }
    LibraryState::LoadTables();
    double a = kUnwritten;
    double f = kUnwritten;
    const auto flags = EllipsoidTable::Parameters(index, &a, &f);
    ResultLine out(in.mode(), flags);
    out.Length(a).Number(f);
    return OutcomeFromFlags(flags, out, kEllipsoidTableReasons);
}

Outcome DatumFind(ArgumentReader& in) {
    const std::string code(in.Text());
    LibraryState::LoadTables();
    std::int32_t index = kUnwrittenInteger;
    const auto flags = DatumTable::FindByCode(code.c_str(), &index);
    ResultLine out(in.mode(), flags);
    out.Integer(index);
    return OutcomeFromFlags(flags, out, kDatumTableReasons);
}

const Command kCommands[] = {
    {"tm-set", "A F LAT0 LON0 FE FN K0", 7, TmSet},
    {"tm-forward", "LAT LON", 2, TmForward},
    {"tm-inverse", "EASTING NORTHING", 2, TmInverse},
    {"utm-set", "A F OVERRIDE", 3, UtmSet},
    {"utm-forward", "LAT LON", 2, UtmForward},
    {"utm-inverse", "ZONE HEMI EASTING NORTHING", 4, UtmInverse},
    {"geocentric-set", "A F", 2, GeocentricSet},
    {"geocentric-forward", "LAT LON H", 3, GeocentricForward},
    {"geocentric-inverse", "X Y Z", 3, GeocentricInverse},
    {"datum-to-wgs84", "INDEX LAT LON H", 4, DatumToWgs84},
    {"datum-from-wgs84", "LAT LON H INDEX", 4, DatumFromWgs84},
    {"geocentric-datum-to-wgs84", "INDEX X Y Z", 4, GeocentricDatumToWgs84},
    {"geocentric-datum-from-wgs84", "X Y Z INDEX", 4, GeocentricDatumFromWgs84},
    {"wgs72-to-wgs84", "LAT LON H", 3, Wgs72Geodetic<DatumShift::Wgs72ToWgs84>},
    {"wgs84-to-wgs72", "LAT LON H", 3, Wgs72Geodetic<DatumShift::Wgs84ToWgs72>},
    {"wgs72-to-wgs84-geocentric", "X Y Z", 3, Wgs72Geocentric<DatumShift::Wgs72ToWgs84Geocentric>},
    {"wgs84-to-wgs72-geocentric", "X Y Z", 3, Wgs72Geocentric<DatumShift::Wgs84ToWgs72Geocentric>},
    {"molodensky", "A DA F DF DX DY DZ LAT LON H", 10, Molodensky},
    {"ellipsoid-find", "CODE", 1, EllipsoidFind},
    {"ellipsoid-parameters", "INDEX", 1, EllipsoidParameters},
    {"datum-find", "CODE", 1, DatumFind},
};

}  // namespace

std::span<const Command> LibraryCommands() {
    return kCommands;
}
