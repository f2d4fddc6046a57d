// SPDX-License-Identifier: MIT
// The entry form as a person uses it: the first start, typing, the hemisphere
// buttons, the format list, the language change through help, the stored
// settings and Add in every format.
#include "ui/entry_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/user_input.h"
#include "framework/win_app.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_profile.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const std::wstring kLatitudeRange = L"Please enter a number between 0 and 90.";
const std::wstring kMinutesRange = L"Please enter a number between 0 and 60.";
const std::wstring kGridRefused =
    L"The grid position cannot be converted. Please check the zone (1 to 60), the hemisphere (N "
    L"or S), the northing (0 to 10000000) and the easting (100000 to 900000).";

// The route-point line as it lands in an empty route file.
std::string Line(const std::string& name, const std::string& longitude,
                 const std::string& latitude) {
    return "[" + name + "||][0][10]|" + longitude + "," + latitude + "||" + longitude + "|" +
           latitude + "|\r\n";
}

class EntryFormTest : public ::testing::Test {
protected:
    EntryFormTest() {
        app.SetRegistryKey(L"Kvo Applications");
        profile.Write(L"Language", English);
        WriteFileBytes(route, "");
    }

    // Runs the form with the script; destroying the form writes the settings.
    void RunForm(Headless::Script script) {
        ui.OnDialog(IDD_ENTRY, std::move(script));
        CEntryDlg form;
        form.DoModal();
    }
    // The next Add appends to the route file.
    void ChooseRoute() {
        ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.Select(IDC_ROUTE_FILES, 0).Ok(); });
    }

    ScratchProfile profile;
    ScratchDir card;
    ScopedEnv storage{"QUILLPOST_STORAGE_CARD", card.path().string()};
    std::filesystem::path route = card / "MN6/Settings/Routes/Trip.rte";
    CWinApp app{L"Quillpost.htp"};
    Headless ui{QuillpostResources()};
};

TEST_F(EntryFormTest, AFreshStartAsksTheLanguageFirst) {
    struct Start {
        bool ok;
        int language;
        const wchar_t* latitudeLabel;
        const wchar_t* east;
    };
    for (const Start start :
         {Start{true, English, L"Lat", L"E"}, {false, German, L"Breite", L"O"}}) {
        std::filesystem::remove(profile.File());
        ui.OnDialog(IDD_LANGUAGE, [&](HeadlessDialog& d) { start.ok ? d.Ok() : d.Cancel(); });
        ChooseRoute();
        RunForm([&](HeadlessDialog& d) {
            EXPECT_EQ(d.Text(IDC_LAT_LABEL), start.latitudeLabel);
            EXPECT_EQ(d.Selection(IDC_FORMAT), Deg);
            for (int field : {IDC_LAT_DEG, IDC_LAT_MIN, IDC_LAT_SEC, IDC_LONG_DEG, IDC_LONG_MIN,
                              IDC_LONG_SEC, IDC_NORTH, IDC_EAST, IDC_ZONE}) {
                EXPECT_EQ(d.Text(field), L"0") << field;
            }
            EXPECT_EQ(d.Text(IDC_NAME), L"");
            EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"N");
            EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), start.east);
            EXPECT_EQ(d.Font(IDC_LONG_HEMISPHERE), (FontInfo{L"Courier", 80}));
            EXPECT_EQ(d.Focus(), IDC_NAME);
            EXPECT_EQ(d.Icon(ICON_BIG)->id, IDI_QUILLPOST);
            EXPECT_EQ(d.Icon(ICON_SMALL)->id, IDI_QUILLPOST);
            const RECT window = d.WindowRect();
            EXPECT_EQ(window.left, (640 - (window.right - window.left)) / 2);
            EXPECT_EQ(window.top, 10);
            EXPECT_TRUE(d.Topmost());
            d.Type(IDC_NAME, L"Zero").Click(IDC_ADD).Cancel();  // the engine holds 0, 0
        });
        EXPECT_EQ(profile.Read(L"Language"), start.language);
    }
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_LANGUAGE, IDD_ENTRY, IDD_ROUTE_FILE,
                                                IDD_LANGUAGE, IDD_ENTRY, IDD_ROUTE_FILE));
    EXPECT_EQ(ReadFileBytes(route),
              Line("ZERO", "0.000000", "0.000000") + Line("ZERO", "0.000000", "0.000000"));
}

