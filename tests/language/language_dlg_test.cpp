// SPDX-License-Identifier: MIT
// The language choice: asked once, kept in "Language", changed at the click,
// and the texts of the entry form in both languages.
#include "language/language_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/win_app.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_profile.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LanguageDlgTest : public ::testing::Test {
protected:
    LanguageDlgTest() { app.SetRegistryKey(L"Kvo Applications"); }
    ScratchProfile profile;
    CWinApp app{L"Quillpost.htp"};
    Headless ui{QuillpostResources()};
};

TEST_F(LanguageDlgTest, FirstStartOffersEnglishAndOkKeepsIt) {
    ui.OnDialog(IDD_LANGUAGE, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Quillpost Language");
        EXPECT_TRUE(d.Checked(IDC_ENGLISH));
        EXPECT_FALSE(d.Checked(IDC_GERMAN));
        EXPECT_EQ(d.Text(IDOK), L"OK");
        EXPECT_EQ(d.Font(IDOK), (FontInfo{L"Courier", 80}));
        EXPECT_TRUE(d.Topmost());
        d.Ok();
    });
    {
        CLanguageDlg dialog;
        EXPECT_EQ(GetLanguage(), English);
        EXPECT_EQ(profile.Read(L"Language"), ScratchProfile::kAbsent);  // written only at the end
    }
    EXPECT_EQ(profile.Read(L"Language"), English);
}

TEST_F(LanguageDlgTest, FirstStartCancelledGivesGermanEvenAfterAClick) {
    ui.OnDialog(IDD_LANGUAGE, [](HeadlessDialog& d) { d.Click(IDC_ENGLISH).Cancel(); });
    { CLanguageDlg dialog; }
    EXPECT_EQ(profile.Read(L"Language"), German);
}

TEST_F(LanguageDlgTest, AStoredLanguageAsksNothing) {
    for (int stored : {German, English}) {
        profile.Write(L"Language", stored);
        CLanguageDlg dialog;
        EXPECT_EQ(GetLanguage(), stored);
    }
    EXPECT_THAT(ui.DialogsOpened(), IsEmpty());
}

TEST_F(LanguageDlgTest, ValuesOutsideTheTablesGiveGerman) {
    for (int stored : {2, -2, 1000}) {
        profile.Write(L"Language", stored);
        { CLanguageDlg dialog; }
        EXPECT_EQ(profile.Read(L"Language"), German) << stored;
    }
    profile.Write(L"Language", -1);  // not yet chosen, and no dialog can be shown
    Backend* headless = SetBackend(nullptr);
    { CLanguageDlg dialog; }
    SetBackend(headless);
    EXPECT_EQ(profile.Read(L"Language"), German);
    EXPECT_THAT(ui.DialogsOpened(), IsEmpty());
}

TEST_F(LanguageDlgTest, AskedAgainItPreselectsTheCurrentLanguageAndAClickCounts) {
    profile.Write(L"Language", German);
    CLanguageDlg dialog;
    ui.OnDialog(IDD_LANGUAGE, [](HeadlessDialog& d) {
        EXPECT_TRUE(d.Checked(IDC_GERMAN));
        EXPECT_FALSE(d.Checked(IDC_ENGLISH));
        d.Click(IDC_ENGLISH);
        EXPECT_EQ(GetLanguage(), English);
        d.Cancel();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(GetLanguage(), English);
}

TEST(InterfaceTexts, BothLanguagesSideBySideWidenedFromWindows1252) {
    const auto& labels = LabelTexts();
    EXPECT_EQ(labels[2 * 2 + German], CString(L"L\u00e4nge"));
    EXPECT_EQ(labels[2 * 2 + English], CString(L"Long"));
    EXPECT_EQ(labels[2 * 7 + German], CString(L"Hinzu"));
    EXPECT_EQ(kLabelControls[7], IDC_ADD);
    EXPECT_THAT(FormatTexts(), ElementsAre(L"Grad", L"Degree", L"Grad Min", L"Deg Min",
                                           L"Grad Min Sek", L"Deg Min Sec", L"UTM", L"UTM"));
    EXPECT_EQ(HemisphereLetters(), CString(L"NSOWNSEW"));
}

}  // namespace
