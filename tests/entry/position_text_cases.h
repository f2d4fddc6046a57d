// SPDX-License-Identifier: MIT
// The position texts people paste, each with what the reader makes of it: the
// format it is written in and its fields as the companion takes them
// ("deg LAT N LON E", "dm D M N D M E", "dms D M S N D M S E", "utm ZONE N
// NORTHING EASTING"), or the reason it is refused. The reader's unit test and
// the companion's test both run through this one table.
#pragma once

#include <string>

#include "entry/position_text.h"

struct PositionTextCase {
    const wchar_t* text;
    PositionText::Kind kind;
    const char* format;  // accepted: deg, dm, dms or utm
    const char* fields;  // accepted: the fields in the format's order
    TextRefusal refusal = TextRefusal::Unreadable;
    int squareSide = 0;
};

namespace position_text_cases {

// The texts as the command line hands them over.
inline std::string Utf8(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        const auto code = static_cast<unsigned>(c);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

constexpr auto kTaken = PositionText::Kind::Position;
constexpr auto kRefused = PositionText::Kind::Refused;
constexpr auto kOther = PositionText::Kind::NotAPosition;

inline const PositionTextCase kCases[] = {
    // Web maps, listings and encyclopaedias.
    {L"53.550100, 9.993700", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"N 53° 33.006 E 009° 59.622", kTaken, "dm", "53 33.006 N 9 59.622 E"},
    {L"N 53° 33.006' E 009° 59.622'", kTaken, "dm", "53 33.006 N 9 59.622 E"},
    {L"53°33′N 10°00′E", kTaken, "dm", "53 33 N 10 0 E"},
    {L"53°33′0.36″N 9°59′37.32″E", kTaken, "dms", "53 33 0.36 N 9 59 37.32 E"},
    {L"53º33'0.36''N 9º59'37.32''E", kTaken, "dms", "53 33 0.36 N 9 59 37.32 E"},
    {L"53˚33’0.36”N 9˚59’37.32”E", kTaken, "dms", "53 33 0.36 N 9 59 37.32 E"},
    {L"53d 33' 0.36\" N, 9d 59' 37.32\" E", kTaken, "dms", "53 33 0.36 N 9 59 37.32 E"},
    {L"53°33´N 9°59´E", kTaken, "dm", "53 33 N 9 59 E"},
    {L"53.5501° N, 9.9937° E", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53,5501° N 9,9937° E", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53,5501; 9,9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53.5501/9.9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53.5501 9.9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"(53.5501, 9.9937)", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53 33.006 9 59.622", kTaken, "dm", "53 33.006 N 9 59.622 E"},
    {L"N53.5501 E9.9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53.5501N 9.9937E", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"E 9.9937 N 53.5501", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"9,9937 O 53,5501 N", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"-33.9249, 18.4241", kTaken, "deg", "33.9249 S 18.4241 E"},
    {L"\u221233.9249,\u221270.6", kTaken, "deg", "33.9249 S 70.6 W"},
    {L"S 33° 55.494 W 070° 38.1", kTaken, "dm", "33 55.494 S 70 38.1 W"},
    {L"Lat: 53.5501 Lon: 9.9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"Latitude: -33.9249, Longitude: 18.4241", kTaken, "deg", "33.9249 S 18.4241 E"},
    {L"Breite 53,5501, Länge 9,9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"Lon 9.9937 Lat 53.5501", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53° 33′ nördlicher Breite, 10° östlicher Länge", kTaken, "dm", "53 33 N 10 0 E"},
    {L"Koordinaten: N 53° 33.006 E 009° 59.622", kTaken, "dm", "53 33.006 N 9 59.622 E"},
    {L"\uFEFF 53.5501\u00A0N 9.9937\u2009E ", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"53 N 10 E", kTaken, "deg", "53 N 10 E"},
    {L"90, 180", kTaken, "deg", "90 N 180 E"},
    {L"53°33′N 10°00′E / 53.550°N 10.000°E / 53.550; 10.000", kTaken, "dm", "53 33 N 10 0 E"},
    {L"53°33′8″N 9°59′38″E\uFEFF / \uFEFF53.55222°N 9.99389°E\uFEFF / 53.55222; 9.99389", kTaken,
     "dms", "53 33 8 N 9 59 38 E"},
    // Links.
    {L"geo:53.5501,9.9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"geo:-33.9249,18.4241,12;u=35", kTaken, "deg", "33.9249 S 18.4241 E"},
    {L"geo:0,0?q=53.5501,9.9937(Hafen)", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"https://www.openstreetmap.org/?mlat=53.5501&mlon=9.9937#map=15/53.5502/9.9936", kTaken,
     "deg", "53.5501 N 9.9937 E"},
    {L"https://www.openstreetmap.org/#map=15/53.5501/9.9937", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"https://www.google.com/maps/@53.5501,9.9937,15z", kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"https://www.google.com/maps/place/Hamburg/@53.55,9.99,12z/"
     L"data=!3m1!4b1!8m2!3d53.5501!4d9.9937",
     kTaken, "deg", "53.5501 N 9.9937 E"},
    {L"https://maps.google.com/?ll=53.5501,-9.9937", kTaken, "deg", "53.5501 N 9.9937 W"},
    {L"https://www.google.com/maps/search/?api=1&query=53.5501%2C9.9937", kTaken, "deg",
     "53.5501 N 9.9937 E"},
    {L"https://maps.google.com/?q=N+53%C2%B0+33.006+E+9%C2%B0+59.622", kTaken, "dm",
     "53 33.006 N 9 59.622 E"},
    {L"https://maps.apple.com/?ll=53.5501,9.9937&q=Hafen", kTaken, "deg", "53.5501 N 9.9937 E"},
    // Grid positions.
    {L"32U 566331 5928359", kTaken, "utm", "32 N 5928359 566331"},
    {L"32 U E 566331 N 5928359", kTaken, "utm", "32 N 5928359 566331"},
    {L"32U N 5928359 E 566331", kTaken, "utm", "32 N 5928359 566331"},
    {L"UTM 32U 566331mE 5928359mN", kTaken, "utm", "32 N 5928359 566331"},
    {L"32 north 566331 5928359", kTaken, "utm", "32 N 5928359 566331"},
    {L"32N 566331 5928359", kTaken, "utm", "32 N 5928359 566331"},
    {L"34 Süd 261882 6243182", kTaken, "utm", "34 S 6243182 261882"},
    {L"34H 261882 6243182", kTaken, "utm", "34 S 6243182 261882"},
    {L"33X 514279 8683355", kTaken, "utm", "33 N 8683355 514279"},
    {L"32UNE6633128359", kTaken, "utm", "32 N 5928359.5 566331.5", TextRefusal::Unreadable, 1},
    {L"32U NE 66331 28359", kTaken, "utm", "32 N 5928359.5 566331.5", TextRefusal::Unreadable, 1},
    {L"32UNE6628", kTaken, "utm", "32 N 5928500 566500", TextRefusal::Unreadable, 1000},
    {L"34HBH6188143182", kTaken, "utm", "34 S 6243182.5 261881.5", TextRefusal::Unreadable, 1},
    {L"33XWG1427883355", kTaken, "utm", "33 N 8683355.5 514278.5", TextRefusal::Unreadable, 1},
    {L"17MQV7827699944", kTaken, "utm", "17 S 9999944.5 778276.5", TextRefusal::Unreadable, 1},
    {L"29SPT3004407596", kTaken, "utm", "29 N 3707596.5 630044.5", TextRefusal::Unreadable, 1},
    {L"3HTA", kTaken, "utm", "3 S 6050000 250000", TextRefusal::Unreadable, 100000},

    // Refused, with the reason.
    {L"53° 60.5′ N 10° E", kRefused, "", "", TextRefusal::MinutesOrSeconds},
    {L"53°33′75″N 10°E", kRefused, "", "", TextRefusal::MinutesOrSeconds},
    {L"53 60 9 59", kRefused, "", "", TextRefusal::MinutesOrSeconds},
    {L"-53.5 S, 10 E", kRefused, "", "", TextRefusal::SignAndLetter},
    {L"53 N 10 S", kRefused, "", "", TextRefusal::TwoLatitudes},
    {L"10 E 53 W", kRefused, "", "", TextRefusal::TwoLongitudes},
    {L"Lat 53 Lat 10", kRefused, "", "", TextRefusal::TwoLatitudes},
    {L"Lat 53 E, 10", kRefused, "", "", TextRefusal::TwoLongitudes},
    {L"120.5, 45.2", kRefused, "", "", TextRefusal::LongitudeFirst},
    {L"95 N 10 E", kRefused, "", "", TextRefusal::LatitudeRange},
    {L"90° 30′ N 10° E", kRefused, "", "", TextRefusal::LatitudeRange},
    {L"53 N 190 E", kRefused, "", "", TextRefusal::LongitudeRange},
    {L"53.5 N", kRefused, "", "", TextRefusal::OnlyOneCoordinate},
    {L"53.5, 10, 54, 11", kRefused, "", "", TextRefusal::MoreThanOnePosition},
    {L"53.5 N 10 E\n54 N 11 E", kRefused, "", "", TextRefusal::MoreThanOnePosition},
    {L"53°33′N 10°00′E / 54.550°N 10.000°E", kRefused, "", "", TextRefusal::MoreThanOnePosition},
    {L"5.35501e1, 9.9937", kRefused, "", "", TextRefusal::Exponent},
    {L"33S 500000 4000000", kRefused, "", "", TextRefusal::BandOrSouth},
    {L"32U 566331 3928359", kRefused, "", "", TextRefusal::OutsideBand},
    {L"32T 566331 5928359", kRefused, "", "", TextRefusal::OutsideBand},
    {L"32UNE6633128", kRefused, "", "", TextRefusal::Unreadable},
    {L"32 north 50000 5928359", kRefused, "", "", TextRefusal::GridRange},
    {L"3 south 250000 50000", kRefused, "", "", TextRefusal::GridRange},  // beyond the pole
    {L"32ZNE6633128359", kRefused, "", "", TextRefusal::PolarGrid},
    {L"32VNE6633128359", kRefused, "", "", TextRefusal::OutsideBand},
    {L"https://maps.app.goo.gl/abcDEF123", kRefused, "", "", TextRefusal::NeedsOnlineService},
    {L"https://osm.org/go/0GMZ6~", kRefused, "", "", TextRefusal::NeedsOnlineService},
    {L"///index.home.raft", kRefused, "", "", TextRefusal::NeedsOnlineService},
    {L"https://maps.google.com/?q=Hamburg+Hafen", kRefused, "", "",
     TextRefusal::NeedsOnlineService},
    {L"https://www.example.com/page", kRefused, "", "", TextRefusal::LinkWithoutPosition},
    {L"53.5 30' N, 10 E", kRefused, "", "", TextRefusal::Unreadable},
    {L"53 33 12", kRefused, "", "", TextRefusal::Unreadable},
    {L"53,5,10", kRefused, "", "", TextRefusal::Unreadable},
    {L"53.5-10.2", kRefused, "", "", TextRefusal::Unreadable},
    {L"53.5 - 10.2", kRefused, "", "", TextRefusal::Unreadable},

    // Anything else pastes as text.
    {L"53.5", kOther, "", ""},
    {L"-10", kOther, "", ""},
    {L"566331", kOther, "", ""},
    {L"Hafen", kOther, "", ""},
    {L"Room 5, Harbour Street 12", kOther, "", ""},
    {L"", kOther, "", ""},
};

}  // namespace position_text_cases
