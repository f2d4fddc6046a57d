// The entry form as a person uses it: the first start, typing, the hemisphere
// buttons, the format list, the language change through help, the stored
// settings and Add in every format.
#include "ui/entry_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless/headless.h"
#include "framework/user_input.h"
#include "framework/win_app.h"
#include "res/resources.h"
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
        ui.OnDialog(102, std::move(script));
        CEntryDlg form;
        form.DoModal();
    }
    // The next Add appends to the route file.
    void ChooseRoute() {
        ui.OnDialog(134, [](HeadlessDialog& d) { d.Select(1047, 0).Ok(); });
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
        ui.OnDialog(130, [&](HeadlessDialog& d) { start.ok ? d.Ok() : d.Cancel(); });
        ChooseRoute();
        RunForm([&](HeadlessDialog& d) {
            EXPECT_EQ(d.Text(1011), start.latitudeLabel);
            EXPECT_EQ(d.Selection(1034), Deg);
            for (int field : {1012, 1014, 1016, 1020, 1022, 1024, 1028, 1030, 1032}) {
                EXPECT_EQ(d.Text(field), L"0") << field;
            }
            EXPECT_EQ(d.Text(1002), L"");
            EXPECT_EQ(d.Text(1018), L"N");
            EXPECT_EQ(d.Text(1026), start.east);
            EXPECT_EQ(d.Font(1026), (FontInfo{L"Courier", 80}));
            EXPECT_EQ(d.Focus(), 1002);
            EXPECT_EQ(d.Icon(ICON_BIG)->id, 128);
            EXPECT_EQ(d.Icon(ICON_SMALL)->id, 128);
            const RECT window = d.WindowRect();
            EXPECT_EQ(window.left, (640 - (window.right - window.left)) / 2);
            EXPECT_EQ(window.top, 10);
            EXPECT_TRUE(d.Topmost());
            d.Type(1002, L"Zero").Click(1042).Cancel();  // the engine holds 0, 0
        });
        EXPECT_EQ(profile.Read(L"Language"), start.language);
    }
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(130, 102, 134, 130, 102, 134));
    EXPECT_EQ(ReadFileBytes(route),
              Line("ZERO", "0.000000", "0.000000") + Line("ZERO", "0.000000", "0.000000"));
}

TEST_F(EntryFormTest, TheHemisphereAndTheValueSurviveAChangeOfFormat) {
    RunForm([](HeadlessDialog& d) {
        d.Type(1012, L"53.5").Leave().Click(1018);
        EXPECT_EQ(d.Text(1018), L"S");
        d.Pick(1034, DegMin);
        EXPECT_EQ(d.Text(1012), L"53");
        EXPECT_EQ(d.Text(1014), L"30");
        EXPECT_EQ(d.Text(1018), L"S");
        d.Pick(1034, Deg);
        EXPECT_EQ(d.Text(1012), L"53.5");
        EXPECT_EQ(d.Text(1018), L"S");
        d.Ok();
    });
    EXPECT_EQ(profile.Read(L"LatHemisphere"), 1);
    EXPECT_EQ(profile.Read(L"Format"), Deg);
}

TEST_F(EntryFormTest, UtmShowsASouthernPositionWithItsButtonAtTheZone) {
    RunForm([](HeadlessDialog& d) {
        d.Type(1012, L"33.9").Type(1020, L"18.4").Click(1018).Pick(1034, UTM);
        EXPECT_TRUE(d.Visible(1018));
        EXPECT_EQ(d.Rect(1018).left, d.Rect(1032).left);
        EXPECT_EQ(d.Rect(1018).top, d.Rect(1028).top);
        EXPECT_EQ(d.Text(1018), L"S");
        EXPECT_FALSE(d.Visible(1026));
        // GeographicLib: 34s 259583.222 6245888.045
        EXPECT_EQ(d.Text(1032), L"34");
        EXPECT_EQ(d.Text(1028), L"6245888");
        EXPECT_EQ(d.Text(1030), L"259583");
        d.Pick(1034, Deg);  // back from whole metres
        EXPECT_EQ(d.Text(1012), L"33.9");
        EXPECT_EQ(d.Text(1020), L"18.399998");
        EXPECT_EQ(d.Text(1018), L"S");
        d.Cancel();
    });
}

