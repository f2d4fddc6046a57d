// SPDX-License-Identifier: MIT
// quillpost-geo against a recording of its own answers: a few thousand batch
// lines over every command, in both modes, with the route files that the
// append lines wrote. The recording was made by the companion before its code
// was reorganised; any difference is a change of behaviour.
//
// The batches hold only positions the entry form accepts and finite numbers;
// the refusals of everyday input have tests of their own.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/scratch_dir.h"
#include "tool_process.h"

namespace {

const std::filesystem::path kRecording = QUILLPOST_RECORDING;
const char* const kRouteFiles[] = {"r0.rte", "r1.rte", "r2.rte"};

// The batch with its @DIR@ placeholders pointing into `folder`.
std::string BatchFor(const std::string& batch, const std::filesystem::path& folder) {
    const std::string placeholder = "@DIR@";
    std::string text = ReadFileBytes(kRecording / batch);
    for (auto at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at)) {
        text.replace(at, placeholder.size(), folder.string());
        at += folder.string().size();
    }
    return text;
}

// Runs a recorded batch and checks its status and the route files it wrote;
// returns the answers that differ from the recording, one text each.
std::vector<std::string> DifferingAnswers(const std::string& name,
                                          const std::vector<std::string>& arguments) {
    ScratchDir scratch;
    const ProcessResult result =
        RunProcess(QUILLPOST_GEO, arguments, BatchFor(name + ".in", scratch.path()));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(result.out.empty());
#ifdef _WIN32
    // Windows ends the lines of a program's output with CR LF.
    std::string out;
    for (size_t at = 0; at < result.out.size(); ++at) {
        if (!(result.out[at] == '\r' && at + 1 < result.out.size() && result.out[at + 1] == '\n')) {
            out += result.out[at];
        }
    }
#else
    const std::string& out = result.out;
#endif
    std::vector<std::string> differing;
    std::istringstream got(out);
    std::istringstream recorded(ReadFileBytes(kRecording / (name + ".out")));
    int number = 1;
    for (std::string want, line; std::getline(recorded, want); ++number) {
        if (!std::getline(got, line)) {
            differing.push_back("output ends before answer " + std::to_string(number));
            break;
        }
        if (line != want) {
            differing.push_back("answer " + std::to_string(number) + ": " + line +
                                "\n  recorded: " + want);
        }
    }
    std::string extra;
    EXPECT_FALSE(std::getline(got, extra)) << "more answers than recorded: " << extra;
    for (const char* file : kRouteFiles) {
        EXPECT_EQ(ReadFileBytes(scratch / file), ReadFileBytes(kRecording / file)) << file;
    }
    return differing;
}

std::string Listed(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(RecordedBatch, NormalModeAnswersAsRecorded) {
    const auto differing = DifferingAnswers("batch", {});
    EXPECT_TRUE(differing.empty()) << Listed(differing);
}

TEST(RecordedBatch, RawModeAnswersAsRecorded) {
    const auto differing = DifferingAnswers("batch_raw", {"--raw"});
#ifdef _WIN32
    // The raw operations print every digit of the library's doubles, and on
    // Windows the math functions beneath are other ones: MinGW's runtime
    // brings its own sin, cos, pow and atan2, and atan and tan come from
    // msvcrt, which Wine replaces. Each differs from glibc's in the last bit
    // for a share of arguments, and so 23 of the 3186 answers differ in their
    // last digit or two. The count is held exactly, so that any change shows.
    RecordProperty("differing_raw_answers", static_cast<int>(differing.size()));
    std::printf("raw answers that differ from Linux: %zu\n", differing.size());
    EXPECT_EQ(differing.size(), 23u) << Listed(differing);
#else
    EXPECT_TRUE(differing.empty()) << Listed(differing);
#endif
}

}  // namespace
