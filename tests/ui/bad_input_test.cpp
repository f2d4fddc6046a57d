// SPDX-License-Identifier: MIT
// Whatever a person types into the entry form: every number field with every
// kind of bad input, names the route file cannot carry as they are, and what
// Add makes of a position the form has refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "framework/win_app.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_profile.h"
#include "ui/entry_dlg.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::wstring kNotANumber = L"Please enter a number.";
const std::wstring kNotAWholeNumber = L"Please enter a whole number.";

struct NumberField {
    int id;
    CoordFormat shownIn;
    bool whole;  // the zone takes whole numbers only
    double upper;
};

const NumberField kNumberFields[] = {
    {IDC_LAT_DEG, DegMinSec, false, 90.0},
    {IDC_LAT_MIN, DegMinSec, false, 60.0},
    {IDC_LAT_SEC, DegMinSec, false, 60.0},
    {IDC_LONG_DEG, DegMinSec, false, 180.0},
    {IDC_LONG_MIN, DegMinSec, false, 60.0},
    {IDC_LONG_SEC, DegMinSec, false, 60.0},
    {IDC_NORTH, UTM, false, 20000000.0},
    {IDC_EAST, UTM, false, 900000.0},
    {IDC_ZONE, UTM, true, 60.0},
};

std::wstring Wide(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring Number(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return Wide(text);
}

std::wstring RangeMessage(double upper) {
    return L"Please enter a number between 0 and " + Number("%.15g", upper) + L".";
}

// The message that leaving the field with the text shows; empty when the
// text is taken.
struct Answer {
    std::wstring typed;
    std::wstring message;
};

std::vector<Answer> AnswersOf(const NumberField& field) {
    const std::wstring notNumber = field.whole ? kNotAWholeNumber : kNotANumber;
    const std::wstring range = RangeMessage(field.upper);
    // The smallest step above the bound: the next whole number, or the next double.
    const std::wstring above = field.whole ? Number("%.0f", field.upper + 1)
                                           : Number("%.17g", std::nextafter(field.upper, HUGE_VAL));
    return {
        {L"", notNumber},
        {L"   ", notNumber},
        {L"abc", notNumber},
        {L"nan", notNumber},
        {L"inf", notNumber},
        {L"-1", range},
        {L"1e400", field.whole ? notNumber : range},
        {L"1e-400", field.whole ? notNumber : L""},  // a double takes it as 0
        {L"0x10", notNumber},
        {L"53,5", notNumber},
        {std::wstring(300, L'9'), range},
        {Number("%.15g", field.upper), L""},
        {above, range},
    };
}

class BadInputTest : public ::testing::Test {
protected:
    BadInputTest() {
        app.SetRegistryKey(L"Kvo Applications");
        profile.Write(L"Language", English);
    }

    void RunForm(Headless::Script script) {
        ui.OnDialog(IDD_ENTRY, std::move(script));
        CEntryDlg form;
        form.DoModal();
    }

    ScratchProfile profile;
    ScratchDir card;
    ScopedEnv storage{"QUILLPOST_STORAGE_CARD", card.path().string()};
    std::filesystem::path route = card / "MN6/Settings/Routes/Trip.rte";
    CWinApp app{L"Quillpost.htp"};
    Headless ui{QuillpostResources()};
};

TEST_F(BadInputTest, EveryNumberFieldAnswersEveryInputClearly) {
    RunForm([&](HeadlessDialog& d) {
        for (const CoordFormat format : {DegMinSec, UTM}) {
            d.Pick(IDC_FORMAT, format);
            for (const NumberField& field : kNumberFields) {
                if (field.shownIn != format) {
                    continue;
                }
                const std::wstring before = d.Text(field.id);
                for (const Answer& answer : AnswersOf(field)) {
                    const std::string typed(answer.typed.begin(), answer.typed.end());
                    SCOPED_TRACE("field " + std::to_string(field.id) + ", typed '" +
                                 typed.substr(0, 20) + "'");
                    d.Type(field.id, answer.typed).Leave();
                    if (answer.message.empty()) {
                        EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
                        EXPECT_NE(d.Focus(), field.id);
                    } else {
                        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(answer.message));
                        EXPECT_EQ(d.Focus(), field.id);  // back to the field to mend
                    }
                    d.Type(field.id, before).Leave();
                    EXPECT_THAT(ui.TakeMessageBoxes(), IsEmpty());
                }
            }
        }
        d.Ok();  // everything mended: the form closes
    });
}

// A number the form refuses keeps the focus: a click on Add only says it
// again, so no chooser opens and nothing is written, whether the number is
// too large for a double ("inf" where a decimal belongs) or out of range.
TEST_F(BadInputTest, ARefusedNumberNeverReachesTheRouteFile) {
    WriteFileBytes(route, "");
    RunForm([&](HeadlessDialog& d) {
        d.Type(IDC_NAME, L"Far")
            .Type(IDC_LAT_DEG, L"1e400")
            .Click(IDC_ADD)
            .Type(IDC_LAT_DEG, L"0")
            .Leave();
        d.Type(IDC_LONG_DEG, L"1e400").Click(IDC_ADD).Type(IDC_LONG_DEG, L"0").Leave();
        d.Pick(IDC_FORMAT, UTM)
            .Type(IDC_NORTH, L"1e400")
            .Click(IDC_ADD)
            .Type(IDC_NORTH, L"0")
            .Leave();
        d.Pick(IDC_FORMAT, Deg).Type(IDC_LAT_DEG, L"95").Click(IDC_ADD);
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 4u);
        d.Cancel();
    });
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(IDD_ENTRY));
    EXPECT_EQ(ReadFileBytes(route), "");
}

TEST_F(BadInputTest, NamesAreWrittenOnOneLineWhateverTheyHold) {
    WriteFileBytes(route, "");
    for (int i = 0; i < 3; ++i) {
        ui.OnDialog(IDD_ROUTE_FILE, [](HeadlessDialog& d) { d.Select(IDC_ROUTE_FILES, 0).Ok(); });
    }
    const std::wstring longName(1000, L'x');
    RunForm([&](HeadlessDialog& d) {
        d.Type(IDC_NAME, longName).Leave();
        EXPECT_EQ(d.Text(IDC_NAME), std::wstring(1000, L'X'));
        d.Click(IDC_ADD);
        // Polish, Greek, Chinese and a character beyond the 16-bit plane.
        d.Type(IDC_NAME, L"\u0141\u00f3d\u017a \u03a9 \u4e2d \U0001F600").Click(IDC_ADD);
        d.Type(IDC_NAME, L"   ").Click(IDC_ADD);  // blanks are a name, not an empty one
        d.Cancel();
    });
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
    const std::string numbers = "||][0][10]|0.000000,0.000000||0.000000|0.000000|\r\n";
    EXPECT_EQ(ReadFileBytes(route), "[" + std::string(1000, 'X') + numbers +
                                        "[?\xD3"
                                        "D? ? ? ?" +
                                        numbers + "[   " + numbers);
}

}  // namespace