// A bad field keeps the focus until it is corrected: every click elsewhere
// leaves it, which says it again, and does nothing more.
TEST_F(EntryFormTest, ABadFieldKeepsTheFocusUntilCorrected) {
    RunForm([&](HeadlessDialog& d) {
        d.Pick(1034, DegMin).Type(1014, L"70").Leave();
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kMinutesRange));
        EXPECT_EQ(d.Focus(), 1014);
        d.Pick(1034, Deg).Click(1026).Click(1042);
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(kMinutesRange, kMinutesRange, kMinutesRange));
        EXPECT_EQ(d.Selection(1034), DegMin);
        EXPECT_EQ(d.Text(1026), L"E");
        EXPECT_EQ(d.Focus(), 1014);
        d.Type(1014, L"10").Pick(1034, Deg);
        EXPECT_EQ(d.Text(1012), L"0.166667");
        d.Ok();
        EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
    });
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(102));
}

// 95 degrees is no position: no click gets past the field, and Add itself
// reads the form and stops at it, should it ever be pressed without the
// field being left first.
TEST_F(EntryFormTest, AnOutOfRangeLatitudeIsReportedAndNeverAdded) {
    RunForm([&](HeadlessDialog& d) {
        d.Type(1002, L"Far").Type(1012, L"95").Leave();
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        d.Click(1042);
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        UserInput::Press(*FindChild(*d.Dialog().m_hWnd, 1042));
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        d.Ok();  // the title-bar OK keeps the form open
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kLatitudeRange));
        d.Cancel();
    });
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(102));
    EXPECT_EQ(ReadFileBytes(route), "");
}

// An easting of 56633 is a typo for 566332: inside the field's range, but
// UTM refuses it. Add says so in the form's language and writes nothing; the
// position the engine held before never goes out under the new name.
TEST_F(EntryFormTest, ARefusedGridPositionIsSaidAndNeverAdded) {
    ChooseRoute();
    RunForm([&](HeadlessDialog& d) {
        d.Type(1002, L"Grid").Type(1012, L"53.5").Type(1020, L"10").Pick(1034, UTM);
        EXPECT_EQ(d.Text(1030), L"566332");
        d.Type(1030, L"56633").Leave();  // leaving says nothing: the fields are in range
        EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
        d.Click(1042);
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(kGridRefused));
        ui.OnDialog(130, [](HeadlessDialog& language) { language.Click(1045).Ok(); });
        d.Help().Click(1042);
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(L"Die Gitterposition kann nicht umgerechnet werden. Bitte Zone (1 "
                                L"bis 60), Halbkugel (N oder S), Nordwert (0 bis 10000000) und "
                                L"Ostwert (100000 bis 900000) pr\u00fcfen."));
        EXPECT_EQ(ReadFileBytes(route), "");
        EXPECT_THAT(ui.DialogsOpened(), ElementsAre(102, 130));
        d.Type(1030, L"566332").Click(1042).Cancel();
    });
    EXPECT_EQ(ReadFileBytes(route), Line("GRID", "10.000007", "53.499999"));
}

TEST_F(EntryFormTest, LeavingTheNameUpperCasesItAndRewritesTheNumbers) {
    RunForm([](HeadlessDialog& d) {
        d.Type(1012, L"53.500").Type(1020, L"010.2500").Type(1002, L"h\u00e4uschen stra\u00dfe");
        EXPECT_EQ(d.Text(1012), L"53.500");  // leaving a number field rewrites nothing
        d.Leave();
        EXPECT_EQ(d.Text(1002), L"H\u00c4USCHEN STRA\u00dfE");
        EXPECT_EQ(d.Text(1012), L"53.5");
        EXPECT_EQ(d.Text(1020), L"10.25");
        d.Type(1002, L"\u0153uvre \u00ff \u0161").Leave();
        EXPECT_EQ(d.Text(1002), L"\u0152UVRE \u0178 \u0160");
        d.Cancel();
    });
}

TEST_F(EntryFormTest, ClosingTheListUnchangedRoundsToTheShownDecimals) {
    RunForm([](HeadlessDialog& d) {
        d.Type(1012, L"53.12345678").Type(1020, L"10.12345649").CloseList(1034);
        EXPECT_EQ(d.Selection(1034), Deg);
        EXPECT_EQ(d.Text(1012), L"53.123457");
        EXPECT_EQ(d.Text(1020), L"10.123456");
        d.Cancel();
    });
}