TEST_F(EntryFormTest, TheHemisphereAndTheValueSurviveAChangeOfFormat) {
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_LAT_DEG, L"53.5").Leave().Click(IDC_LAT_HEMISPHERE);
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        d.Pick(IDC_FORMAT, DegMin);
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"53");
        EXPECT_EQ(d.Text(IDC_LAT_MIN), L"30");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        d.Pick(IDC_FORMAT, Deg);
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"53.5");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        d.Ok();
    });
    EXPECT_EQ(profile.Read(L"LatHemisphere"), 1);
    EXPECT_EQ(profile.Read(L"Format"), Deg);
}

TEST_F(EntryFormTest, UtmShowsASouthernPositionWithItsButtonAtTheZone) {
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_LAT_DEG, L"33.9")
            .Type(IDC_LONG_DEG, L"18.4")
            .Click(IDC_LAT_HEMISPHERE)
            .Pick(IDC_FORMAT, UTM);
        EXPECT_TRUE(d.Visible(IDC_LAT_HEMISPHERE));
        EXPECT_EQ(d.Rect(IDC_LAT_HEMISPHERE).left, d.Rect(IDC_ZONE).left);
        EXPECT_EQ(d.Rect(IDC_LAT_HEMISPHERE).top, d.Rect(IDC_NORTH).top);
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        EXPECT_FALSE(d.Visible(IDC_LONG_HEMISPHERE));
        // GeographicLib: 34s 259583.222 6245888.045
        EXPECT_EQ(d.Text(IDC_ZONE), L"34");
        EXPECT_EQ(d.Text(IDC_NORTH), L"6245888");
        EXPECT_EQ(d.Text(IDC_EAST), L"259583");
        d.Pick(IDC_FORMAT, Deg);  // back from whole metres
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"33.9");
        EXPECT_EQ(d.Text(IDC_LONG_DEG), L"18.399998");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        d.Cancel();
    });
}

// A bad field keeps the focus until it is corrected: every click elsewhere
// leaves it, which says it again, and does nothing more.
TEST_F(EntryFormTest, ABadFieldKeepsTheFocusUntilCorrected) {
    RunForm([&](HeadlessDialog& d) {
        d.Pick(IDC_FORMAT, DegMin).Type(IDC_LAT_MIN, L"70").Leave();
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kMinutesRange));
        EXPECT_EQ(d.Focus(), IDC_LAT_MIN);
        d.Pick(IDC_FORMAT, Deg).Click(IDC_LONG_HEMISPHERE).Click(IDC_ADD);
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(kMinutesRange, kMinutesRange, kMinutesRange));
        EXPECT_EQ(d.Selection(IDC_FORMAT), DegMin);
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"E");
        EXPECT_EQ(d.Focus(), IDC_LAT_MIN);
        d.Type(IDC_LAT_MIN, L"10").Pick(IDC_FORMAT, Deg);
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"0.166667");
        d.Ok();
        EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
    });
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_ENTRY));
}

// 95 degrees is no position: no click gets past the field, and Add itself
// reads the form and stops at it, should it ever be pressed without the
// field being left first.
TEST_F(EntryFormTest, AnOutOfRangeLatitudeIsReportedAndNeverAdded) {
    RunForm([&](HeadlessDialog& d) {
        d.Type(IDC_NAME, L"Far").Type(IDC_LAT_DEG, L"95").Leave();
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        d.Click(IDC_ADD);
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        UserInput::Press(*FindChild(*d.Dialog().m_hWnd, IDC_ADD));
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        d.Ok();  // the title-bar OK keeps the form open
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        d.Cancel();
    });
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_ENTRY));
    EXPECT_EQ(ReadFileBytes(route), "");
}

// An easting of 56633 is a typo for 566332: inside the field's range, but
// UTM refuses it. Add says so in the form's language and writes nothing; the
// position the engine held before never goes out under the new name.
TEST_F(EntryFormTest, ARefusedGridPositionIsSaidAndNeverAdded) {
    ChooseRoute();
    RunForm([&](HeadlessDialog& d) {
        d.Type(IDC_NAME, L"Grid")
            .Type(IDC_LAT_DEG, L"53.5")
            .Type(IDC_LONG_DEG, L"10")
            .Pick(IDC_FORMAT, UTM);
        EXPECT_EQ(d.Text(IDC_EAST), L"566332");
        d.Type(IDC_EAST, L"56633").Leave();  // leaving says nothing: the fields are in range
        EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
        d.Click(IDC_ADD);
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kGridRefused));
        ui.OnDialog(IDD_LANGUAGE,
                    [](HeadlessDialog& language) { language.Click(IDC_GERMAN).Ok(); });
        d.Help().Click(IDC_ADD);
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(L"Die Gitterposition kann nicht umgerechnet werden. Bitte Zone (1 "
                                L"bis 60), Halbkugel (N oder S), Nordwert (0 bis 10000000) und "
                                L"Ostwert (100000 bis 900000) pr\u00fcfen."));
        EXPECT_EQ(ReadFileBytes(route), "");
        EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_ENTRY, IDD_LANGUAGE));
        d.Type(IDC_EAST, L"566332").Click(IDC_ADD).Cancel();
    });
    EXPECT_EQ(ReadFileBytes(route), Line("GRID", "10.000007", "53.499999"));
}

