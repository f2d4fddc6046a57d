// SPDX-License-Identifier: MIT
// The library operations, one library call per command, so that every
// operation can be checked from outside with the inputs and outputs it has.
// Each is one row: its arguments and outputs by kind, and the call; the help,
// the count of arguments, their reading and the result line come from it.

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "command_table.h"
#include "geodesy/datum_shift.h"
#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "geodesy/geocentric_converter.h"
#include "library_state.h"
#include "projection/transverse_mercator.h"
#include "projection/utm_projection.h"

namespace {

// The most numbers an operation takes (molodensky's).
constexpr std::size_t kMostNumbers = 10;

// The arguments as read, in order: the numbers, and the one whole number,
// character or text an operation takes.
struct Inputs {
    std::array<double, kMostNumbers> number{};
    std::int32_t whole = 0;
    char character = '\0';
    std::string text;
};

// What the call writes, preset to "not written".
struct Outputs {
    std::array<double, 3> number{kUnwritten, kUnwritten, kUnwritten};
    std::int32_t whole = kUnwrittenInteger;
    char letter = kUnwrittenLetter;
};

// Kinds, one letter each, in the units of the mode: a angle, l length,
// n any other number, i whole number, c a character as typed (arguments) or
// a letter (outputs), t text.
struct Operation {
    std::string_view name;
    std::string_view arguments;  // their names, as the help and the errors show them
    std::string_view argumentKinds;
    std::string_view outputKinds;  // none: a set operation, "ok" or its flags
    bool loadsTables;              // the tables are loaded before the call
    const FlagReasons* reasons;
    std::uint32_t (*call)(const Inputs& in, Outputs& out);
};

using namespace DatumShift;

constexpr Operation kOperations[] = {
    // Transverse Mercator
    {"tm-set", "A F LAT0 LON0 FE FN K0", "lnaalln", "", false, &kTransverseMercatorReasons,
     [](const Inputs& in, Outputs&) {
         const auto& n = in.number;
         return TransverseMercator::SetParameters(n[0], n[1], n[2], n[3], n[4], n[5], n[6]);
     }},
    {"tm-forward", "LAT LON", "aa", "ll", false, &kTransverseMercatorReasons,
     [](const Inputs& in, Outputs& out) {
         return TransverseMercator::Forward(in.number[0], in.number[1], &out.number[0],
                                            &out.number[1]);
     }},
    {"tm-inverse", "EASTING NORTHING", "ll", "aa", false, &kTransverseMercatorReasons,
     [](const Inputs& in, Outputs& out) {
         return TransverseMercator::Inverse(in.number[0], in.number[1], &out.number[0],
                                            &out.number[1]);
     }},
    // UTM
    {"utm-set", "A F OVERRIDE", "lni", "", false, &kUtmReasons,
     [](const Inputs& in, Outputs&) {
         return LibraryState::SetUtmParameters(in.number[0], in.number[1], in.whole);
     }},
    {"utm-forward", "LAT LON", "aa", "icll", false, &kUtmReasons,
     [](const Inputs& in, Outputs& out) {
         return UtmProjection::Forward(in.number[0], in.number[1], &out.whole, &out.letter,
                                       &out.number[0], &out.number[1]);
     }},
    // HEMI as typed: the library itself refuses anything but "N" and "S".
    {"utm-inverse", "ZONE HEMI EASTING NORTHING", "icll", "aa", false, &kUtmReasons,
     [](const Inputs& in, Outputs& out) {
         return UtmProjection::Inverse(in.whole, in.character, in.number[0], in.number[1],
                                       &out.number[0], &out.number[1]);
     }},
    // Geocentric conversion
    {"geocentric-set", "A F", "ln", "", false, &kGeocentricReasons,
     [](const Inputs& in, Outputs&) {
         return GeocentricConverter::UseEllipsoid(in.number[0], in.number[1]);
     }},
    {"geocentric-forward", "LAT LON H", "aal", "lll", false, &kGeocentricReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         return GeocentricConverter::ToGeocentric(n[0], n[1], n[2], &out.number[0], &out.number[1],
                                                  &out.number[2]);
     }},
    {"geocentric-inverse", "X Y Z", "lll", "aal", false, &kGeocentricReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         GeocentricConverter::ToGeodetic(n[0], n[1], n[2], &out.number[0], &out.number[1],
                                         &out.number[2]);
         return std::uint32_t{0};
     }},
    // Datum shifts
    {"datum-to-wgs84", "INDEX LAT LON H", "iaal", "aal", true, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         return DatumToWgs84(in.whole, n[0], n[1], n[2], o[0], o[1], o[2]);
     }},
    {"datum-from-wgs84", "LAT LON H INDEX", "aali", "aal", true, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         return Wgs84ToDatum(n[0], n[1], n[2], in.whole, o[0], o[1], o[2]);
     }},
    {"geocentric-datum-to-wgs84", "INDEX X Y Z", "illl", "lll", true, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         return GeocentricDatumToWgs84(in.whole, n[0], n[1], n[2], o[0], o[1], o[2]);
     }},
    {"geocentric-datum-from-wgs84", "X Y Z INDEX", "llli", "lll", true, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         return GeocentricWgs84ToDatum(n[0], n[1], n[2], in.whole, o[0], o[1], o[2]);
     }},
    {"wgs72-to-wgs84", "LAT LON H", "aal", "aal", true, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         Wgs72ToWgs84(n[0], n[1], n[2], o[0], o[1], o[2]);
         return std::uint32_t{0};
     }},
    {"wgs84-to-wgs72", "LAT LON H", "aal", "aal", true, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         Wgs84ToWgs72(n[0], n[1], n[2], o[0], o[1], o[2]);
         return std::uint32_t{0};
     }},
    // The flags are those of the final conversion back to geocentric.
    {"wgs72-to-wgs84-geocentric", "X Y Z", "lll", "lll", true, &kGeocentricReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         return Wgs72ToWgs84Geocentric(n[0], n[1], n[2], o[0], o[1], o[2]);
     }},
    {"wgs84-to-wgs72-geocentric", "X Y Z", "lll", "lll", true, &kGeocentricReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         return Wgs84ToWgs72Geocentric(n[0], n[1], n[2], o[0], o[1], o[2]);
     }},
    {"molodensky", "A DA F DF DX DY DZ LAT LON H", "llnnlllaal", "aal", false, &kDatumShiftReasons,
     [](const Inputs& in, Outputs& out) {
         const auto& n = in.number;
         auto& o = out.number;
         ApplyMolodensky(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8], n[9], o[0], o[1],
                         o[2]);
         return std::uint32_t{0};
     }},
    // Tables
    {"ellipsoid-find", "CODE", "t", "i", true, &kEllipsoidTableReasons,
     [](const Inputs& in, Outputs& out) {
         return EllipsoidTable::FindByCode(in.text.c_str(), &out.whole);
     }},
    {"ellipsoid-parameters", "INDEX", "i", "ln", true, &kEllipsoidTableReasons,
     [](const Inputs& in, Outputs& out) {
         return EllipsoidTable::Parameters(in.whole, &out.number[0], &out.number[1]);
     }},
    {"datum-find", "CODE", "t", "i", true, &kDatumTableReasons,
     [](const Inputs& in, Outputs& out) {
         return DatumTable::FindByCode(in.text.c_str(), &out.whole);
     }},
};

