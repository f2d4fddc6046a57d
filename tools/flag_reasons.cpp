// SPDX-License-Identifier: MIT
#include "flag_reasons.h"

#include <cstdio>

#include "geodesy/datum_shift.h"
#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "geodesy/geocentric_converter.h"
#include "projection/transverse_mercator.h"
#include "projection/utm_projection.h"

namespace {

namespace TM = TransverseMercator;
const FlagReason kTransverseMercator[] = {
    {TM::kLatitudeError, "latitude outside -89.99 to 89.99 degrees"},
    {TM::kLongitudeError, "longitude more than 90 degrees from the central meridian"},
    {TM::kEastingError, "easting outside the window, or longitude out of range"},
    {TM::kNorthingError, "northing outside the window, or latitude out of range"},
    {TM::kOriginLatitudeError, "origin latitude outside -90 to 90 degrees"},
    {TM::kCentralMeridianError, "central meridian outside -180 to 360 degrees"},
    {TM::kSemiMajorAxisError, "semi-major axis not above 0"},
    {TM::kFlatteningError, "inverse flattening outside 250 to 350"},
    {TM::kScaleFactorError, "scale factor outside 0.3 to 3"},
    {TM::kDistortionWarning, "point far from the central meridian"},
};

namespace Utm = UtmProjection;
const FlagReason kUtm[] = {
    {Utm::kLatitudeError, "latitude outside -80.5 to 84.5 degrees"},
    {Utm::kLongitudeError, "longitude outside -180 to 360 degrees"},
    {Utm::kEastingError, "easting outside 100000 to 900000 m"},
    {Utm::kNorthingError, "northing outside 0 to 10000000 m, or latitude out of range"},
    {Utm::kZoneError, "zone outside 1 to 60"},
    {Utm::kHemisphereError, "hemisphere neither N nor S"},
    {Utm::kZoneOverrideError, "zone override outside 0 to 60 or not next to the zone"},
    {Utm::kSemiMajorAxisError, "semi-major axis not above 0"},
    {Utm::kFlatteningError, "inverse flattening outside 250 to 350"},
};

namespace Geocentric = GeocentricConverter;
const FlagReason kGeocentric[] = {
    {Geocentric::kLatitudeError, "latitude outside -90 to 90 degrees"},
    {Geocentric::kLongitudeError, "longitude outside -180 to 360 degrees"},
    {Geocentric::kSemiMajorAxisError, "semi-major axis not above 0"},
    {Geocentric::kFlatteningError, "inverse flattening outside 250 to 350"},
};

const FlagReason kDatumShift[] = {
    {DatumShift::kNotLoadedError, "datum table not loaded"},
    {DatumShift::kSourceIndexError, "unknown datum index"},
    {DatumShift::kTargetIndexError, "unknown datum index"},
    {DatumShift::kLatitudeError, "latitude outside -90 to 90 degrees"},
    {DatumShift::kLongitudeError, "longitude outside -180 to 360 degrees"},
    {DatumShift::kEllipsoidError, "the datum's ellipsoid is not in the ellipsoid table"},
};

const FlagReason kDatumTable[] = {
    {DatumTable::kNotLoadedError, "datum table not loaded"},
    {DatumTable::kTooManySevenParameterError, "too many seven-parameter datums"},
    {DatumTable::kTooManyThreeParameterError, "too many three-parameter datums"},
    {DatumTable::kUnknownCodeError, "unknown datum code"},
    {DatumTable::kLoadFailed, "datum table failed to load"},
};

const FlagReason kEllipsoidTable[] = {
    {EllipsoidTable::kMissingWgsError, "WGS 84 or WGS 72 missing from the ellipsoid table"},
    {EllipsoidTable::kTooManyRowsError, "too many ellipsoids"},
    {EllipsoidTable::kNotLoadedError, "ellipsoid table not loaded"},
    {EllipsoidTable::kIndexError, "unknown ellipsoid index"},
    {EllipsoidTable::kUnknownCodeError, "unknown ellipsoid code"},
};

}  // namespace

const FlagReasons kTransverseMercatorReasons = kTransverseMercator;
const FlagReasons kUtmReasons = kUtm;
const FlagReasons kGeocentricReasons = kGeocentric;
const FlagReasons kDatumShiftReasons = kDatumShift;
const FlagReasons kDatumTableReasons = kDatumTable;
const FlagReasons kEllipsoidTableReasons = kEllipsoidTable;

std::string DescribeFlags(std::uint32_t flags, FlagReasons reasons) {
    std::string text;
    std::uint32_t described = 0;
    for (const FlagReason& reason : reasons) {
        if ((flags & reason.flag) != 0) {
            if (!text.empty()) {
                text += "; ";
            }
            text += reason.text;
            described |= reason.flag;
        }
    }
    if (described != flags) {
        text += text.empty() ? "refused" : "; other flags";
    }
    char number[32];
    std::snprintf(number, sizeof number, " (flags 0x%04X)", flags);
    return text + number;
}
