// SPDX-License-Identifier: MIT
// The program's dialog templates, opened as they are: every control in its
// place (dialog units, two pixels each way), in its z-order, of its kind.
#include "res/resources.h"
#include "res/resource_ids.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/dialog.h"
#include "support/headless/headless.h"

namespace {

using ::testing::ElementsAreArray;

struct Place {
    int id;
    int x, y, cx, cy;
};

RECT Pixels(const Place& place) {
    return {2 * place.x, 2 * place.y, 2 * (place.x + place.cx), 2 * (place.y + place.cy)};
}

std::vector<int> ZOrder(const CDialog& dialog) {
    std::vector<int> ids;
    for (const auto& child : dialog.m_hWnd->children) {
        ids.push_back(child->id);
    }
    return ids;
}

DWORD Style(const CDialog& dialog, int id) {
    return FindChild(*dialog.m_hWnd, id)->style;
}

// Opens one template and runs the checks on it.
void Open(int id, const std::function<void(HeadlessDialog&)>& check) {
    Headless ui(QuillpostResources());
    ui.OnDialog(id, [&](HeadlessDialog& d) {
        check(d);
        d.Cancel();
    });
    CDialog dialog(id);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Resources, EntryFormHoldsEveryControlInItsPlace) {
    Open(IDD_ENTRY, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Quillpost");
        const RECT window = d.WindowRect();
        EXPECT_EQ(window.right - window.left, 153 * 2 + 16);
        EXPECT_EQ(window.bottom - window.top, 77 * 2 + 32);
        EXPECT_EQ(d.Dialog().m_hWnd->exStyle, WS_EX_CAPTIONOKBTN | WS_EX_CONTEXTHELP);
        EXPECT_EQ(d.Font(IDC_NAME), (FontInfo{L"System", 80}));
        EXPECT_THAT(ZOrder(d.Dialog()),
                    ElementsAreArray({IDC_NAME_LABEL,     IDC_NAME,          IDC_LAT_LABEL,
                                      IDC_LAT_DEG,        IDC_LAT_DEG_SIGN,  IDC_LAT_MIN,
                                      IDC_LAT_MIN_SIGN,   IDC_LAT_SEC,       IDC_LAT_SEC_SIGN,
                                      IDC_LAT_HEMISPHERE, IDC_LONG_LABEL,    IDC_LONG_DEG,
                                      IDC_LONG_DEG_SIGN,  IDC_LONG_MIN,      IDC_LONG_MIN_SIGN,
                                      IDC_LONG_SEC,       IDC_LONG_SEC_SIGN, IDC_LONG_HEMISPHERE,
                                      IDC_NORTH_LABEL,    IDC_NORTH,         IDC_EAST_LABEL,
                                      IDC_EAST,           IDC_ZONE_LABEL,    IDC_ZONE,
                                      IDC_FORMAT_LABEL,   IDC_FORMAT,        IDC_ADD}));
        const Place places[] = {{IDC_NAME_LABEL, 7, 7, 26, 8},
                                {IDC_NAME, 35, 5, 110, 12},
                                {IDC_LAT_DEG, 35, 25, 16, 12},
                                {IDC_LAT_MIN, 63, 25, 16, 12},
                                {IDC_LAT_SEC, 91, 25, 24, 12},
                                {IDC_LONG_DEG, 35, 39, 16, 12},
                                {IDC_LONG_MIN, 63, 39, 16, 12},
                                {IDC_LONG_SEC, 91, 39, 24, 12},
                                {IDC_LAT_HEMISPHERE, 128, 25, 18, 12},
                                {IDC_LONG_HEMISPHERE, 128, 39, 18, 12},
                                {IDC_NORTH, 35, 25, 33, 12},
                                {IDC_EAST, 35, 39, 33, 12},
                                {IDC_ZONE, 98, 39, 18, 12},
                                {IDC_FORMAT_LABEL, 7, 62, 26, 8},
                                {IDC_FORMAT, 35, 60, 59, 12},
                                {IDC_ADD, 110, 60, 36, 12}};
        for (const Place& place : places) {
            EXPECT_EQ(d.Rect(place.id), Pixels(place)) << place.id;
        }
        for (int sign : {IDC_LAT_DEG_SIGN, IDC_LONG_DEG_SIGN}) {
            EXPECT_EQ(d.Rect(sign).left, 53 * 2) << sign;
        }
        for (int sign : {IDC_LAT_MIN_SIGN, IDC_LONG_MIN_SIGN}) {
            EXPECT_EQ(d.Rect(sign).left, 81 * 2) << sign;
        }
        for (int sign : {IDC_LAT_SEC_SIGN, IDC_LONG_SEC_SIGN}) {
            EXPECT_EQ(d.Rect(sign).left, 117 * 2) << sign;
        }
        EXPECT_EQ(d.Rect(IDC_ZONE_LABEL).left, 74 * 2);
        EXPECT_EQ(d.Rect(IDC_ZONE_LABEL).top, 33 * 2);
        EXPECT_EQ(d.Rect(IDC_LAT_LABEL).top,
                  d.Rect(IDC_LAT_DEG).top + 4);  // labels sit 2 units lower
        EXPECT_EQ(d.Text(IDC_LAT_DEG_SIGN), L"\u00b0");
        EXPECT_EQ(d.Text(IDC_LAT_SEC_SIGN), L"\"");
        EXPECT_EQ(d.Text(IDC_ADD), L"Hinzu");
        EXPECT_THAT(d.Items(IDC_FORMAT),
                    ElementsAreArray({L"Deg", L"DegMin", L"DegMinSec", L"UTM"}));
        EXPECT_EQ(Style(d.Dialog(), IDC_FORMAT) & 0x3, CBS_DROPDOWNLIST);
        EXPECT_THAT(d.TabOrder(), ElementsAreArray({IDC_NAME, IDC_LAT_DEG, IDC_LAT_MIN, IDC_LAT_SEC,
                                                    IDC_LAT_HEMISPHERE, IDC_LONG_DEG, IDC_LONG_MIN,
                                                    IDC_LONG_SEC, IDC_LONG_HEMISPHERE, IDC_NORTH,
                                                    IDC_EAST, IDC_ZONE, IDC_FORMAT, IDC_ADD}));
    });
}

