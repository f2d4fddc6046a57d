// SPDX-License-Identifier: MIT
// quillpost-geo's import, list and export through its command line, on Linux
// and on Windows (under wine): a route file named in letters beyond ASCII,
// the lines written, the listing, and the export read back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gpx/gpx_reader.h"
#include "support/scratch_dir.h"
#include "tool_process.h"

namespace {

ProcessResult Geo(const std::vector<std::string>& arguments, const std::string& input = "") {
    return RunProcess(QUILLPOST_GEO, arguments, input);
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The output without the line ends of the system (CR LF on Windows).
std::string Unix(std::string text) {
    std::erase(text, '\r');
    return text;
}

const std::string kTour =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
    "<rte><name>Tour A</name>\n"
    "<rtept lat=\"53.55\" lon=\"9.99\"><name>Landungsbr\xC3\xBC"
    "cken</name></rtept>\n"
    "<rtept lat=\"-34.6037\" lon=\"-58.3815666\"><desc>Buenos Aires</desc></rtept>\n"
    "</rte></gpx>\n";

TEST(GpxCommands, ImportListAndExportARouteFile) {
    const ScratchDir dir;
    const std::filesystem::path route = dir.path() / std::filesystem::path(u8"M\u00fcller.rte");
    const std::filesystem::path gpx = dir.path() / std::filesystem::path(u8"T\u00f6ur.gpx");
    WriteFileBytes(gpx, kTour);

    const ProcessResult imported = Geo({"import", Utf8(route), Utf8(gpx)});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(Unix(imported.out),
              "2 points of route 'Tour A' appended; 1 name made from cmt, desc or a number; 0 "
              "characters the device cannot show replaced by '?'\n");
    EXPECT_EQ(ReadFileBytes(route),
              "[LANDUNGSBR\xDC"
              "CKEN||][0][10]|9.990000,53.550000||9.990000|53.550000|\r\n"
              "[BUENOS AIRES||][0][10]|-58.381567,-34.603700||-58.381567|-34.603700|\r\n");

    const ProcessResult listed = Geo({"list", Utf8(route), "dm"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(Unix(listed.out),
              "LANDUNGSBR\xC3\x9C"
              "CKEN\t53 33 N 9 59.4 E\n"
              "BUENOS AIRES\t34 36.222 S 58 22.894 W\n");

    const ProcessResult exported = Geo({"export", Utf8(route)});
    EXPECT_EQ(exported.status, 0) << exported.err;
    const std::string document = Unix(exported.out);
    const GpxReading back(std::vector<char>(document.begin(), document.end()));
    ASSERT_EQ(back.refusal(), "");
    ASSERT_EQ(back.routes().size(), 1u);
    EXPECT_EQ(back.routes()[0].name, "M\xC3\xBCller");
    std::vector<std::string> points;
    back.VisitRoute(0, [&points](const GpxPoint& point) {
        points.push_back(std::string(point.name) + " " + std::to_string(point.latitude) + " " +
                         std::to_string(point.longitude));
    });
    EXPECT_EQ(points, (std::vector<std::string>{"LANDUNGSBR\xC3\x9C"
                                                "CKEN 53.550000 9.990000",
                                                "BUENOS AIRES -34.603700 -58.381567"}));
}

// Usage errors are status 2 and write nothing; a refused file is status 1;
// in a batch, import answers in one line and list and export are refused.
TEST(GpxCommands, UsageRefusalsAndBatches) {
    const ScratchDir dir;
    const std::string route = Utf8(dir / "r.rte");
    const std::string gpx = Utf8(dir / "t.gpx");
    WriteFileBytes(dir / "t.gpx", kTour);
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"import", route},
                                                      {"import", route, gpx, "--route"},
                                                      {"import", route, gpx, "--waypoints", "x"},
                                                      {"import", route, gpx, "--tracks"},
                                                      {"list", route, "degrees"},
                                                      {"export", route, "deg"}}) {
        EXPECT_EQ(Geo(arguments).status, 2) << arguments.back();
    }
    const ProcessResult noWaypoints = Geo({"import", route, gpx, "--waypoints"});
    EXPECT_EQ(noWaypoints.status, 1);
    EXPECT_NE(noWaypoints.err.find("the file has no waypoints: 1 route: Tour A (2 points); 0 "
                                   "waypoints; nothing was appended"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "r.rte"));
    const ProcessResult missing = Geo({"list", route});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    // A folder named for the route file is refused, not read.
    for (const char* command : {"list", "export"}) {
        const ProcessResult folder = Geo({command, Utf8(dir.path())});
        EXPECT_EQ(folder.status, 1) << command;
        EXPECT_NE(folder.err.find("cannot read"), std::string::npos) << folder.err;
    }

    const ProcessResult batch =
        Geo({}, "import \"" + route + "\" \"" + gpx + "\" --route \"Tour A\"\nlist \"" + route +
                    "\"\nexport \"" + route + "\"\nutm 53.5 10\n");
    const std::string answers = Unix(batch.out);
    EXPECT_EQ(answers,
              "2 points of route 'Tour A' appended; 1 name made from cmt, desc or a number; 0 "
              "characters the device cannot show replaced by '?'\n"
              "error: list answers in many lines: run it as a command of its own\n"
              "error: export answers in many lines: run it as a command of its own\n"
              "32 N 566331.528 5928359.088\n");
}

}  // namespace
