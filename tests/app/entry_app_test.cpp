// The program from its entry point on an empty profile: the first start asks
// the language, the next one starts as the first one ended.
#include "app/entry_app.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/position_engine.h"
#include "support/headless/headless.h"
#include "res/resources.h"
#include "support/scratch_profile.h"

namespace {

using ::testing::ElementsAre;

TEST(EntryApp, TheSecondStartOpensAsTheFirstEnded) {
    ScratchProfile profile;
    Headless ui(QuillpostResources());
    EXPECT_EQ(AfxGetApp(), &theApp);
    EXPECT_EQ(theApp.GetTitle(), L"Quillpost");

    ui.OnDialog(130, [](HeadlessDialog& d) { d.Click(1045).Ok(); });
    ui.OnDialog(102, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Text(1026), L"O");
        d.Pick(1034, DegMinSec).Click(1018).Click(1026).Ok();
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    // Every value is written, in the order the program writes them.
    EXPECT_EQ(ReadFileBytes(profile.File()),
              "[Settings]\nLatHemisphere=1\nLongHemisphere=1\nFormat=2\nDatum=0\nLanguage=0\n");

    profile.Write(L"Datum", 1234567);
    ui.OnDialog(102, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Selection(1034), DegMinSec);
        EXPECT_TRUE(d.Visible(1016));
        EXPECT_EQ(d.Text(1018), L"S");
        EXPECT_EQ(d.Text(1026), L"W");
        EXPECT_EQ(d.Text(1011), L"Breite");
        d.Cancel();
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(130, 102, 102));
    EXPECT_EQ(profile.Read(L"Datum"), 1234567);
    EXPECT_EQ(profile.Read(L"Format"), DegMinSec);
}

}  // namespace
