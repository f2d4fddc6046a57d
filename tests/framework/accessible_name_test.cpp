// SPDX-License-Identifier: MIT
// What a screen reader calls the controls of the program's dialogs.
#include "framework/accessible_name.h"

#include <gtest/gtest.h>

#include "backends/terminal/open_dialog.h"
#include "framework/data_exchange.h"
#include "res/resource_ids.h"

namespace {

std::wstring NameOf(Window& dialog, int id) {
    return AccessibleName(Control(dialog, id));
}

void Hide(Window& dialog, std::initializer_list<int> ids) {
    for (int id : ids) {
        HandleOf(&Control(dialog, id))->ShowWindow(SW_HIDE);
    }
}

TEST(AccessibleName, FieldsAreNamedByTheLabelOnTheirLeftAndTheUnitOnTheirRight) {
    AfxSetMessageLanguage(1);
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        Hide(dialog, {IDC_NORTH_LABEL, IDC_NORTH, IDC_EAST_LABEL, IDC_EAST, IDC_ZONE_LABEL,
                      IDC_ZONE});  // the grid position's controls
        HandleOf(&Control(dialog, IDC_LAT_LABEL))->SetWindowText(L"Lat");
        HandleOf(&Control(dialog, IDC_LAT_HEMISPHERE))->SetWindowText(L"N");
        // The program puts the fields before their labels in z-order, for the tab key.
        HandleOf(&Control(dialog, IDC_LAT_DEG))
            ->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_EQ(NameOf(dialog, IDC_NAME), L"name");  // the label's asterisk is not read
        EXPECT_EQ(NameOf(dialog, IDC_LAT_DEG), L"Lat degrees");
        EXPECT_EQ(NameOf(dialog, IDC_LAT_MIN), L"Lat minutes");
        EXPECT_EQ(NameOf(dialog, IDC_LAT_SEC), L"Lat seconds");
        EXPECT_EQ(NameOf(dialog, IDC_LAT_HEMISPHERE),
                  L"Lat N");  // a hemisphere letter says its row
        EXPECT_EQ(NameOf(dialog, IDC_LONG_SEC), L"long seconds");
        EXPECT_EQ(NameOf(dialog, IDC_FORMAT), L"Format");
        EXPECT_EQ(NameOf(dialog, IDC_ADD), L"Hinzu");

        Hide(dialog,
             {IDC_LAT_LABEL, IDC_LAT_DEG, IDC_LAT_DEG_SIGN, IDC_LAT_MIN, IDC_LAT_MIN_SIGN,
              IDC_LAT_SEC, IDC_LAT_SEC_SIGN, IDC_LONG_LABEL, IDC_LONG_DEG, IDC_LONG_DEG_SIGN,
              IDC_LONG_MIN, IDC_LONG_MIN_SIGN, IDC_LONG_SEC, IDC_LONG_SEC_SIGN});
        for (int id :
             {IDC_NORTH_LABEL, IDC_NORTH, IDC_EAST_LABEL, IDC_EAST, IDC_ZONE_LABEL, IDC_ZONE}) {
            HandleOf(&Control(dialog, id))->ShowWindow(SW_SHOW);
        }
        EXPECT_EQ(NameOf(dialog, IDC_NORTH), L"north");
        EXPECT_EQ(NameOf(dialog, IDC_EAST), L"east");
        EXPECT_EQ(NameOf(dialog, IDC_ZONE), L"zone");  // its label stands above and to its left
    });
    AfxSetMessageLanguage(0);
    CDialog chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [](Window& dialog) {
        // A list without a label is named by its dialog.
        EXPECT_EQ(NameOf(dialog, IDC_ROUTE_FILES), L"Routing File Dialog");
        EXPECT_EQ(NameOf(dialog, IDCANCEL), L"Cancel");
    });
    CDialog german(IDD_ENTRY);
    WhileOpen(german, [](Window& dialog) {
        Hide(dialog,
             {IDC_NORTH_LABEL, IDC_NORTH, IDC_EAST_LABEL, IDC_EAST, IDC_ZONE_LABEL, IDC_ZONE});
        EXPECT_EQ(NameOf(dialog, IDC_LONG_MIN), L"long Minuten");
    });
    EXPECT_EQ(AccessibleName(TitleButtonKind::Help), L"Hilfe");
}

}  // namespace
