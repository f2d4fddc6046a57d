// SPDX-License-Identifier: MIT
// The position behind the entry form. It is held once, as WGS 84 latitude and
// longitude in radians, and converted to and from each display format of the
// form (decimal degrees, degrees and minutes, degrees, minutes and seconds,
// UTM) on the chosen datum, with the display's rounding and carry rules.
#pragma once

#include <array>
#include <cstdint>

// The display formats, in the order of the form's format list.
enum CoordFormat : std::int32_t { Deg = 0, DegMin = 1, DegMinSec = 2, UTM = 3 };

// The datums in which positions can be entered and shown.
enum DatumChoice : std::int32_t { Wge = 0, Eur7 = 1, Dhdn = 2 };

// Pairs exchanged with the form: element 0 is the latitude, element 1 the
// longitude. Signs are +1 for north or east and -1 for south or west.
using SignPair = std::array<std::int32_t, 2>;
using ValuePair = std::array<double, 2>;

// A UTM grid position in metres, the northing first.
struct UtmCoordinates {
    double northing;
    double easting;
};

// pi and the factors between degrees and radians, computed from atan at
// program start; the form turns the engine's radians into degrees with the
// same 180/pi.
namespace AngleConstants {
extern const double kPi;
extern const double kPiOver180;
extern const double k180OverPi;
}  // namespace AngleConstants

class PositionEngine {
public:
    // Loads the datum and the ellipsoid tables (once per program) and selects
    // WGS 84, at latitude 0, longitude 0.
    PositionEngine();
    virtual ~PositionEngine();

    // Positions are entered and shown on this datum from now on, and UTM uses
    // its ellipsoid. The choice is one of the three values of DatumChoice.
    // Returns the flags of setting the UTM ellipsoid, 0 on success.
    std::uint32_t SelectDatum(DatumChoice choice);

    // Any values are taken as they are: no range test, no rounding.
    void SetFromDeg(const SignPair& sign, const ValuePair& degrees);
    void SetFromDegMin(const SignPair& sign, const ValuePair& degrees, const ValuePair& minutes);
    void SetFromDegMinSec(const SignPair& sign, const ValuePair& degrees, const ValuePair& minutes,
                          const ValuePair& seconds);
    // The hemisphere is north only for a sign of exactly +1. Input that UTM
    // refuses leaves the position as it was, and false is returned. A
    // position that comes with one of UTM's warnings is taken.
    bool SetFromUtm(std::int32_t hemisphereSign, std::int32_t zone, const UtmCoordinates& utm);

    // Degrees rounded half up to 6 decimals, minutes to 4, seconds to 2, with
    // carries so that minutes and seconds stay below 60.
    void GetDeg(SignPair& sign, ValuePair& degrees) const;
    void GetDegMin(SignPair& sign, ValuePair& degrees, ValuePair& minutes) const;
    void GetDegMinSec(SignPair& sign, ValuePair& degrees, ValuePair& minutes,
                      ValuePair& seconds) const;
    // Zone and whole metres in the zone that contains the position; returns the
    // hemisphere sign it writes. Where UTM refuses the position (beyond 84.5
    // degrees north or 80.5 south) the zone and metres stay as the caller had
    // them, rounded to whole metres, and the sign is that of the latitude.
    std::int32_t GetUtm(std::int32_t& hemisphereSign, std::int32_t& zone,
                        UtmCoordinates& utm) const;
    // The flags of UTM's forward for the held position, which GetUtm drops:
    // the form shows what GetUtm leaves, the companion refuses the position.
    std::uint32_t UtmFlags() const;

    // The held position in radians, on WGS 84 whatever the datum choice.
    void GetWgs84(double& latitude, double& longitude) const;

private:
    // A datum shift that refuses its input leaves the output as it was.
    void ConvertDatum(DatumChoice from, double latitude, double longitude, DatumChoice to,
                      double& latitudeOut, double& longitudeOut) const;
    // UTM's forward of the held position on the chosen datum; returns its flags.
    std::uint32_t ForwardUtm(std::int32_t& zone, char& hemisphere, UtmCoordinates& utm) const;
    // Sign and degrees rounded half up to 6 decimals, on the chosen datum.
    void GetRoundedDegrees(SignPair& sign, ValuePair& degrees) const;

    ValuePair position;  // latitude, longitude on WGS 84, radians
    DatumChoice datumChoice;
    std::int32_t ellipsoidIndex;  // 1-based, in the ellipsoid table
    std::int32_t datumIndex;      // 1-based, in the datum table
};
