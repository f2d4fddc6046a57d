// SPDX-License-Identifier: MIT
#include "engine/position_engine.h"

#include <cmath>
#include <limits>

#include "engine/truncation.h"
#include "geodesy/datum_shift.h"
#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "projection/utm_projection.h"

namespace AngleConstants {
const double kPi = 4.0 * std::atan(1.0);
const double kPiOver180 = kPi * (1.0 / 180.0);
const double k180OverPi = 180.0 / kPi;
}  // namespace AngleConstants

namespace {

using AngleConstants::k180OverPi;
using AngleConstants::kPiOver180;

// Division by 60 is always this multiplication; the display roundings depend
// on the exact double.
constexpr double kOneSixtieth = 0.016666666666666666;

// The datum and the ellipsoid of each choice, by their codes in the tables.
// The ellipsoid is fixed here, not taken from the datum record.
struct ChoiceCodes {
    const char* datum;
    const char* ellipsoid;
};
constexpr ChoiceCodes kChoiceCodes[] = {
    {"WGE", "WE"},    // Wge: WGS 84
    {"EUR-7", "IN"},  // Eur7: European 1950, International 1924
    {"DHDN", "BR"},   // Dhdn: Potsdam datum, Bessel 1841
};

// Toward zero, kept as a double. The display roundings add 0.5 to a
// non-negative value and truncate, which rounds it half up.
double Truncate(double value) {
    return static_cast<double>(Truncation::ToInt32(value));
}

}  // namespace

PositionEngine::PositionEngine()
    : position{0.0, 0.0}, datumChoice(Wge), ellipsoidIndex(0), datumIndex(0) {
    DatumTable::Load();
    EllipsoidTable::Load();
    SelectDatum(Wge);
}

PositionEngine::~PositionEngine() = default;

std::uint32_t PositionEngine::SelectDatum(DatumChoice choice) {
    datumChoice = choice;
    const ChoiceCodes& codes = kChoiceCodes[choice];
    DatumTable::FindByCode(codes.datum, &datumIndex);
    EllipsoidTable::FindByCode(codes.ellipsoid, &ellipsoidIndex);
    double a = 0.0;
    double f = 0.0;
    EllipsoidTable::Parameters(ellipsoidIndex, &a, &f);
    return UtmProjection::SetParameters(a, f, 0);
}

void PositionEngine::ConvertDatum(DatumChoice from, double latitude, double longitude,
                                  DatumChoice to, double& latitudeOut, double& longitudeOut) const {
    if (from == to) {
        latitudeOut = latitude;
        longitudeOut = longitude;
        return;
    }
    // One side is always WGS 84; the engine holds no height.
    double height = 0.0;
    if (from != Wge) {
        DatumShift::DatumToWgs84(datumIndex, latitude, longitude, 0.0, latitudeOut, longitudeOut,
                                 height);
    } else {
        DatumShift::Wgs84ToDatum(latitude, longitude, 0.0, datumIndex, latitudeOut, longitudeOut,
                                 height);
    }
}

void PositionEngine::SetFromDeg(const SignPair& sign, const ValuePair& degrees) {
    ValuePair angle;
    for (int i = 0; i < 2; ++i) {
        angle[i] = static_cast<double>(sign[i]) * degrees[i] * kPiOver180;
    }
    ConvertDatum(datumChoice, angle[0], angle[1], Wge, position[0], position[1]);
}

void PositionEngine::SetFromDegMin(const SignPair& sign, const ValuePair& degrees,
                                   const ValuePair& minutes) {
    ValuePair angle;
    for (int i = 0; i < 2; ++i) {
        angle[i] =
            (minutes[i] * kOneSixtieth + degrees[i]) * static_cast<double>(sign[i]) * kPiOver180;
    }
    ConvertDatum(datumChoice, angle[0], angle[1], Wge, position[0], position[1]);
}

void PositionEngine::SetFromDegMinSec(const SignPair& sign, const ValuePair& degrees,
                                      const ValuePair& minutes, const ValuePair& seconds) {
    ValuePair angle;
    for (int i = 0; i < 2; ++i) {
        angle[i] = ((seconds[i] * kOneSixtieth + minutes[i]) * kOneSixtieth + degrees[i]) *
                   static_cast<double>(sign[i]) * kPiOver180;
    }
    ConvertDatum(datumChoice, angle[0], angle[1], Wge, position[0], position[1]);
}