TEST_F(EntryFormTest, LeavingTheNameUpperCasesItAndRewritesTheNumbers) {
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_LAT_DEG, L"53.500")
            .Type(IDC_LONG_DEG, L"010.2500")
            .Type(IDC_NAME, L"h\u00e4uschen stra\u00dfe");
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"53.500");  // leaving a number field rewrites nothing
        d.Leave();
        EXPECT_EQ(d.Text(IDC_NAME), L"H\u00c4USCHEN STRA\u00dfE");
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"53.5");
        EXPECT_EQ(d.Text(IDC_LONG_DEG), L"10.25");
        d.Type(IDC_NAME, L"\u0153uvre \u00ff \u0161").Leave();
        EXPECT_EQ(d.Text(IDC_NAME), L"\u0152UVRE \u0178 \u0160");
        d.Cancel();
    });
}

TEST_F(EntryFormTest, ClosingTheListUnchangedRoundsToTheShownDecimals) {
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_LAT_DEG, L"53.12345678")
            .Type(IDC_LONG_DEG, L"10.12345649")
            .CloseList(IDC_FORMAT);
        EXPECT_EQ(d.Selection(IDC_FORMAT), Deg);
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"53.123457");
        EXPECT_EQ(d.Text(IDC_LONG_DEG), L"10.123456");
        d.Cancel();
    });
}

// Zone 0 and easting 0 pass the form's ranges, but there is no such grid
// position: Add says so.
TEST_F(EntryFormTest, AStoredUtmFormatOpensInUtmWithZeros) {
    profile.Write(L"Format", UTM);
    RunForm([&](HeadlessDialog& d) {
        EXPECT_EQ(d.Selection(IDC_FORMAT), UTM);
        EXPECT_FALSE(d.Visible(IDC_LAT_DEG));
        EXPECT_EQ(d.Rect(IDC_LAT_HEMISPHERE).left, d.Rect(IDC_ZONE).left);
        EXPECT_THAT(d.TabOrder(), ElementsAre(IDC_NAME, IDC_NORTH, IDC_EAST, IDC_ZONE,
                                              IDC_LAT_HEMISPHERE, IDC_FORMAT, IDC_ADD));
        for (int field : {IDC_NORTH, IDC_EAST, IDC_ZONE}) {
            EXPECT_EQ(d.Text(field), L"0") << field;
        }
        d.Type(IDC_NAME, L"Z").Click(IDC_ADD).Ok();
    });
    EXPECT_THAT(ui.MessageBoxes(), ElementsAre(kGridRefused));
    EXPECT_EQ(ReadFileBytes(route), "");
    EXPECT_EQ(profile.Read(L"Format"), UTM);
}

TEST_F(EntryFormTest, StoredSettingsOutsideTheirRangesFallBack) {
    for (int format : {4, -1}) {
        profile.Write(L"Format", format);
        profile.Write(L"LatHemisphere", 2);
        profile.Write(L"LongHemisphere", -1);
        profile.Write(L"Datum", -123456);
        RunForm([](HeadlessDialog& d) {
            EXPECT_EQ(d.Selection(IDC_FORMAT), Deg);
            EXPECT_TRUE(d.Visible(IDC_LAT_DEG));
            EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"N");
            EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"E");
            d.Cancel();
        });
        EXPECT_EQ(profile.Read(L"Format"), Deg);
        EXPECT_EQ(profile.Read(L"LatHemisphere"), 0);
        EXPECT_EQ(profile.Read(L"LongHemisphere"), 0);
        EXPECT_EQ(profile.Read(L"Datum"), -123456);
    }
}

