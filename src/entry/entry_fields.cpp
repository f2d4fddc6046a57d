// SPDX-License-Identifier: MIT
#include "entry/entry_fields.h"

namespace {

constexpr int kLatitude = 0;

}  // namespace

bool StoreFields(PositionEngine& engine, CoordFormat format, const EntryFields& fields) {
    switch (format) {
        case Deg:
            engine.SetFromDeg(fields.sign, fields.degrees);
            break;
        case DegMin:
            engine.SetFromDegMin(fields.sign, fields.degrees, fields.minutes);
            break;
        case DegMinSec:
            engine.SetFromDegMinSec(fields.sign, fields.degrees, fields.minutes, fields.seconds);
            break;
        case UTM:
            return engine.SetFromUtm(fields.sign[kLatitude], fields.zone, fields.utm);
    }
    return true;
}

void ShowFields(const PositionEngine& engine, CoordFormat format, EntryFields& fields) {
    switch (format) {
        case Deg:
            engine.GetDeg(fields.sign, fields.degrees);
            break;
        case DegMin:
            engine.GetDegMin(fields.sign, fields.degrees, fields.minutes);
            break;
        case DegMinSec:
            engine.GetDegMinSec(fields.sign, fields.degrees, fields.minutes, fields.seconds);
            break;
        case UTM:
            engine.GetUtm(fields.sign[kLatitude], fields.zone, fields.utm);
            break;
    }
}
