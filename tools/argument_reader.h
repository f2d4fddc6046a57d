// SPDX-License-Identifier: MIT
// Reads the arguments of one command in order, each in the unit of the mode
// (degrees or radians for angles), and keeps the first argument that is not
// what the command expects as the usage error of the line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "entry/field_ranges.h"
#include "services/field_checks.h"
#include "tool_mode.h"

class ArgumentReader {
public:
    ArgumentReader(std::span<const std::string_view> arguments, Mode mode);

    // Each takes the next argument; `what` names it in the error.
    double Angle(std::string_view what);  // radians
    double Length(std::string_view what);
    double Number(std::string_view what);
    std::int32_t WholeNumber(std::string_view what);
    // A field of the entry form, read as the form reads it (blanks around it
    // allowed; nan, inf and hex floats are no numbers) and checked against
    // its range. The first field the form would refuse is kept as Refusal(),
    // "WHAT: " and the form's English message; the everyday commands refuse
    // it, the library operations never read such a field.
    double FormDecimal(std::string_view what, const FieldRange& range);
    std::int32_t FormWholeNumber(std::string_view what, int low, int high);
    char Character(std::string_view what);  // any single character, as typed
    // One of `letters` (upper case), typed in either case; returns it in upper case.
    char Hemisphere(std::string_view what, std::string_view letters);
    std::string_view Text();

    std::size_t Remaining() const { return m_arguments.size() - m_next; }
    Mode mode() const { return m_mode; }
    bool Failed() const { return !m_error.empty(); }
    const std::string& Error() const { return m_error; }
    // Empty while every field of the form was taken.
    const std::string& Refusal() const { return m_refusal; }

private:
    std::string_view Next();
    void Fail(std::string_view what, std::string_view field, std::string_view expected);
    double Checked(std::string_view what, const FieldChecks::Reading& reading);

    std::span<const std::string_view> m_arguments;
    std::size_t m_next = 0;
    Mode m_mode;
    std::string m_error;
    std::string m_refusal;
};

// A token as an error message quotes it: in single quotes, cut to a short
// prefix, so that a huge token never comes back whole.
std::string Quoted(std::string_view token);
