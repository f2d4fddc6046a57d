// SPDX-License-Identifier: MIT
// Fuzzes the position engine with whatever a caller can hand it: every Set
// operation with any signs, zones and doubles (NaN, infinities, huge values,
// negative zero), then every Get. The engine takes any input, so beyond
// running clean the read-outs must always be showable: signs of +1 or -1,
// whole degrees, minutes and seconds below 60 that add up to the degrees
// shown, and on WGS 84 a Deg read-out entered again reads out the same.
//
// The input is read from the front: one byte for the datum, then steps of one
// byte for the Set operation and its arguments; a missing byte reads as 0.
// A double is one byte that picks a value worth trying, or, from 0x20 on, the
// next eight bytes as they are.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

#include "engine/position_engine.h"
#include "property_check.h"

namespace {

class Input {
public:
    Input(const std::uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_size == 0; }

    template <typename T>
    T Take() {
        unsigned char bytes[sizeof(T)] = {};
        const size_t n = m_size < sizeof(T) ? m_size : sizeof(T);
        std::memcpy(bytes, m_data, n);
        m_data += n;
        m_size -= n;
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    double TakeDouble() {
        constexpr double kInf = std::numeric_limits<double>::infinity();
        static const double kPicks[] = {0.0,
                                        -0.0,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        -std::nan(""),
                                        kInf,
                                        -kInf,
                                        std::numeric_limits<double>::max(),
                                        std::numeric_limits<double>::lowest(),
                                        std::numeric_limits<double>::min(),
                                        std::numeric_limits<double>::denorm_min(),
                                        1e300,
                                        -1e300,
                                        90.0,
                                        -90.0,
                                        180.0,
                                        360.0,
                                        59.99,
                                        59.9999,
                                        60.0,
                                        10.999999,
                                        10.999998,
                                        53.5,
                                        2147.483647,
                                        2147.483648,
                                        500000.0,
                                        100000.0,
                                        900000.0,
                                        10000000.0,
                                        5929000.0,
                                        84.5,
                                        -80.5,
                                        1e-300};
        const std::uint8_t pick = Take<std::uint8_t>();
        if (pick < std::size(kPicks)) {
            return kPicks[pick];
        }
        return Take<double>();
    }

    SignPair TakeSigns() { return {Take<std::int32_t>(), Take<std::int32_t>()}; }
    ValuePair TakePair() { return {TakeDouble(), TakeDouble()}; }

private:
    const std::uint8_t* m_data;
    size_t m_size;
};

bool IsWhole(double value) {
    return value == std::trunc(value);
}

bool IsSign(std::int32_t sign) {
    return sign == 1 || sign == -1;
}

// Whole degrees, minutes and seconds in [0, 60) that together give the
// degrees shown by Deg, rounded: minutes to four decimals and seconds to two.
void CheckReadOuts(const PositionEngine& engine) {
    SignPair sign;
    ValuePair degrees;
    engine.GetDeg(sign, degrees);
    SignPair dmSign;
    ValuePair dmDegrees, minutes;
    engine.GetDegMin(dmSign, dmDegrees, minutes);
    SignPair dmsSign;
    ValuePair dmsDegrees, dmsMinutes, seconds;
    engine.GetDegMinSec(dmsSign, dmsDegrees, dmsMinutes, seconds);
    for (int i = 0; i < 2; ++i) {
        Check(IsSign(sign[i]) && dmSign[i] == sign[i] && dmsSign[i] == sign[i],
              "each format gives the same sign, +1 or -1");
        Check(degrees[i] >= 0.0 && degrees[i] < 2147.5, "Deg gives the degrees as a count");
        Check(IsWhole(dmDegrees[i]) && minutes[i] >= 0.0 && minutes[i] < 60.0,
              "DegMin gives whole degrees and minutes below 60");
        // Minutes that round to 59.9999 are carried, one ten-thousandth off.
        const bool carried = minutes[i] == 0.0 && dmDegrees[i] > degrees[i];
        Check(std::fabs(dmDegrees[i] + minutes[i] / 60.0 - degrees[i]) <=
                  (carried ? 0.0001501 : 0.0000501) / 60.0,
              "DegMin gives the degrees of Deg");
        Check(IsWhole(dmsDegrees[i]) && IsWhole(dmsMinutes[i]) && dmsMinutes[i] >= 0.0 &&
                  dmsMinutes[i] < 60.0 && seconds[i] >= 0.0 && seconds[i] < 60.0,
              "DegMinSec gives whole degrees and minutes and seconds below 60");
        Check(std::fabs(dmsDegrees[i] + dmsMinutes[i] / 60.0 + seconds[i] / 3600.0 - degrees[i]) <=
                  0.005001 / 3600.0,
              "DegMinSec gives the degrees of Deg");
    }

    std::int32_t hemisphere = 0;
    std::int32_t zone = -7;
    UtmCoordinates utm{0.25, -0.75};
    const std::int32_t returned = engine.GetUtm(hemisphere, zone, utm);
    Check(IsSign(hemisphere) && returned == hemisphere, "UTM gives a hemisphere sign");
    Check(zone == -7 || (zone >= 1 && zone <= 60), "UTM gives a zone, or leaves it alone");
    Check(IsWhole(utm.northing) && IsWhole(utm.easting), "UTM gives whole metres");
}

// Entering what Deg shows must show it again. Only the sign of a zero may
// change: -0.000000 is entered as -0.0, which reads back as north or east.
void CheckDegIdempotent(const PositionEngine& engine) {
    SignPair sign;
    ValuePair degrees;
    engine.GetDeg(sign, degrees);
    PositionEngine again;
    again.SetFromDeg(sign, degrees);
    SignPair signAgain;
    ValuePair degreesAgain;
    again.GetDeg(signAgain, degreesAgain);
    for (int i = 0; i < 2; ++i) {
        Check(degreesAgain[i] == degrees[i] && (signAgain[i] == sign[i] || degrees[i] == 0.0),
              "a Deg read-out entered again reads out the same");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    Input input(data, size);
    PositionEngine engine;
    const auto datum = static_cast<DatumChoice>(input.Take<std::uint8_t>() % 3);
    engine.SelectDatum(datum);
    do {
        switch (input.Take<std::uint8_t>() % 4) {
            case Deg: {
                const SignPair sign = input.TakeSigns();
                engine.SetFromDeg(sign, input.TakePair());
                break;
            }
            case DegMin: {
                const SignPair sign = input.TakeSigns();
                const ValuePair degrees = input.TakePair();
                engine.SetFromDegMin(sign, degrees, input.TakePair());
                break;
            }
            case DegMinSec: {
                const SignPair sign = input.TakeSigns();
                const ValuePair degrees = input.TakePair();
                const ValuePair minutes = input.TakePair();
                engine.SetFromDegMinSec(sign, degrees, minutes, input.TakePair());
                break;
            }
            case UTM: {
                const std::int32_t hemisphere = input.Take<std::int32_t>();
                const std::int32_t zone = input.Take<std::int32_t>();
                const double northing = input.TakeDouble();
                engine.SetFromUtm(hemisphere, zone, {northing, input.TakeDouble()});
                break;
            }
        }
        CheckReadOuts(engine);
        if (datum == Wge) {
            CheckDegIdempotent(engine);
        }
        double latitude;
        double longitude;
        engine.GetWgs84(latitude, longitude);
    } while (!input.Empty());
    return 0;
}
