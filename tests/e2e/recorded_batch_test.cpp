// quillpost-geo against a recording of its own answers: a few thousand batch
// lines over every command, in both modes, with the route files that the
// append lines wrote. The recording was made by the companion before its code
// was reorganised; any difference is a change of behaviour.
//
// The batches hold only positions the entry form accepts and finite numbers;
// the refusals of everyday input have tests of their own.

#include <gtest/gtest.h>

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

void ExpectRecordedAnswers(const std::string& name, const std::vector<std::string>& arguments) {
    ScratchDir scratch;
    const ProcessResult result =
        RunProcess(QUILLPOST_GEO, arguments, BatchFor(name + ".in", scratch.path()));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    ASSERT_FALSE(result.out.empty());
    // One comparison per line, so that a failure names the line.
    std::istringstream got(result.out);
    std::istringstream recorded(ReadFileBytes(kRecording / (name + ".out")));
    int number = 1;
    for (std::string want, line; std::getline(recorded, want); ++number) {
        ASSERT_TRUE(std::getline(got, line)) << "output ends before answer " << number;
        ASSERT_EQ(line, want) << "answer " << number;
    }
    std::string extra;
    EXPECT_FALSE(std::getline(got, extra)) << "more answers than recorded: " << extra;
    for (const char* file : kRouteFiles) {
        EXPECT_EQ(ReadFileBytes(scratch / file), ReadFileBytes(kRecording / file)) << file;
    }
}

TEST(RecordedBatch, NormalModeAnswersAsRecorded) {
    ExpectRecordedAnswers("batch", {});
}

TEST(RecordedBatch, RawModeAnswersAsRecorded) {
    ExpectRecordedAnswers("batch_raw", {"--raw"});
}

}  // namespace
