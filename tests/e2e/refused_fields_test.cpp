// SPDX-License-Identifier: MIT
// One table of refused entries drives both front ends: the entry form on the
// headless backend and quillpost-geo as its own process. Each row is refused
// by both with the same words, and neither writes anything.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win_app.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_profile.h"
#include "tool_process.h"
#include "ui/entry_dlg.h"

namespace {

using ::testing::ElementsAre;

const std::string kNumber = "Please enter a number.";
const std::string kWholeNumber = "Please enter a whole number.";
const std::string kOffTheEarth =
    "The position is not on the Earth: the latitude must lie between -90 and 90 degrees, the "
    "longitude between -180 and 180 degrees.";

std::string Between(const std::string& low, const std::string& high) {
    return "Please enter a number between " + low + " and " + high + ".";
}

// A format's number fields in the order of the companion's arguments, which
// is the order the form reads them in; hemisphere letters are N and E.
struct FormatFields {
    CoordFormat format;
    const char* name;  // the companion's
    std::vector<int> controls;
    std::vector<std::string> companionNames;
};

const FormatFields kFormats[] = {
    {Deg, "deg", {IDC_LAT_DEG, IDC_LONG_DEG}, {"latitude degrees", "longitude degrees"}},
    {DegMin,
     "dm",
     {IDC_LAT_DEG, IDC_LAT_MIN, IDC_LONG_DEG, IDC_LONG_MIN},
     {"latitude degrees", "latitude minutes", "longitude degrees", "longitude minutes"}},
    {DegMinSec,
     "dms",
     {IDC_LAT_DEG, IDC_LAT_MIN, IDC_LAT_SEC, IDC_LONG_DEG, IDC_LONG_MIN, IDC_LONG_SEC},
     {"latitude degrees", "latitude minutes", "latitude seconds", "longitude degrees",
      "longitude minutes", "longitude seconds"}},
    {UTM, "utm", {IDC_ZONE, IDC_NORTH, IDC_EAST}, {"zone", "northing", "easting"}},
};

struct Refused {
    CoordFormat format;
    std::vector<std::string> values;  // the format's number fields
    int field;                        // the refused one, -1 for the position as a whole
    std::string message;
};

const Refused kRefused[] = {
    {Deg, {"95", "10"}, 0, Between("0", "90")},
    {Deg, {"-53", "10"}, 0, Between("0", "90")},
    // The minus sign is the hemisphere letter's to give, also on a zero.
    {Deg, {"-0", "10"}, 0, Between("0", "90")},
    {Deg, {"53.5", "190"}, 1, Between("0", "180")},
    {Deg, {"1e308", "10"}, 0, Between("0", "90")},
    {Deg, {"53.5", "1e400"}, 1, Between("0", "180")},
    {Deg, {"nan", "10"}, 0, kNumber},
    {Deg, {"53.5", "inf"}, 1, kNumber},
    {Deg, {"0x10", "10"}, 0, kNumber},
    {Deg, {"53,5", "10"}, 0, kNumber},
    {DegMin, {"53", "61", "10", "0"}, 1, Between("0", "60")},
    {DegMin, {"53", "30", "10", "-0.5"}, 3, Between("0", "60")},
    {DegMinSec, {"53", "30", "0", "10", "0", "60.5"}, 5, Between("0", "60")},
    {DegMinSec, {"53", "30", "abc", "10", "0", "0"}, 2, kNumber},
    {UTM, {"61", "5928359", "566331"}, 0, Between("0", "60")},
    {UTM, {"32.0", "5928359", "566331"}, 0, kWholeNumber},
    {UTM, {"32", "20000001", "566331"}, 1, Between("0", "20000000")},
    {UTM, {"32", "5928359", "-5"}, 2, Between("0", "900000")},
    // Each field inside its range, the position beyond the pole or the date line.
    {DegMin, {"90", "30", "10", "0"}, -1, kOffTheEarth},
    {DegMinSec, {"53", "0", "0", "180", "0", "60"}, -1, kOffTheEarth},
};

const FormatFields& FieldsOf(CoordFormat format) {
    return kFormats[format];
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string Describe(const Refused& row) {
    std::string text = FieldsOf(row.format).name;
    for (const std::string& value : row.values) {
        text += " " + value;
    }
    return text;
}

class RefusedFieldsTest : public ::testing::Test {
protected:
    RefusedFieldsTest() {
        app.SetRegistryKey(L"Kvo Applications");
        WriteFileBytes(route, "x\r\n");
    }

    ScratchProfile profile;
    ScratchDir card;
    ScopedEnv storage{"QUILLPOST_STORAGE_CARD", card.path().string()};
    std::filesystem::path route = card / "MN6/Settings/Routes/Trip.rte";
    CWinApp app{L"Quillpost.htp"};
};

TEST_F(RefusedFieldsTest, TheCompanionRefusesWhatTheFormRefusesWithItsWords) {
    for (const Refused& row : kRefused) {
        SCOPED_TRACE(Describe(row));
        const FormatFields& format = FieldsOf(row.format);
        std::vector<std::string> arguments = {"append", route.string(), "X", format.name};
        for (size_t i = 0; i < row.values.size(); ++i) {
            arguments.push_back(row.values[i]);
            // The letter after the latitude's fields and after the longitude's.
            if (row.format == UTM ? i == 0 : i + 1 == row.values.size() / 2) {
                arguments.push_back("N");
            }
        }
        if (row.format != UTM) {
            arguments.push_back("E");
        }
        const ProcessResult result = RunProcess(QUILLPOST_GEO, arguments);
        EXPECT_EQ(result.status, 1);
        const std::string field =
            row.field < 0 ? std::string() : format.companionNames[row.field] + ": ";
        EXPECT_EQ(result.err, "quillpost-geo: " + field + row.message + "\n");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ReadFileBytes(route), "x\r\n");
    }
}

TEST_F(RefusedFieldsTest, TheFormRefusesEachRowAndKeepsItsFields) {
    profile.Write(L"Language", English);
    Headless ui{QuillpostResources()};
    ui.OnDialog(IDD_ENTRY, [&](HeadlessDialog& d) {
        d.Type(IDC_NAME, L"X");
        for (const Refused& row : kRefused) {
            SCOPED_TRACE(Describe(row));
            const FormatFields& format = FieldsOf(row.format);
            d.Pick(IDC_FORMAT, row.format);
            // The refused field last: the form says so as soon as it is left.
            for (size_t i = 0; i < row.values.size(); ++i) {
                if (static_cast<int>(i) != row.field) {
                    d.Type(format.controls[i], Wide(row.values[i]));
                }
            }
            if (row.field >= 0) {
                d.Type(format.controls[row.field], Wide(row.values[row.field]));
            }
            d.Click(IDC_ADD);
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(Wide(row.message)));
            for (size_t i = 0; i < row.values.size(); ++i) {
                EXPECT_EQ(d.Text(format.controls[i]), Wide(row.values[i]));
            }
            // Mended, the refused field first since it holds the focus, so
            // that the next row starts from fields the form takes.
            if (row.field >= 0) {
                d.Type(format.controls[row.field], L"1");
            }
            for (const int control : format.controls) {
                d.Type(control, L"1");
            }
            d.Leave();
            EXPECT_THAT(ui.TakeMessageBoxes(), testing::IsEmpty());
        }
        d.Cancel();
    });
    CEntryDlg form;
    form.DoModal();
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_ENTRY));
    EXPECT_EQ(ReadFileBytes(route), "x\r\n");
}

