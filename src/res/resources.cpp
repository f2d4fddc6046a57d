// SPDX-License-Identifier: MIT
#include "res/resources.h"

#include "res/icon_svg.h"
#include "res/resource_ids.h"

namespace {

constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kList =
    LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOINTEGRALHEIGHT;

constexpr auto Static = WindowKind::Static;
constexpr auto Edit = WindowKind::Edit;
constexpr auto Button = WindowKind::PushButton;

// The entry form. Labels stand 2 units below the top of their field; the
// latitude row is at y 25, the longitude row at y 39, and the UTM fields
// share those rows. The order is the z-order, and so the tab order.
DialogTemplate EntryForm() {
    return {IDD_ENTRY,
            L"Quillpost",
            153,
            77,
            {L"System", 80},
            WS_EX_CAPTIONOKBTN | WS_EX_CONTEXTHELP,
            {
                {Static, IDC_NAME_LABEL, L"name*", 7, 7, 26, 8, SS_LEFT},
                {Edit, IDC_NAME, L"", 35, 5, 110, 12, kEdit},
                {Static, IDC_LAT_LABEL, L"lat*", 7, 27, 26, 8, SS_LEFT},
                {Edit, IDC_LAT_DEG, L"", 35, 25, 16, 12, kEdit},
                {Static, IDC_LAT_DEG_SIGN, L"\u00b0", 53, 27, 8, 8, SS_LEFT},
                {Edit, IDC_LAT_MIN, L"", 63, 25, 16, 12, kEdit},
                {Static, IDC_LAT_MIN_SIGN, L"'", 81, 27, 8, 8, SS_LEFT},
                {Edit, IDC_LAT_SEC, L"", 91, 25, 24, 12, kEdit},
                {Static, IDC_LAT_SEC_SIGN, L"\"", 117, 27, 8, 8, SS_LEFT},
                {Button, IDC_LAT_HEMISPHERE, L"n/s", 128, 25, 18, 12, kButton},
                {Static, IDC_LONG_LABEL, L"long*", 7, 41, 26, 8, SS_LEFT},
                {Edit, IDC_LONG_DEG, L"", 35, 39, 16, 12, kEdit},
                {Static, IDC_LONG_DEG_SIGN, L"\u00b0", 53, 41, 8, 8, SS_LEFT},
                {Edit, IDC_LONG_MIN, L"", 63, 39, 16, 12, kEdit},
                {Static, IDC_LONG_MIN_SIGN, L"'", 81, 41, 8, 8, SS_LEFT},
                {Edit, IDC_LONG_SEC, L"", 91, 39, 24, 12, kEdit},
                {Static, IDC_LONG_SEC_SIGN, L"\"", 117, 41, 8, 8, SS_LEFT},
                {Button, IDC_LONG_HEMISPHERE, L"e/w", 128, 39, 18, 12, kButton},
                {Static, IDC_NORTH_LABEL, L"north*", 7, 27, 26, 8, SS_LEFT},
                {Edit, IDC_NORTH, L"", 35, 25, 33, 12, kEdit},
                {Static, IDC_EAST_LABEL, L"east*", 7, 41, 26, 8, SS_LEFT},
                {Edit, IDC_EAST, L"", 35, 39, 33, 12, kEdit},
                {Static, IDC_ZONE_LABEL, L"zone*", 74, 33, 22, 8, SS_LEFT},
                {Edit, IDC_ZONE, L"", 98, 39, 18, 12, kEdit},
                {Static, IDC_FORMAT_LABEL, L"Format", 7, 62, 26, 8, SS_LEFT},
                {WindowKind::ComboBox,
                 IDC_FORMAT,
                 L"",
                 35,
                 60,
                 59,
                 12,
                 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                 {L"Deg", L"DegMin", L"DegMinSec", L"UTM"}},
                {Button, IDC_ADD, L"Hinzu", 110, 60, 36, 12, kButton},
            }};
}

DialogTemplate LanguageChoice() {
    return {IDD_LANGUAGE,
            L"Quillpost Language",
            97,
            69,
            {L"System", 80},
            0,
            {
                {WindowKind::RadioButton, IDC_GERMAN, L"Deutsche Sprache", 7, 7, 77, 10,
                 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
                {WindowKind::RadioButton, IDC_ENGLISH, L"English Language", 7, 23, 77, 10,
                 BS_AUTORADIOBUTTON | WS_TABSTOP},
                {Button, IDOK, L"OK", 30, 48, 38, 14, kDefaultButton | WS_GROUP},
            }};
}

// Present in the program's resources, never opened.
DialogTemplate ListDialog() {
    return {IDD_LIST,
            L"Dialog",
            186,
            95,
            {L"System", 80},
            0,
            {
                {WindowKind::ListBox, IDC_LIST, L"", 7, 7, 115, 81, kList},
                {Button, IDOK, L"OK", 129, 7, 50, 14, kDefaultButton},
                {Button, IDCANCEL, L"Cancel", 129, 24, 50, 14, kButton},
            }};
}

DialogTemplate RouteFileChooser() {
    return {IDD_ROUTE_FILE,
            L"Routing File Dialog",
            180,
            110,
            {L"System", 80},
            0,
            {
                {WindowKind::ListBox, IDC_ROUTE_FILES, L"", 7, 7, 165, 77, kList},
                {Button, IDOK, L"OK", 7, 91, 50, 14, kDefaultButton},
                {Button, IDCANCEL, L"Cancel", 122, 91, 50, 14, kButton},
                {Static, IDC_ROUTE_NOTE, L"", 7, 7, 165, 77, SS_LEFT},
            }};
}

}  // namespace

const ResourceTable& QuillpostResources() {
    static const ResourceTable table{
        {EntryForm(), LanguageChoice(), ListDialog(), RouteFileChooser()},
        {{IDI_QUILLPOST, L"Q", kIconSvg}},
    };
    return table;
}
