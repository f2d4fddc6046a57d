#include "res/resources.h"

#include "res/icon_svg.h"

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
    return {102,
            L"Quillpost",
            153,
            77,
            {L"System", 80},
            WS_EX_CAPTIONOKBTN | WS_EX_CONTEXTHELP,
            {
                {Static, 1001, L"name*", 7, 7, 26, 8, SS_LEFT},
                {Edit, 1002, L"", 35, 5, 110, 12, kEdit},
                {Static, 1011, L"lat*", 7, 27, 26, 8, SS_LEFT},
                {Edit, 1012, L"", 35, 25, 16, 12, kEdit},
                {Static, 1013, L"\u00b0", 53, 27, 8, 8, SS_LEFT},
                {Edit, 1014, L"", 63, 25, 16, 12, kEdit},
                {Static, 1015, L"'", 81, 27, 8, 8, SS_LEFT},
                {Edit, 1016, L"", 91, 25, 24, 12, kEdit},
                {Static, 1017, L"\"", 117, 27, 8, 8, SS_LEFT},
                {Button, 1018, L"n/s", 128, 25, 18, 12, kButton},
                {Static, 1019, L"long*", 7, 41, 26, 8, SS_LEFT},
                {Edit, 1020, L"", 35, 39, 16, 12, kEdit},
                {Static, 1021, L"\u00b0", 53, 41, 8, 8, SS_LEFT},
                {Edit, 1022, L"", 63, 39, 16, 12, kEdit},
                {Static, 1023, L"'", 81, 41, 8, 8, SS_LEFT},
                {Edit, 1024, L"", 91, 39, 24, 12, kEdit},
                {Static, 1025, L"\"", 117, 41, 8, 8, SS_LEFT},
                {Button, 1026, L"e/w", 128, 39, 18, 12, kButton},
                {Static, 1027, L"north*", 7, 27, 26, 8, SS_LEFT},
                {Edit, 1028, L"", 35, 25, 33, 12, kEdit},
                {Static, 1029, L"east*", 7, 41, 26, 8, SS_LEFT},
                {Edit, 1030, L"", 35, 39, 33, 12, kEdit},
                {Static, 1031, L"zone*", 74, 33, 22, 8, SS_LEFT},
                {Edit, 1032, L"", 98, 39, 18, 12, kEdit},
                {Static, 1033, L"Format", 7, 62, 26, 8, SS_LEFT},
                {WindowKind::ComboBox,
                 1034,
                 L"",
                 35,
                 60,
                 59,
                 12,
                 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                 {L"Deg", L"DegMin", L"DegMinSec", L"UTM"}},
                {Button, 1042, L"Hinzu", 110, 60, 36, 12, kButton},
            }};
}

DialogTemplate LanguageChoice() {
    return {130,
            L"Quillpost Language",
            97,
            69,
            {L"System", 80},
            0,
            {
                {WindowKind::RadioButton, 1045, L"Deutsche Sprache", 7, 7, 77, 10,
                 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
                {WindowKind::RadioButton, 1046, L"English Language", 7, 23, 77, 10,
                 BS_AUTORADIOBUTTON | WS_TABSTOP},
                {Button, IDOK, L"OK", 30, 48, 38, 14, kDefaultButton | WS_GROUP},
            }};
}

// Present in the program's resources, never opened.
DialogTemplate ListDialog() {
    return {133,
            L"Dialog",
            186,
            95,
            {L"System", 80},
            0,
            {
                {WindowKind::ListBox, 1044, L"", 7, 7, 115, 81, kList},
                {Button, IDOK, L"OK", 129, 7, 50, 14, kDefaultButton},
                {Button, IDCANCEL, L"Cancel", 129, 24, 50, 14, kButton},
            }};
}

DialogTemplate RouteFileChooser() {
    return {134,
            L"Routing File Dialog",
            180,
            110,
            {L"System", 80},
            0,
            {
                {WindowKind::ListBox, 1047, L"", 7, 7, 165, 77, kList},
                {Button, IDOK, L"OK", 7, 91, 50, 14, kDefaultButton},
                {Button, IDCANCEL, L"Cancel", 122, 91, 50, 14, kButton},
            }};
}

}  // namespace

const ResourceTable& QuillpostResources() {
    static const ResourceTable table{
        {EntryForm(), LanguageChoice(), ListDialog(), RouteFileChooser()},
        {{128, L"Q", kIconSvg}},
    };
    return table;
}