bool PositionEngine::SetFromUtm(std::int32_t hemisphereSign, std::int32_t zone,
                                const UtmCoordinates& utm) {
    const char hemisphere = hemisphereSign == 1 ? 'N' : 'S';
    // The inverse writes nothing for input it refuses; the NaN left behind
    // then keeps the held position.
    double latitude = std::numeric_limits<double>::quiet_NaN();
    double longitude = std::numeric_limits<double>::quiet_NaN();
    UtmProjection::Inverse(zone, hemisphere, utm.easting, utm.northing, &latitude, &longitude);
    if (std::isnan(latitude) || std::isnan(longitude)) {
        return false;
    }
    ConvertDatum(datumChoice, latitude, longitude, Wge, position[0], position[1]);
    return true;
}

void PositionEngine::GetRoundedDegrees(SignPair& sign, ValuePair& degrees) const {
    // Should the shift refuse the held position, it is shown unshifted.
    ValuePair shown = position;
    ConvertDatum(Wge, position[0], position[1], datumChoice, shown[0], shown[1]);
    for (int i = 0; i < 2; ++i) {
        const double v = shown[i];
        sign[i] = v >= 0.0 ? 1 : -1;
        degrees[i] = Truncate(std::fabs(v) * k180OverPi * 1000000.0 + 0.5) * 0.000001;
    }
}

void PositionEngine::GetDeg(SignPair& sign, ValuePair& degrees) const {
    GetRoundedDegrees(sign, degrees);
}

void PositionEngine::GetDegMin(SignPair& sign, ValuePair& degrees, ValuePair& minutes) const {
    ValuePair x;
    GetRoundedDegrees(sign, x);
    for (int i = 0; i < 2; ++i) {
        degrees[i] = Truncate(x[i]);
        minutes[i] = Truncate((x[i] - degrees[i]) * 600000.0 + 0.5) * 0.0001;
        // 59.9999 minutes as rounded here come out just above the literal, so
        // they are carried along with a full 60.
        if (minutes[i] > 59.9999) {
            minutes[i] = 0.0;
            degrees[i] = degrees[i] + 1.0;
        }
    }
}

void PositionEngine::GetDegMinSec(SignPair& sign, ValuePair& degrees, ValuePair& minutes,
                                  ValuePair& seconds) const {
    ValuePair x;
    GetRoundedDegrees(sign, x);
    for (int i = 0; i < 2; ++i) {
        degrees[i] = Truncate(x[i]);
        // Whole minutes, cut from the minutes rounded to 4 decimals as shown in DegMin.
        minutes[i] = Truncate(Truncate((x[i] - degrees[i]) * 600000.0 + 0.5) * 0.0001);
        seconds[i] =
            Truncate(((x[i] - degrees[i]) - minutes[i] * kOneSixtieth) * 360000.0 + 0.5) * 0.01;
        // 59.99 seconds come out as exactly the literal and stay; 60 are carried.
        if (seconds[i] > 59.99) {
            seconds[i] = 0.0;
            minutes[i] = minutes[i] + 1.0;
        }
        if (minutes[i] > 59.9999) {
            minutes[i] = 0.0;
            degrees[i] = degrees[i] + 1.0;
        }
    }
}

std::int32_t PositionEngine::GetUtm(std::int32_t& hemisphereSign, std::int32_t& zone,
                                    UtmCoordinates& utm) const {
    char hemisphere = 'N';
    ForwardUtm(zone, hemisphere, utm);
    utm.northing = Truncate(utm.northing + 0.5);
    utm.easting = Truncate(utm.easting + 0.5);
    hemisphereSign = hemisphere == 'N' ? 1 : -1;
    return hemisphereSign;
}

std::uint32_t PositionEngine::UtmFlags() const {
    std::int32_t zone = 0;
    char hemisphere = 'N';
    UtmCoordinates utm{0.0, 0.0};
    return ForwardUtm(zone, hemisphere, utm);
}

std::uint32_t PositionEngine::ForwardUtm(std::int32_t& zone, char& hemisphere,
                                         UtmCoordinates& utm) const {
    double latitude = position[0];
    double longitude = position[1];
    ConvertDatum(Wge, position[0], position[1], datumChoice, latitude, longitude);
    // The forward writes no hemisphere for a position it refuses; the sign of
    // the latitude stands in, as the forward would have derived it.
    hemisphere = latitude >= 0.0 ? 'N' : 'S';
    return UtmProjection::Forward(latitude, longitude, &zone, &hemisphere, &utm.easting,
                                  &utm.northing);
}

void PositionEngine::GetWgs84(double& latitude, double& longitude) const {
    latitude = position[0];
    longitude = position[1];
}
