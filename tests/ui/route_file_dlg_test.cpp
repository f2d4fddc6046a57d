// SPDX-License-Identifier: MIT
#include "ui/route_file_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "language/language_dlg.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "services/host_path.h"
#include "support/headless/headless.h"
#include "support/scratch_dir.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::wstring kRoutes = L"\\Storage Card\\MN6\\Settings\\Routes\\";

class RouteFileDlgTest : public ::testing::Test {
protected:
    ~RouteFileDlgTest() override { g_language = German; }

    ScratchDir card;
    ScopedEnv env{"QUILLPOST_STORAGE_CARD", card.path().string()};
    Headless ui{QuillpostResources()};
    CRouteFileDlg dlg;

    void PutRouteFiles() {
        for (const char* name : {"b.rte", "A.rte", "d.rte", "notes.txt"}) {
            WriteFileBytes(card / "MN6/Settings/Routes" / name, "");
        }
    }
};

TEST_F(RouteFileDlgTest, ListsTheRouteFilesSortedAndGivesTheChosenPath) {
    PutRouteFiles();
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Routing File Dialog");
        EXPECT_THAT(d.Items(IDC_ROUTE_FILES), ElementsAre(L"A.rte", L"b.rte", L"d.rte"));
        EXPECT_EQ(d.Selection(IDC_ROUTE_FILES), -1);
        d.Select(IDC_ROUTE_FILES, 0).Ok();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPath().str(), kRoutes + L"A.rte");
}

TEST_F(RouteFileDlgTest, UmlautsAreListedBesideTheirBaseLetters) {
    // Named as the file system names them, UTF-8 bytes here and wide
    // characters on Windows.
    for (const wchar_t* name : {L"Zebra.rte", L"\u00dcbersicht.rte", L"Ulm.rte", L"ahorn.rte"}) {
        WriteFileBytes(card / "MN6/Settings/Routes" / HostPathFromWide(name), "");
    }
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) {
        EXPECT_THAT(d.Items(IDC_ROUTE_FILES),
                    ElementsAre(L"ahorn.rte", L"\u00dcbersicht.rte", L"Ulm.rte", L"Zebra.rte"));
        d.Select(IDC_ROUTE_FILES, 1).Ok();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPath().str(), kRoutes + L"\u00dcbersicht.rte");
}

TEST_F(RouteFileDlgTest, ADoubleClickIsOk) {
    PutRouteFiles();
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.DoubleClick(IDC_ROUTE_FILES, 2); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPath().str(), kRoutes + L"d.rte");
}

// OK never ends the chooser without a file: the user would take the point
// for added. It asks for one in the program's language; Cancel leaves
// silently.
TEST_F(RouteFileDlgTest, OkWithoutASelectionAsksForAFile) {
    PutRouteFiles();
    for (const auto& [language, message] :
         {std::pair{English, L"Please choose a route file from the list."},
          std::pair{German, L"Bitte w\u00e4hlen Sie eine Routendatei aus der Liste."}}) {
        g_language = language;
        ui.OnDialog(IDD_ROUTE_FILE, [&](HeadlessDialog& d) {
            EXPECT_FALSE(d.Visible(IDC_ROUTE_NOTE));
            d.Ok();
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(message));
            d.Ok().Select(IDC_ROUTE_FILES, 1).Ok();
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(message));
        });
        CRouteFileDlg chooser;
        EXPECT_EQ(chooser.DoModal(), IDOK);
        EXPECT_EQ(chooser.GetPath().str(), kRoutes + L"b.rte");
    }
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.Cancel(); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.GetPath().IsEmpty());
    EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
}

// Without a route file the list gives way to a note of the folder the
// chooser looked in, as the system names it, so that a card that is not
// there can be told from one without routes; OK says it again.
TEST_F(RouteFileDlgTest, WithoutARouteFileTheChooserSaysWhereItLooked) {
    const std::wstring folder = WideFromHostPath(card / "MN6" / "Settings" / "Routes");
    WriteFileBytes(card / "MN6/Settings/Routes/notes.txt", "");
    for (const auto& [language, note] :
         {std::pair{English, L"No route file (*.rte) in " + folder},
          std::pair{German, L"Keine Routendatei (*.rte) in " + folder}}) {
        g_language = language;
        ui.OnDialog(IDD_ROUTE_FILE, [&](HeadlessDialog& d) {
            EXPECT_FALSE(d.Visible(IDC_ROUTE_FILES));
            EXPECT_TRUE(d.Visible(IDC_ROUTE_NOTE));
            EXPECT_EQ(d.Text(IDC_ROUTE_NOTE), note);
            d.Ok();
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(note));
            d.Cancel();
        });
        CRouteFileDlg chooser;
        EXPECT_EQ(chooser.DoModal(), IDCANCEL);
        EXPECT_TRUE(chooser.GetPath().IsEmpty());
    }
}

}  // namespace