TEST(Resources, LanguageChoice) {
    Open(IDD_LANGUAGE, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Quillpost Language");
        const RECT window = d.WindowRect();
        EXPECT_EQ(window.right - window.left, 97 * 2 + 16);
        EXPECT_EQ(window.bottom - window.top, 69 * 2 + 32);
        EXPECT_THAT(ZOrder(d.Dialog()), ElementsAreArray({IDC_GERMAN, IDC_ENGLISH, IDOK}));
        EXPECT_EQ(d.Rect(IDC_GERMAN), Pixels({IDC_GERMAN, 7, 7, 77, 10}));
        EXPECT_EQ(d.Rect(IDC_ENGLISH), Pixels({IDC_ENGLISH, 7, 23, 77, 10}));
        EXPECT_EQ(d.Rect(IDOK), Pixels({IDOK, 30, 48, 38, 14}));
        EXPECT_EQ(d.Text(IDC_GERMAN), L"Deutsche Sprache");
        EXPECT_EQ(d.Text(IDC_ENGLISH), L"English Language");
        EXPECT_EQ(d.Text(IDOK), L"OK");
        EXPECT_EQ(Style(d.Dialog(), IDC_ENGLISH) & 0xF, BS_AUTORADIOBUTTON);
        EXPECT_EQ(Style(d.Dialog(), IDOK) & 0xF, BS_DEFPUSHBUTTON);
        d.Click(IDC_ENGLISH).Click(IDC_GERMAN);  // one group: a click unchecks the other
        EXPECT_TRUE(d.Checked(IDC_GERMAN));
        EXPECT_FALSE(d.Checked(IDC_ENGLISH));
    });
}

TEST(Resources, RouteFileChooserAndTheUnusedListDialog) {
    Open(IDD_ROUTE_FILE, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Routing File Dialog");
        const RECT window = d.WindowRect();
        EXPECT_EQ(window.right - window.left, 180 * 2 + 16);
        EXPECT_EQ(window.bottom - window.top, 110 * 2 + 32);
        EXPECT_THAT(ZOrder(d.Dialog()),
                    ElementsAreArray({IDC_ROUTE_FILES, IDOK, IDCANCEL, IDC_ROUTE_NOTE}));
        EXPECT_EQ(d.Rect(IDC_ROUTE_FILES), Pixels({IDC_ROUTE_FILES, 7, 7, 165, 77}));
        // The note takes the list's place when there is no route file.
        EXPECT_EQ(d.Rect(IDC_ROUTE_NOTE), Pixels({IDC_ROUTE_NOTE, 7, 7, 165, 77}));
        EXPECT_EQ(d.Rect(IDOK), Pixels({IDOK, 7, 91, 50, 14}));
        EXPECT_EQ(d.Rect(IDCANCEL), Pixels({IDCANCEL, 122, 91, 50, 14}));
        EXPECT_EQ(d.Text(IDCANCEL), L"Cancel");
        EXPECT_EQ(Style(d.Dialog(), IDC_ROUTE_FILES), LBS_NOTIFY | LBS_SORT | WS_VSCROLL |
                                                          WS_BORDER | WS_TABSTOP |
                                                          LBS_NOINTEGRALHEIGHT);
        EXPECT_EQ(d.Focus(), IDC_ROUTE_FILES);
    });
    Open(IDD_LIST, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Dialog");
        EXPECT_THAT(ZOrder(d.Dialog()), ElementsAreArray({IDC_LIST, IDOK, IDCANCEL}));
    });
    Headless ui(QuillpostResources());
    EXPECT_EQ(LoadIconW(IDI_QUILLPOST)->id, IDI_QUILLPOST);
}

}  // namespace
