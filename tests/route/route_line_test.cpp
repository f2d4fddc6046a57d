#include "route/route_line.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <sstream>

#include "support/scratch_dir.h"

namespace {

constexpr double kHomeLatitude = 53.5;
constexpr double kHomeLongitude = 10.0;
const std::string kHomeLine = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\n";

TEST(RouteLine, LongitudeFirstWithSixDecimals) {
    EXPECT_EQ(FormatRouteLine(L"Home", kHomeLatitude, kHomeLongitude), kHomeLine);
    EXPECT_EQ(FormatRouteLine(L"BA", -34.6037, -58.3815666),
              "[BA||][0][10]|-58.381567,-34.603700||-58.381567|-34.603700|\n");
}

TEST(RouteLine, TheNameIsWrittenAsIsInWindows1252) {
    EXPECT_EQ(FormatRouteLine(L"a|b]c[", kHomeLatitude, kHomeLongitude),
              "[a|b]c[||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
    EXPECT_EQ(FormatRouteLine(L"M\u00fchle \u20ac \u017e \u0141\u00f3d\u017a \u4e2d \U0001F600",
                              kHomeLatitude, kHomeLongitude),
              "[M\xFChle \x80 \x9E ?\xF3"
              "d? ? ?||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
}

TEST(RouteLine, ControlCharactersBecomeBlanks) {
    const std::wstring name = std::wstring(L"a\nb\r\tc") + L'\0' + L"d\u0085e\u007f";
    EXPECT_EQ(FormatRouteLine(name, kHomeLatitude, kHomeLongitude),
              "[a b  c d e ||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
}

TEST(RouteLine, DecimalPointUnderAGermanLocale) {
    ScopedEnv german("LC_ALL", "de_DE.UTF-8");
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr) << "scripts/setup makes this locale";
    const std::string line = FormatRouteLine(L"Home", kHomeLatitude, kHomeLongitude);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(line, kHomeLine);
}

class RouteFile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::filesystem::path file = dir / "route.rte";
};

TEST_F(RouteFile, ANewFileGetsTheDevicesLineEnding) {
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine));
    ASSERT_TRUE(AppendToRouteFile(file, kHomeLine));
    const std::string crlf = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n";
    EXPECT_EQ(ReadFileBytes(file), crlf + crlf);
}

TEST_F(RouteFile, TheFileKeepsItsStyleAndNothingGlues) {
    const std::string body = kHomeLine.substr(0, kHomeLine.size() - 1);
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"", body + "\r\n"},
        {"x\r\n", "x\r\n" + body + "\r\n"},
        {"x\n", "x\n" + body + "\n"},
        {"x\ny", "x\ny\n" + body + "\n"},
        {"y", "y\r\n" + body + "\r\n"},
        // the last line break lies far from the end, then right at a block
        // boundary of the reading from the end, with its CR in the block before
        {"x\r\n" + std::string(5000, 'y'),
         "x\r\n" + std::string(5000, 'y') + "\r\n" + body + "\r\n"},
        {"ab\r\n" + std::string(4095, 'y'),
         "ab\r\n" + std::string(4095, 'y') + "\r\n" + body + "\r\n"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(file, c.before);
        ASSERT_TRUE(AppendToRouteFile(file, kHomeLine));
        EXPECT_EQ(ReadFileBytes(file), c.after) << "before: " << c.before.substr(0, 8);
    }
}

TEST_F(RouteFile, TwoProgramsAppendingAtOnceWriteWholeLines) {
    WriteFileBytes(file, "x");
    const int kLines = 1000;
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = fork();
        ASSERT_GE(children[k], 0);
        if (children[k] == 0) {
            const std::string line = std::string(300, k == 0 ? 'a' : 'b') + "\n";
            for (int i = 0; i < kLines; ++i) {
                if (!AppendToRouteFile(file, line)) {
                    _exit(1);
                }
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::istringstream lines(ReadFileBytes(file));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "x\r");
    int count[2] = {};
    while (std::getline(lines, line)) {
        ASSERT_TRUE(line == std::string(300, 'a') + "\r" || line == std::string(300, 'b') + "\r")
            << line.substr(0, 20);
        ++count[line[0] - 'a'];
    }
    EXPECT_EQ(count[0], kLines);
    EXPECT_EQ(count[1], kLines);
}

TEST_F(RouteFile, WhatCannotBeOpenedStaysAsItWas) {
    EXPECT_FALSE(AppendToRouteFile(dir / "missing/route.rte", kHomeLine));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::create_directory(dir / "folder.rte");
    EXPECT_FALSE(AppendToRouteFile(dir / "folder.rte", kHomeLine));
    if (geteuid() != 0) {  // root writes through any permission
        WriteFileBytes(file, "x\r\n");
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
        EXPECT_FALSE(AppendToRouteFile(file, kHomeLine));
        EXPECT_EQ(ReadFileBytes(file), "x\r\n");
    }
}

// A full disk, played by a file size limit: the kernel writes what fits and
// reports a short write.
TEST_F(RouteFile, AFullDiskLeavesNoHalfLine) {
    WriteFileBytes(file, "x\r\ny");
    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    bool written = true;
    for (const rlim_t limit : {rlim_t{20}, rlim_t{4}}) {
        rlimit tight = old;
        tight.rlim_cur = limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
        written = AppendToRouteFile(file, kHomeLine);
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_FALSE(written) << "limit " << limit;
        EXPECT_EQ(ReadFileBytes(file), "x\r\ny") << "limit " << limit;
    }
    // A file that the failed append would have created is not left behind empty.
    rlimit none = old;
    none.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
    written = AppendToRouteFile(dir / "new.rte", kHomeLine);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.rte"));
    std::signal(SIGXFSZ, oldHandler);
}

}  // namespace
