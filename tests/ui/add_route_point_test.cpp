// SPDX-License-Identifier: MIT
#include "ui/add_route_point.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_dir.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr double kHomeLatitude = 53.5;
constexpr double kHomeLongitude = 10.0;
const std::string kHomeLine = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n";

class AddRoutePointTest : public ::testing::Test {
protected:
    ScratchDir card;
    ScopedEnv env{"QUILLPOST_STORAGE_CARD", card.path().string()};
    Headless ui{QuillpostResources()};
    std::filesystem::path routes = card / "MN6/Settings/Routes";

    void Choose(int index) {
        ui.OnDialog(IDD_ROUTE_FILE,
                    [index](HeadlessDialog& d) { d.Select(IDC_ROUTE_FILES, index).Ok(); });
    }
};

TEST_F(AddRoutePointTest, AnEmptyNameIsRefusedInTheLanguage) {
    WriteFileBytes(routes / "a.rte", "");
    EXPECT_EQ(AddRoutePoint(L"", kHomeLatitude, kHomeLongitude, 0), 0);
    EXPECT_EQ(AddRoutePoint(L"", kHomeLatitude, kHomeLongitude, 1), 0);
    EXPECT_THAT(ui.MessageBoxes(),
                ElementsAre(L"Der Name darf nicht leer seit!", L"The Name must not be empty!"));
    EXPECT_THAT(ui.DialogsOpened(), IsEmpty());
    EXPECT_EQ(ReadFileBytes(routes / "a.rte"), "");
}

TEST_F(AddRoutePointTest, TwoAddsAppendTwoLinesToTheChosenFile) {
    WriteFileBytes(routes / "b.rte", "");
    WriteFileBytes(routes / "A.rte", "x\r\ny");
    Choose(0);
    Choose(0);
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 1);
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 1);
    EXPECT_EQ(ReadFileBytes(routes / "A.rte"), "x\r\ny\r\n" + kHomeLine + kHomeLine);
    EXPECT_EQ(ReadFileBytes(routes / "b.rte"), "");
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
}

TEST_F(AddRoutePointTest, ACancelledChoiceWritesNothingAndSaysNothing) {
    WriteFileBytes(routes / "a.rte", "x\n");
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.Select(IDC_ROUTE_FILES, 0).Cancel(); });
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);
    EXPECT_EQ(ReadFileBytes(routes / "a.rte"), "x\n");
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
}

// The form never hands one on; a caller that did would put "inf" or "nan"
// where the navigation software expects a decimal.
TEST_F(AddRoutePointTest, APositionThatIsNotFiniteOpensNoChooser) {
    WriteFileBytes(routes / "a.rte", "x\n");
    EXPECT_EQ(AddRoutePoint(L"Home", HUGE_VAL, kHomeLongitude, 1), 0);
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, std::nan(""), 1), 0);
    EXPECT_THAT(ui.DialogsOpened(), IsEmpty());
    EXPECT_EQ(ReadFileBytes(routes / "a.rte"), "x\n");
}

TEST_F(AddRoutePointTest, AFileThatCannotBeWrittenIsNamedInTheLanguage) {
    // The chooser lists whatever matches, a folder too.
    std::filesystem::create_directories(routes / "folder.rte");
    Choose(0);
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 0), 0);
    EXPECT_TRUE(std::filesystem::is_directory(routes / "folder.rte"));
    // Named as the user finds it on this machine, not as the device names it.
    const std::wstring shown = (card / "MN6" / "Settings" / "Routes" / "folder.rte").wstring();
    EXPECT_THAT(ui.MessageBoxes(),
                ElementsAre(L"Die Routendatei " + shown +
                            L" kann nicht geschrieben werden: Is a directory. Der Punkt wurde "
                            L"nicht hinzugef\u00fcgt."));
}

}  // namespace
