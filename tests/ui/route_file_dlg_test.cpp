// SPDX-License-Identifier: MIT
#include "ui/route_file_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

TEST_F(RouteFileDlgTest, ADoubleClickIsOkAndOkWithoutASelectionGivesNoPath) {
    PutRouteFiles();
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.DoubleClick(IDC_ROUTE_FILES, 2); });
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.Ok(); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPath().str(), kRoutes + L"d.rte");
    CRouteFileDlg again;
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_TRUE(again.GetPath().IsEmpty());
}

TEST_F(RouteFileDlgTest, WithoutTheFolderTheListIsEmptyAndCancelWorks) {
    ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) {
        EXPECT_THAT(d.Items(IDC_ROUTE_FILES), IsEmpty());
        d.Cancel();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.GetPath().IsEmpty());
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
}

}  // namespace