TEST_F(EntryFormTest, TheLanguageChangesThroughHelp) {
    RunForm([&](HeadlessDialog& d) {
        ui.OnDialog(IDD_LANGUAGE, [](HeadlessDialog& language) {
            EXPECT_TRUE(language.Checked(IDC_ENGLISH));
            language.Click(IDC_GERMAN).Ok();
        });
        d.Help();
        EXPECT_EQ(d.Text(IDC_LAT_LABEL), L"Breite");
        EXPECT_EQ(d.Text(IDC_LONG_LABEL), L"L\u00e4nge");
        EXPECT_EQ(d.Text(IDC_NORTH_LABEL), L"Nord");
        EXPECT_EQ(d.Text(IDC_EAST_LABEL), L"Ost");
        EXPECT_EQ(d.Text(IDC_ADD), L"Hinzu");
        EXPECT_THAT(d.Items(IDC_FORMAT),
                    ElementsAre(L"Grad", L"Grad Min", L"Grad Min Sek", L"UTM"));
        EXPECT_EQ(d.Selection(IDC_FORMAT), Deg);
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"O");
        d.Type(IDC_LAT_DEG, L"95").Leave();  // the framework speaks the form's language too
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 90 ein."));
        d.Type(IDC_LAT_DEG, L"1").Click(IDC_ADD);
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Der Name darf nicht leer seit!"));

        // A click before Cancel changes the stored language, not the form.
        ui.OnDialog(IDD_LANGUAGE,
                    [](HeadlessDialog& language) { language.Click(IDC_ENGLISH).Cancel(); });
        d.Help();
        EXPECT_EQ(d.Text(IDC_LAT_LABEL), L"Breite");
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"O");
        d.Ok();
    });
    EXPECT_EQ(profile.Read(L"Language"), English);
    EXPECT_EQ(profile.Read(L"LongHemisphere"), 0);
}

TEST_F(EntryFormTest, TheTabKeyWalksTheShownFieldsInEveryFormat) {
    const std::vector<int> walks[] = {
        {IDC_NAME, IDC_LAT_DEG, IDC_LONG_DEG, IDC_LAT_HEMISPHERE, IDC_LONG_HEMISPHERE, IDC_FORMAT,
         IDC_ADD},
        {IDC_NAME, IDC_LAT_DEG, IDC_LAT_MIN, IDC_LONG_DEG, IDC_LONG_MIN, IDC_LAT_HEMISPHERE,
         IDC_LONG_HEMISPHERE, IDC_FORMAT, IDC_ADD},
        {IDC_NAME, IDC_LAT_DEG, IDC_LAT_MIN, IDC_LAT_SEC, IDC_LONG_DEG, IDC_LONG_MIN, IDC_LONG_SEC,
         IDC_LAT_HEMISPHERE, IDC_LONG_HEMISPHERE, IDC_FORMAT, IDC_ADD},
        {IDC_NAME, IDC_NORTH, IDC_EAST, IDC_ZONE, IDC_LAT_HEMISPHERE, IDC_FORMAT, IDC_ADD},
    };
    RunForm([&](HeadlessDialog& d) {
        for (int format : {DegMin, DegMinSec, UTM, Deg}) {
            d.Pick(IDC_FORMAT, format).Click(IDC_NAME);
            std::vector<int> walk;
            for (size_t step = 0; step < walks[format].size(); ++step) {
                walk.push_back(d.Focus());
                d.Tab();
            }
            EXPECT_EQ(walk, walks[format]) << format;
            EXPECT_EQ(d.Focus(), IDC_NAME);
        }
        d.Cancel();
    });
}