// The message names the limits in the form's language; no chooser opens and
// the fields stay as typed, to be mended.
TEST_F(RefusedFieldsTest, APositionOffTheEarthIsSaidInBothLanguages) {
    const std::wstring german =
        L"Die Position liegt nicht auf der Erde: Die Breite muss zwischen -90 und 90 Grad liegen, "
        L"die L\u00e4nge zwischen -180 und 180 Grad.";
    for (const auto& [language, message] :
         {std::pair{German, german}, std::pair{English, Wide(kOffTheEarth)}}) {
        profile.Write(L"Language", language);
        Headless ui{QuillpostResources()};
        ui.OnDialog(IDD_ENTRY, [&](HeadlessDialog& d) {
            d.Type(IDC_NAME, L"X").Pick(IDC_FORMAT, DegMin);
            d.Type(IDC_LAT_DEG, L"90").Type(IDC_LAT_MIN, L"30").Click(IDC_ADD);
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(message));
            EXPECT_EQ(d.Text(IDC_LAT_DEG), L"90");
            EXPECT_EQ(d.Text(IDC_LAT_MIN), L"30");
            d.Type(IDC_LAT_DEG, L"0").Type(IDC_LAT_MIN, L"0").Pick(IDC_FORMAT, DegMinSec);
            d.Type(IDC_LONG_DEG, L"180").Type(IDC_LONG_MIN, L"0").Type(IDC_LONG_SEC, L"60");
            d.Click(IDC_ADD);
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(message));
            EXPECT_EQ(d.Text(IDC_LONG_DEG), L"180");
            EXPECT_EQ(d.Text(IDC_LONG_SEC), L"60");
            d.Cancel();
        });
        CEntryDlg form;
        form.DoModal();
        EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_ENTRY));
    }
    EXPECT_EQ(ReadFileBytes(route), "x\r\n");
}

}  // namespace
