// SPDX-License-Identifier: MIT
// What a screen reader calls the controls of the program's dialogs.
#include "framework/accessible_name.h"

#include <gtest/gtest.h>

#include "backends/terminal/open_dialog.h"
#include "framework/data_exchange.h"

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
    CDialog form(102);
    WhileOpen(form, [](Window& dialog) {
        Hide(dialog, {1027, 1028, 1029, 1030, 1031, 1032});  // the grid position's controls
        HandleOf(&Control(dialog, 1011))->SetWindowText(L"Lat");
        HandleOf(&Control(dialog, 1018))->SetWindowText(L"N");
        // The program puts the fields before their labels in z-order, for the tab key.
        HandleOf(&Control(dialog, 1012))
            ->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_EQ(NameOf(dialog, 1002), L"name");  // the label's asterisk is not read
        EXPECT_EQ(NameOf(dialog, 1012), L"Lat degrees");
        EXPECT_EQ(NameOf(dialog, 1014), L"Lat minutes");
        EXPECT_EQ(NameOf(dialog, 1016), L"Lat seconds");
        EXPECT_EQ(NameOf(dialog, 1018), L"Lat N");  // a hemisphere letter says its row
        EXPECT_EQ(NameOf(dialog, 1024), L"long seconds");
        EXPECT_EQ(NameOf(dialog, 1034), L"Format");
        EXPECT_EQ(NameOf(dialog, 1042), L"Hinzu");

        Hide(dialog,
             {1011, 1012, 1013, 1014, 1015, 1016, 1017, 1019, 1020, 1021, 1022, 1023, 1024, 1025});
        for (int id : {1027, 1028, 1029, 1030, 1031, 1032}) {
            HandleOf(&Control(dialog, id))->ShowWindow(SW_SHOW);
        }
        EXPECT_EQ(NameOf(dialog, 1028), L"north");
        EXPECT_EQ(NameOf(dialog, 1030), L"east");
        EXPECT_EQ(NameOf(dialog, 1032), L"zone");  // its label stands above and to its left
    });
    AfxSetMessageLanguage(0);
    CDialog chooser(134);
    WhileOpen(chooser, [](Window& dialog) {
        // A list without a label is named by its dialog.
        EXPECT_EQ(NameOf(dialog, 1047), L"Routing File Dialog");
        EXPECT_EQ(NameOf(dialog, IDCANCEL), L"Cancel");
    });
    CDialog german(102);
    WhileOpen(german, [](Window& dialog) {
        Hide(dialog, {1027, 1028, 1029, 1030, 1031, 1032});
        EXPECT_EQ(NameOf(dialog, 1022), L"long Minuten");
    });
    EXPECT_EQ(AccessibleName(TitleButtonKind::Help), L"Hilfe");
}

}  // namespace
