// SPDX-License-Identifier: MIT
// What the parts of the reader of position text hand each other: a text's
// reading before it becomes the reader's result. The parts (tokens, degrees,
// grid positions, plain text, links) share the namespace PositionTextParts.
#pragma once

#include "entry/entry_fields.h"
#include "entry/position_text.h"

namespace PositionTextParts {

constexpr int kLatitude = 0;
constexpr int kLongitude = 1;

// --- What a text reads as, before it becomes a result

struct Reading {
    PositionText result;
    EntryFields fields;
    // Degrees and minutes or seconds forms: the position in signed degrees
    // and the unit of its last digit, so that forms of one place can be compared.
    double latitude = 0.0;
    double longitude = 0.0;
    double resolution = 0.0;
};

inline Reading Refuse(TextRefusal why) {
    Reading reading;
    reading.result.kind = PositionText::Kind::Refused;
    reading.result.refusal = why;
    return reading;
}

}  // namespace PositionTextParts