// Every argument has a name and a kind, and the inputs have room for them.
consteval bool RowsAreWhole() {
    for (const Operation& operation : kOperations) {
        std::size_t names = 1;
        for (const char c : operation.arguments) {
            names += c == ' ' ? 1 : 0;
        }
        std::size_t numbers = 0;
        std::array<std::size_t, 3> others{};  // whole numbers, characters, texts
        for (const char kind : operation.argumentKinds) {
            if (kind == 'a' || kind == 'l' || kind == 'n') {
                ++numbers;
            } else {
                ++others[kind == 'i' ? 0 : kind == 'c' ? 1 : 2];
            }
        }
        if (names != operation.argumentKinds.size() || numbers > kMostNumbers || others[0] > 1 ||
            others[1] > 1 || others[2] > 1) {
            return false;
        }
    }
    return true;
}
static_assert(RowsAreWhole());

Inputs ReadInputs(ArgumentReader& in, const Operation& operation) {
    Inputs values;
    std::size_t number = 0;
    std::string_view names = operation.arguments;
    for (const char kind : operation.argumentKinds) {
        const std::string_view name = names.substr(0, names.find(' '));
        names.remove_prefix(std::min(names.size(), name.size() + 1));
        switch (kind) {
            case 'a':
                values.number[number++] = in.Angle(name);
                break;
            case 'l':
                values.number[number++] = in.Length(name);
                break;
            case 'n':
                values.number[number++] = in.Number(name);
                break;
            case 'i':
                values.whole = in.WholeNumber(name);
                break;
            case 'c':
                values.character = in.Character(name);
                break;
            default:
                values.text = in.Text();
                break;
        }
    }
    return values;
}

void WriteOutputs(ResultLine& out, std::string_view kinds, const Outputs& values) {
    std::size_t number = 0;
    for (const char kind : kinds) {
        switch (kind) {
            case 'a':
                out.Angle(values.number[number++]);
                break;
            case 'l':
                out.Length(values.number[number++]);
                break;
            case 'n':
                out.Number(values.number[number++]);
                break;
            case 'i':
                out.Integer(values.whole);
                break;
            default:
                out.Letter(values.letter);
                break;
        }
    }
}

Outcome Run(const Operation& operation, ArgumentReader& in) {
    const Inputs inputs = ReadInputs(in, operation);
    if (in.Failed()) {
        return UsageError(in.Error());
    }
    if (operation.loadsTables) {
        LibraryState::LoadTables();
    }
    Outputs outputs;
    const std::uint32_t flags = operation.call(inputs, outputs);
    if (operation.outputKinds.empty()) {
        return SetCommandOutcome(flags, in.mode(), *operation.reasons);
    }
    ResultLine out(in.mode(), flags);
    WriteOutputs(out, operation.outputKinds, outputs);
    return OutcomeFromFlags(flags, out, *operation.reasons);
}

template <std::size_t Row>
Outcome RunRow(ArgumentReader& in) {
    return Run(kOperations[Row], in);
}

template <std::size_t... Rows>
constexpr std::array<Command, sizeof...(Rows)> CommandsOf(std::index_sequence<Rows...>) {
    return {Command{kOperations[Rows].name, kOperations[Rows].arguments,
                    static_cast<int>(kOperations[Rows].argumentKinds.size()), RunRow<Rows>}...};
}

constexpr auto kCommands = CommandsOf(std::make_index_sequence<std::size(kOperations)>());

}  // namespace

std::span<const Command> LibraryCommands() {
    return kCommands;
}
