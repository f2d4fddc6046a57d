// SPDX-License-Identifier: MIT
// Add against every state the route folder can be in: whatever the chooser
// lists, choosing it either appends one line to the file of that name or
// changes nothing and says why.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <functional>

#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_dir.h"
#include "support/unprivileged.h"
#include "ui/add_route_point.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr double kHomeLatitude = 53.5;
constexpr double kHomeLongitude = 10.0;
const std::string kHomeLine = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n";

class RouteFaultTest : public ::testing::Test {
protected:
    // The names in the folder, as the file system holds them.
    std::vector<std::string> Entries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(routes)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // What Add says when the route file cannot be written, in English.
    std::wstring NotWritten(const std::wstring& name, const std::wstring& reason) const {
        return L"The route file " + (routes / name).wstring() + L" cannot be written: " + reason +
               L". The point was not added.";
    }

    ScratchDir card;
    ScopedEnv env{"QUILLPOST_STORAGE_CARD", card.path().string()};
    Headless ui{QuillpostResources()};
    fs::path routes = card / "MN6/Settings/Routes";
};

TEST_F(RouteFaultTest, AMissingOrEmptyFolderOffersNothingAndMakesNothing) {
    for (int i = 0; i < 2; ++i) {
        ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) {
            EXPECT_THAT(d.Items(IDC_ROUTE_FILES), IsEmpty());
            d.Ok().Cancel();
        });
        EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);
        if (i == 0) {
            EXPECT_FALSE(fs::exists(card / "MN6"));
            fs::create_directories(routes);
        }
    }
    EXPECT_THAT(Entries(), IsEmpty());
    // OK only says again where the chooser looked.
    EXPECT_EQ(ui.MessageBoxes().size(), 2u);
}

// The chooser lists every match, as the device does; what is no file cannot
// take a line, and choosing it leaves everything as it was.
TEST_F(RouteFaultTest, AFolderOrDanglingLinkIsListedAndChoosingItIsRefused) {
    fs::create_directories(routes / "x.rte");
    fs::create_symlink(card / "gone.rte", routes / "y.rte");
    for (int index : {0, 1}) {
        ui.OnDialog(IDD_ROUTE_FILE, [index](HeadlessDialog& d) {
            EXPECT_THAT(d.Items(IDC_ROUTE_FILES), ElementsAre(L"x.rte", L"y.rte"));
            d.Select(IDC_ROUTE_FILES, index).Ok();
        });
        EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);
    }
    EXPECT_TRUE(fs::is_directory(routes / "x.rte"));
    EXPECT_TRUE(fs::is_empty(routes / "x.rte"));
    EXPECT_TRUE(fs::is_symlink(routes / "y.rte"));
    EXPECT_FALSE(fs::exists(card / "gone.rte"));
    EXPECT_THAT(ui.MessageBoxes(), ElementsAre(NotWritten(L"x.rte", L"Is a directory"),
                                               NotWritten(L"y.rte", L"No such file or directory")));
}

// Root reads and writes through any permission; the user of a device does
// not, so the Add runs as an ordinary user.
TEST_F(RouteFaultTest, AFileWithoutReadOrWritePermissionIsRefusedAndStaysAsItWas) {
    WriteFileBytes(routes / "a.rte", "x\r\n");
    fs::permissions(card.path(), fs::perms::all);
    for (const fs::perms allowed :
         {fs::perms::owner_read, fs::perms::owner_write, fs::perms::none}) {
        fs::permissions(routes / "a.rte", allowed);
        GiveToChild(routes / "a.rte");
        const int status = RunUnprivileged([&] {
            Headless child(QuillpostResources());
            child.OnDialog(IDD_ROUTE_FILE,
                           [](HeadlessDialog& d) { d.Select(IDC_ROUTE_FILES, 0).Ok(); });
            const int added = AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1);
            const bool said =
                child.MessageBoxes() == std::vector{NotWritten(L"a.rte", L"Permission denied")};
            return added + (said ? 10 : 0);
        });
        EXPECT_EQ(status, 10) << "permissions " << static_cast<int>(allowed);
        EXPECT_EQ(ReadFileBytes(routes / "a.rte"), "x\r\n");
    }
    EXPECT_THAT(Entries(), ElementsAre("a.rte"));
}

