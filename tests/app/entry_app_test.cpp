// SPDX-License-Identifier: MIT
// The program from its entry point on an empty profile: the first start asks
// the language, the next one starts as the first one ended.
#include "app/entry_app.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/position_engine.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_profile.h"

namespace {

using ::testing::ElementsAre;

TEST(EntryApp, TheSecondStartOpensAsTheFirstEnded) {
    ScratchProfile profile;
    Headless ui(QuillpostResources());
    EXPECT_EQ(AfxGetApp(), &theApp);
    EXPECT_EQ(theApp.GetTitle(), L"Quillpost");

    ui.OnDialog(IDD_LANGUAGE, [](HeadlessDialog& d) { d.Click(IDC_GERMAN).Ok(); });
    ui.OnDialog(IDD_ENTRY, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"O");
        d.Pick(IDC_FORMAT, DegMinSec).Click(IDC_LAT_HEMISPHERE).Click(IDC_LONG_HEMISPHERE).Ok();
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    // Every value is written, in the order the program writes them.
    EXPECT_EQ(ReadFileBytes(profile.File()),
              "[Settings]\nLatHemisphere=1\nLongHemisphere=1\nFormat=2\nDatum=0\nLanguage=0\n");

    profile.Write(L"Datum", 1234567);
    ui.OnDialog(IDD_ENTRY, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Selection(IDC_FORMAT), DegMinSec);
        EXPECT_TRUE(d.Visible(IDC_LAT_SEC));
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"W");
        EXPECT_EQ(d.Text(IDC_LAT_LABEL), L"Breite");
        d.Cancel();
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_LANGUAGE, IDD_ENTRY, IDD_ENTRY));
    EXPECT_EQ(profile.Read(L"Datum"), 1234567);
    EXPECT_EQ(profile.Read(L"Format"), DegMinSec);
}

// The end of the session: the system may end the program as soon as it has
// been told, so the settings must be on disk before the form closes.
TEST(EntryApp, SavingWhileTheFormIsOpenWritesWhatTheEndWould) {
    ScratchProfile profile;
    Headless ui(QuillpostResources());
    profile.Write(L"Language", 1);
    theApp.SaveSettings();  // no form: nothing to save
    EXPECT_EQ(ReadFileBytes(profile.File()), "[Settings]\nLanguage=1\n");

    ui.OnDialog(IDD_ENTRY, [&profile](HeadlessDialog& d) {
        d.Pick(IDC_FORMAT, UTM).Click(IDC_LAT_HEMISPHERE);
        theApp.SaveSettings();
        EXPECT_EQ(ReadFileBytes(profile.File()),
                  "[Settings]\nLanguage=1\nLatHemisphere=1\nLongHemisphere=0\nFormat=3\nDatum=0\n");
        d.Cancel();
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(profile.Read(L"Format"), UTM);
}

}  // namespace
