// SPDX-License-Identifier: MIT
// Fuzzes quillpost-geo's batch lines. The input is a batch, cut into lines as
// batch mode cuts it; every line is split into its fields and run as a
// command in normal mode and then in raw mode, so that any number reaches
// every library operation. Besides running clean: a split line gives back
// its fields when they are written out again, and every command answers with
// one line, or with a reason when it refuses. "append" lines are split but
// not run, since they write to the file they name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch_line.h"
#include "command_table.h"
#include "geodesy/ellipsoid_table.h"
#include "geodesy/geocentric_converter_testing.h"
#include "library_state.h"
#include "projection/transverse_mercator_testing.h"
#include "property_check.h"

namespace {

bool Within(std::string_view part, std::string_view whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

// The fields as a batch line: bare where that is unambiguous, else quoted.
std::string Joined(const std::vector<std::string_view>& fields) {
    std::string line;
    for (const std::string_view field : fields) {
        const bool bare = !field.empty() && field.front() != '"' &&
                          field.find_first_of(" \t") == std::string_view::npos;
        line += bare ? std::string(field) : '"' + std::string(field) + '"';
        line += ' ';
    }
    return line;
}

void CheckSplit(std::string_view line, const std::vector<std::string_view>& fields) {
    for (const std::string_view field : fields) {
        Check(Within(field, line), "a field is a part of its line");
        const bool quoted = field.data() > line.data() && field.data()[-1] == '"';
        Check(quoted ? field.find('"') == std::string_view::npos
                     : !field.empty() && field.find_first_of(" \t") == std::string_view::npos,
              "a bare field has no blanks, a quoted one no quote");
    }
    const std::string again = Joined(fields);
    std::vector<std::string_view> fieldsAgain;
    std::string error;
    Check(SplitBatchLine(again, fieldsAgain, error) && fieldsAgain == fields,
          "fields written out as a line split into the same fields");
}

void CheckOutcome(const Outcome& outcome) {
    Check(outcome.line.find('\n') == std::string::npos &&
              outcome.reason.find('\n') == std::string::npos,
          "a command answers with one line");
    Check(outcome.status == Outcome::Status::Ok || !outcome.reason.empty(),
          "a command that refuses says why");
}

// Each input starts from the module state of a fresh quillpost-geo, so that a
// failing input fails again on its own.
void ResetLibraryState() {
    TransverseMercator::ResetParameterSet();
    GeocentricConverter::ResetForTesting();
    LibraryState::LoadTables();
    double a = 0.0;
    double f = 0.0;
    EllipsoidTable::Wgs84Parameters(&a, &f);
    LibraryState::SetUtmParameters(a, f, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    ResetLibraryState();
    std::string_view batch(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> fields;
    std::string error;
    while (!batch.empty()) {
        const size_t end = batch.find('\n');
        std::string_view line = batch.substr(0, end);
        batch.remove_prefix(end == std::string_view::npos ? batch.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        if (!SplitBatchLine(line, fields, error)) {
            Check(!error.empty(), "a line that does not split says why");
            continue;
        }
        CheckSplit(line, fields);
        if (fields.front() == "append") {
            continue;
        }
        CheckOutcome(RunCommand(fields, Mode::Normal));
        CheckOutcome(RunCommand(fields, Mode::Raw));
    }
    return 0;
}