// Zone 0 and easting 0 pass the form's ranges, but there is no such grid
// position: Add says so.
TEST_F(EntryFormTest, AStoredUtmFormatOpensInUtmWithZeros) {
    profile.Write(L"Format", UTM);
    RunForm([&](HeadlessDialog& d) {
        EXPECT_EQ(d.Selection(1034), UTM);
        EXPECT_FALSE(d.Visible(1012));
        EXPECT_EQ(d.Rect(1018).left, d.Rect(1032).left);
        EXPECT_THAT(d.TabOrder(), ElementsAre(1002, 1028, 1030, 1032, 1018, 1034, 1042));
        for (int field : {1028, 1030, 1032}) {
            EXPECT_EQ(d.Text(field), L"0") << field;
        }
        d.Type(1002, L"Z").Click(1042).Ok();
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
            EXPECT_EQ(d.Selection(1034), Deg);
            EXPECT_TRUE(d.Visible(1012));
            EXPECT_EQ(d.Text(1018), L"N");
            EXPECT_EQ(d.Text(1026), L"E");
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
        ui.OnDialog(130, [](HeadlessDialog& language) {
            EXPECT_TRUE(language.Checked(1046));
            language.Click(1045).Ok();
        });
        d.Help();
        EXPECT_EQ(d.Text(1011), L"Breite");
        EXPECT_EQ(d.Text(1019), L"L\u00e4nge");
        EXPECT_EQ(d.Text(1027), L"Nord");
        EXPECT_EQ(d.Text(1029), L"Ost");
        EXPECT_EQ(d.Text(1042), L"Hinzu");
        EXPECT_THAT(d.Items(1034), ElementsAre(L"Grad", L"Grad Min", L"Grad Min Sek", L"UTM"));
        EXPECT_EQ(d.Selection(1034), Deg);
        EXPECT_EQ(d.Text(1026), L"O");
        d.Type(1012, L"95").Leave();  // the framework speaks the form's language too
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 90 ein."));
        d.Type(1012, L"1").Click(1042);
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Der Name darf nicht leer seit!"));

        // A click before Cancel changes the stored language, not the form.
        ui.OnDialog(130, [](HeadlessDialog& language) { language.Click(1046).Cancel(); });
        d.Help();
        EXPECT_EQ(d.Text(1011), L"Breite");
        EXPECT_EQ(d.Text(1026), L"O");
        d.Ok();
    });
    EXPECT_EQ(profile.Read(L"Language"), English);
    EXPECT_EQ(profile.Read(L"LongHemisphere"), 0);
}

TEST_F(EntryFormTest, TheTabKeyWalksTheShownFieldsInEveryFormat) {
    const std::vector<int> walks[] = {
        {1002, 1012, 1020, 1018, 1026, 1034, 1042},
        {1002, 1012, 1014, 1020, 1022, 1018, 1026, 1034, 1042},
        {1002, 1012, 1014, 1016, 1020, 1022, 1024, 1018, 1026, 1034, 1042},
        {1002, 1028, 1030, 1032, 1018, 1034, 1042},
    };
    RunForm([&](HeadlessDialog& d) {
        for (int format : {DegMin, DegMinSec, UTM, Deg}) {
            d.Pick(1034, format).Click(1002);
            std::vector<int> walk;
            for (size_t step = 0; step < walks[format].size(); ++step) {
                walk.push_back(d.Focus());
                d.Tab();
            }
            EXPECT_EQ(walk, walks[format]) << format;
            EXPECT_EQ(d.Focus(), 1002);
        }
        d.Cancel();
    });
}

TEST_F(EntryFormTest, AddWritesWgs84DegreesFromEveryFormat) {
    for (int i = 0; i < 4; ++i) {
        ChooseRoute();
    }
    RunForm([](HeadlessDialog& d) {
        d.Type(1002, L"Home").Type(1012, L"53.5").Type(1020, L"10").Click(1042);

        d.Pick(1034, DegMin).Type(1012, L"33").Type(1014, L"54").Type(1020, L"18");
        d.Type(1022, L"24").Click(1018).Click(1026).Click(1042);

        d.Pick(1034, DegMinSec).Click(1018).Click(1026);
        d.Type(1012, L"48").Type(1014, L"51").Type(1016, L"24");
        d.Type(1020, L"2").Type(1022, L"21").Type(1024, L"3").Click(1042);

        // GeographicLib: 32n 566332 5928359 is 53.49999915 10.00000709
        d.Pick(1034, UTM).Type(1032, L"32").Type(1028, L"5928359").Type(1030, L"566332");
        d.Click(1042).Cancel();
    });
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
    EXPECT_EQ(ReadFileBytes(route),
              Line("HOME", "10.000000", "53.500000") + Line("HOME", "-18.400000", "-33.900000") +
                  Line("HOME", "2.350833", "48.856667") + Line("HOME", "10.000007", "53.499999"));
}

}  // namespace