TEST_F(EntryFormTest, AddWritesWgs84DegreesFromEveryFormat) {
    for (int i = 0; i < 4; ++i) {
        ChooseRoute();
    }
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_NAME, L"Home")
            .Type(IDC_LAT_DEG, L"53.5")
            .Type(IDC_LONG_DEG, L"10")
            .Click(IDC_ADD);

        d.Pick(IDC_FORMAT, DegMin)
            .Type(IDC_LAT_DEG, L"33")
            .Type(IDC_LAT_MIN, L"54")
            .Type(IDC_LONG_DEG, L"18");
        d.Type(IDC_LONG_MIN, L"24")
            .Click(IDC_LAT_HEMISPHERE)
            .Click(IDC_LONG_HEMISPHERE)
            .Click(IDC_ADD);

        d.Pick(IDC_FORMAT, DegMinSec).Click(IDC_LAT_HEMISPHERE).Click(IDC_LONG_HEMISPHERE);
        d.Type(IDC_LAT_DEG, L"48").Type(IDC_LAT_MIN, L"51").Type(IDC_LAT_SEC, L"24");
        d.Type(IDC_LONG_DEG, L"2")
            .Type(IDC_LONG_MIN, L"21")
            .Type(IDC_LONG_SEC, L"3")
            .Click(IDC_ADD);

        // GeographicLib: 32n 566332 5928359 is 53.49999915 10.00000709
        d.Pick(IDC_FORMAT, UTM)
            .Type(IDC_ZONE, L"32")
            .Type(IDC_NORTH, L"5928359")
            .Type(IDC_EAST, L"566332");
        d.Click(IDC_ADD).Cancel();
    });
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
    EXPECT_EQ(ReadFileBytes(route),
              Line("HOME", "10.000000", "53.500000") + Line("HOME", "-18.400000", "-33.900000") +
                  Line("HOME", "2.350833", "48.856667") + Line("HOME", "10.000007", "53.499999"));
}

// A position pasted into a number field takes the road of a typed one, in
// the format it is written in, and the form shows it in its own format.
TEST_F(EntryFormTest, APastedPositionFillsEveryFieldOfTheShownFormat) {
    ChooseRoute();
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_NAME, L"Hafen").Paste(IDC_LONG_DEG, L"S 33° 55.494 W 070° 38.1");
        EXPECT_EQ(d.Text(IDC_NAME), L"HAFEN");
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"33.9249");
        EXPECT_EQ(d.Text(IDC_LONG_DEG), L"70.635");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"W");
        EXPECT_EQ(d.Focus(), IDC_LONG_DEG);
        // In the text's own format the values stand as written.
        d.Pick(IDC_FORMAT, DegMin).Paste(IDC_LAT_MIN, L"53°33′N 10°0.5′E");
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"53");
        EXPECT_EQ(d.Text(IDC_LAT_MIN), L"33");
        EXPECT_EQ(d.Text(IDC_LONG_MIN), L"0.5");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"N");
        EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), L"E");
        d.Paste(IDC_LAT_DEG, L"32U 566331 5928359").Pick(IDC_FORMAT, DegMinSec);
        EXPECT_EQ(d.Text(IDC_LAT_SEC), L"59.99");  // 53.49999977 as the engine rounds it
        d.Click(IDC_ADD).Cancel();  // Add takes the seconds shown
    });
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
    EXPECT_EQ(ReadFileBytes(route), Line("HAFEN", "9.999992", "53.499997"));
}

TEST_F(EntryFormTest, AGridReferenceIsTheCentreOfItsSquareAndTheFormSaysSo) {
    profile.Write(L"Format", UTM);
    RunForm([](HeadlessDialog& d) {
        d.Paste(IDC_EAST, L"32UNE6628");
        EXPECT_EQ(d.Text(IDC_ZONE), L"32");
        EXPECT_EQ(d.Text(IDC_NORTH), L"5928500");
        EXPECT_EQ(d.Text(IDC_EAST), L"566500");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"N");
        d.Cancel();
    });
    EXPECT_THAT(ui.MessageBoxes(),
                ElementsAre(L"The MGRS reference names a square of 1000 m a side; its centre is "
                            L"taken."));
}

// A refused text is said in the form's language and changes nothing; other
// text pastes as text, and into the name field everything does.
TEST_F(EntryFormTest, ARefusedPasteChangesNothingAndOtherTextPastesAsText) {
    profile.Write(L"Language", German);
    RunForm([](HeadlessDialog& d) {
        d.Type(IDC_LAT_DEG, L"12").Paste(IDC_LONG_DEG, L"-53.5 S, 10 E");
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"12");
        EXPECT_EQ(d.Text(IDC_LONG_DEG), L"0");
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"N");
        d.Paste(IDC_LONG_DEG, L"9.75\nsecond line");
        EXPECT_EQ(d.Text(IDC_LONG_DEG), L"9.75");
        d.Paste(IDC_NAME, L"53.5 N 10 E");
        EXPECT_EQ(d.Text(IDC_NAME), L"53.5 N 10 E");
        EXPECT_EQ(d.Text(IDC_LAT_DEG), L"12");
        d.Cancel();
    });
    EXPECT_THAT(ui.MessageBoxes(),
                ElementsAre(L"Minuszeichen und Halbkugel-Buchstabe zugleich: Es ist nicht klar, "
                            L"welche Halbkugel gemeint ist."));
}

}  // namespace
