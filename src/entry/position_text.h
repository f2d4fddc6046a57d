// SPDX-License-Identifier: MIT
// The reader of position text: what people copy from web maps, cache
// listings, encyclopaedias and surveys, read into the fields of the display
// format it is written in, or refused with a reason. The entry form's paste
// and the companion's "text" format share it; a text it cannot read beyond
// doubt is refused, never guessed.
#pragma once

#include <string_view>

#include "engine/position_engine.h"
#include "entry/entry_fields.h"

// Why a text that looks like a position is not taken.
enum class TextRefusal {
    Unreadable,           // which number is what cannot be told
    MinutesOrSeconds,     // 60 or more
    SignAndLetter,        // "-53.5 S"
    TwoLatitudes,         // two N/S, or two latitude labels
    TwoLongitudes,        // two E/W, or two longitude labels
    LongitudeFirst,       // the first value is above 90, the second is not
    LatitudeRange,        // above 90 degrees
    LongitudeRange,       // above 180 degrees
    OnlyOneCoordinate,    // a latitude or a longitude alone
    MoreThanOnePosition,  // also forms of one place that disagree
    Exponent,             // "5.35e1"
    BandOrSouth,          // "33S 500000 4000000": band S or the southern hemisphere?
    OutsideBand,          // a grid position outside the latitude band it names
    GridRange,            // a grid position UTM cannot convert
    PolarGrid,            // a grid reference beyond the UTM area
    NeedsOnlineService,   // a short link, a place name in a link, a three-word address
    LinkWithoutPosition,  // a link that holds no position
};
constexpr int kTextRefusalCount = static_cast<int>(TextRefusal::LinkWithoutPosition) + 1;

struct PositionText {
    enum class Kind {
        NotAPosition,  // any other text: no digits, one bare number, words we do not know
        Refused,       // it looks like a position, and refusal says why it is not taken
        Position,      // format and the fields of that format are filled in
    };
    Kind kind = Kind::NotAPosition;
    CoordFormat format = Deg;
    TextRefusal refusal = TextRefusal::Unreadable;
    // A grid reference (MGRS) names a square, and its centre is taken: the
    // side of that square in metres; 0 for a text that names a point.
    int squareSide = 0;
};

// Reads the text. For a position, writes the fields of its format (signs,
// degrees, minutes and seconds as written; or zone, hemisphere, northing and
// easting) into fields and leaves the others as they are. A grid position is
// checked against its band with UTM as it is set now (the program keeps it
// on WGS 84).
PositionText ReadPositionText(std::wstring_view text, EntryFields& fields);

// Why the text is refused, as Windows-1252 text indexed by the interface
// language (German 0, English 1); the English texts are plain ASCII.
const char* TextRefusalMessage(TextRefusal refusal, int language);
// That a grid reference's square stands for its centre: a format with one
// %d, the side of the square in metres, indexed as above.
extern const char* const SquareCentreMessages[2];
