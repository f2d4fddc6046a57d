// The program's dialog templates, opened as they are: every control in its
// place (dialog units, two pixels each way), in its z-order, of its kind.
#include "res/resources.h"

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
    Open(102, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Quillpost");
        const RECT window = d.WindowRect();
        EXPECT_EQ(window.right - window.left, 153 * 2 + 16);
        EXPECT_EQ(window.bottom - window.top, 77 * 2 + 32);
        EXPECT_EQ(d.Dialog().m_hWnd->exStyle, WS_EX_CAPTIONOKBTN | WS_EX_CONTEXTHELP);
        EXPECT_EQ(d.Font(1002), (FontInfo{L"System", 80}));
        EXPECT_THAT(ZOrder(d.Dialog()),
                    ElementsAreArray({1001, 1002, 1011, 1012, 1013, 1014, 1015, 1016, 1017,
                                      1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026,
                                      1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1042}));
        const Place places[] = {
            {1001, 7, 7, 26, 8},     {1002, 35, 5, 110, 12}, {1012, 35, 25, 16, 12},
            {1014, 63, 25, 16, 12},  {1016, 91, 25, 24, 12}, {1020, 35, 39, 16, 12},
            {1022, 63, 39, 16, 12},  {1024, 91, 39, 24, 12}, {1018, 128, 25, 18, 12},
            {1026, 128, 39, 18, 12}, {1028, 35, 25, 33, 12}, {1030, 35, 39, 33, 12},
            {1032, 98, 39, 18, 12},  {1033, 7, 62, 26, 8},   {1034, 35, 60, 59, 12},
            {1042, 110, 60, 36, 12}};
        for (const Place& place : places) {
            EXPECT_EQ(d.Rect(place.id), Pixels(place)) << place.id;
        }
        for (int sign : {1013, 1021}) {
            EXPECT_EQ(d.Rect(sign).left, 53 * 2) << sign;
        }
        for (int sign : {1015, 1023}) {
            EXPECT_EQ(d.Rect(sign).left, 81 * 2) << sign;
        }
        for (int sign : {1017, 1025}) {
            EXPECT_EQ(d.Rect(sign).left, 117 * 2) << sign;
        }
        EXPECT_EQ(d.Rect(1031).left, 74 * 2);
        EXPECT_EQ(d.Rect(1031).top, 33 * 2);
        EXPECT_EQ(d.Rect(1011).top, d.Rect(1012).top + 4);  // labels sit 2 units lower
        EXPECT_EQ(d.Text(1013), L"\u00b0");
        EXPECT_EQ(d.Text(1017), L"\"");
        EXPECT_EQ(d.Text(1042), L"Hinzu");
        EXPECT_THAT(d.Items(1034), ElementsAreArray({L"Deg", L"DegMin", L"DegMinSec", L"UTM"}));
        EXPECT_EQ(Style(d.Dialog(), 1034) & 0x3, CBS_DROPDOWNLIST);
        EXPECT_THAT(d.TabOrder(), ElementsAreArray({1002, 1012, 1014, 1016, 1018, 1020, 1022, 1024,
                                                    1026, 1028, 1030, 1032, 1034, 1042}));
    });
}

TEST(Resources, LanguageChoice) {
    Open(130, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Quillpost Language");
        const RECT window = d.WindowRect();
        EXPECT_EQ(window.right - window.left, 97 * 2 + 16);
        EXPECT_EQ(window.bottom - window.top, 69 * 2 + 32);
        EXPECT_THAT(ZOrder(d.Dialog()), ElementsAreArray({1045, 1046, IDOK}));
        EXPECT_EQ(d.Rect(1045), Pixels({1045, 7, 7, 77, 10}));
        EXPECT_EQ(d.Rect(1046), Pixels({1046, 7, 23, 77, 10}));
        EXPECT_EQ(d.Rect(IDOK), Pixels({IDOK, 30, 48, 38, 14}));
        EXPECT_EQ(d.Text(1045), L"Deutsche Sprache");
        EXPECT_EQ(d.Text(1046), L"English Language");
        EXPECT_EQ(d.Text(IDOK), L"OK");
        EXPECT_EQ(Style(d.Dialog(), 1046) & 0xF, BS_AUTORADIOBUTTON);
        EXPECT_EQ(Style(d.Dialog(), IDOK) & 0xF, BS_DEFPUSHBUTTON);
        d.Click(1046).Click(1045);  // one group: a click unchecks the other
        EXPECT_TRUE(d.Checked(1045));
        EXPECT_FALSE(d.Checked(1046));
    });
}

TEST(Resources, RouteFileChooserAndTheUnusedListDialog) {
    Open(134, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Routing File Dialog");
        const RECT window = d.WindowRect();
        EXPECT_EQ(window.right - window.left, 180 * 2 + 16);
        EXPECT_EQ(window.bottom - window.top, 110 * 2 + 32);
        EXPECT_THAT(ZOrder(d.Dialog()), ElementsAreArray({1047, IDOK, IDCANCEL}));
        EXPECT_EQ(d.Rect(1047), Pixels({1047, 7, 7, 165, 77}));
        EXPECT_EQ(d.Rect(IDOK), Pixels({IDOK, 7, 91, 50, 14}));
        EXPECT_EQ(d.Rect(IDCANCEL), Pixels({IDCANCEL, 122, 91, 50, 14}));
        EXPECT_EQ(d.Text(IDCANCEL), L"Cancel");
        EXPECT_EQ(Style(d.Dialog(), 1047), LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER |
                                               WS_TABSTOP | LBS_NOINTEGRALHEIGHT);
        EXPECT_EQ(d.Focus(), 1047);
    });
    Open(133, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Dialog");
        EXPECT_THAT(ZOrder(d.Dialog()), ElementsAreArray({1044, IDOK, IDCANCEL}));
    });
    Headless ui(QuillpostResources());
    EXPECT_EQ(LoadIconW(128)->id, 128);
}

}  // namespace