// A name written in Latin-1 is no UTF-8: it is listed all the same and the
// line goes to that very file, not to a new one of a similar name.
TEST_F(RouteFaultTest, ANameInAnotherEncodingIsAppendedToAsTheSameFile) {
    const std::string latin1 = "Tour-\xE9t\xE9.rte";
    WriteFileBytes(routes / latin1, "x\r\n");
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) {
        ASSERT_EQ(d.Items(IDC_ROUTE_FILES).size(), 1u);
        d.Select(IDC_ROUTE_FILES, 0).Ok();
    });
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 1);
    EXPECT_EQ(ReadFileBytes(routes / latin1), "x\r\n" + kHomeLine);
    EXPECT_THAT(Entries(), ElementsAre(latin1));
}

// The file goes while the chooser is open. The runtime's append mode makes
// the file anew, and so does Add: the point the user meant to keep lands in
// the file of the chosen name rather than nowhere. Without the folder there
// is nowhere to put it: nothing is made, and Add says so.
TEST_F(RouteFaultTest, AFileRemovedWhileChoosingIsMadeAnew) {
    WriteFileBytes(routes / "a.rte", "x\r\n");
    ui.OnDialog(IDD_ROUTE_FILE, [&](HeadlessDialog& d) {
        d.Select(IDC_ROUTE_FILES, 0);
        fs::remove(routes / "a.rte");
        d.Ok();
    });
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 1);
    EXPECT_EQ(ReadFileBytes(routes / "a.rte"), kHomeLine);

    ui.OnDialog(IDD_ROUTE_FILE, [&](HeadlessDialog& d) {
        d.Select(IDC_ROUTE_FILES, 0);
        fs::remove_all(routes);
        d.Ok();
    });
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);
    EXPECT_FALSE(fs::exists(routes));
    EXPECT_THAT(ui.MessageBoxes(), ElementsAre(NotWritten(L"a.rte", L"No such file or directory")));
}

// Each way a chosen file can refuse the line: made read-only (root could
// write it, but the user meant it to stay), replaced by a folder while the
// chooser is open, a full disk (a file size limit), a link to a pipe. Each
// is said with the file and the reason, in the form's language, and leaves
// the folder as it was.
TEST_F(RouteFaultTest, AFailedWriteIsSaidAndChangesNothing) {
    WriteFileBytes(routes / "a.rte", "x\r\n");
    ASSERT_EQ(mkfifo((card / "pipe").c_str(), 0644), 0);
    fs::create_symlink(card / "pipe", routes / "b.rte");
    const auto before = Entries();
    const auto choose = [&](int index, const std::function<void()>& meanwhile = {}) {
        ui.OnDialog(IDD_ROUTE_FILE, [=](HeadlessDialog& d) {
            d.Select(IDC_ROUTE_FILES, index);
            if (meanwhile) {
                meanwhile();
            }
            d.Ok();
        });
    };

    fs::permissions(routes / "a.rte", fs::perms::owner_read | fs::perms::others_read);
    choose(0);
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);
    fs::permissions(routes / "a.rte", fs::perms::owner_read | fs::perms::owner_write);

    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = old;
    full.rlim_cur = 3;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    choose(0);
    const int addedOnAFullDisk = AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 0);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(addedOnAFullDisk, 0);

    choose(1);
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);

    choose(0, [&] {
        fs::rename(routes / "a.rte", card / "a.rte");
        fs::create_directory(routes / "a.rte");
    });
    EXPECT_EQ(AddRoutePoint(L"Home", kHomeLatitude, kHomeLongitude, 1), 0);

    EXPECT_THAT(ui.MessageBoxes(),
                ElementsAre(NotWritten(L"a.rte", L"Permission denied"),
                            L"Die Routendatei " + (routes / "a.rte").wstring() +
                                L" kann nicht geschrieben werden: File too large. Der Punkt wurde "
                                L"nicht hinzugef\u00fcgt.",
                            NotWritten(L"b.rte", L"not a regular file"),
                            NotWritten(L"a.rte", L"Is a directory")));
    EXPECT_EQ(Entries(), before);
    EXPECT_TRUE(fs::is_empty(routes / "a.rte"));
    EXPECT_EQ(ReadFileBytes(card / "a.rte"), "x\r\n");
}

}  // namespace
