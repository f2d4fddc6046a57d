// SPDX-License-Identifier: MIT
// The ranges of the entry form's number fields, which its data exchange
// checks. The form and the companion take them from here, so that the
// companion refuses a field exactly where the form does.
#pragma once

struct FieldRange {
    double low;
    double high;
};

// Signs are never typed: every range starts at 0, and the hemisphere comes
// from the hemisphere letter.
namespace FieldRanges {
constexpr int kZoneLow = 0;
constexpr int kZoneHigh = 60;
constexpr FieldRange kLatitudeDegrees{0.0, 90.0};
constexpr FieldRange kLongitudeDegrees{0.0, 180.0};
constexpr FieldRange kMinutes{0.0, 60.0};
constexpr FieldRange kSeconds{0.0, 60.0};
constexpr FieldRange kNorthing{0.0, 20000000.0};
constexpr FieldRange kEasting{0.0, 900000.0};
}  // namespace FieldRanges
