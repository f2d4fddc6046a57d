// SPDX-License-Identifier: MIT
// Pixels to cells: the entry form's rows and columns, dialogs on screens too
// small for them, the open list of a drop-down list, list scrolling and the
// title-bar buttons.
#include "backends/terminal/cell_layout.h"

#include <gtest/gtest.h>

#include "open_dialog.h"
#include "res/resource_ids.h"

namespace {

TEST(CellLayout, EntryFormPutsEachLabelBesideItsFieldAndKeepsNeighboursApart) {
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        const CellRect client = ClientCells(DialogBox(dialog, 80, 30));
        auto cells = [&](int id) { return ControlCells(Control(dialog, id), client); };
        // Labels are shorter than their fields and start lower, yet share the row.
        for (auto [label, field] : {std::pair{IDC_NAME_LABEL, IDC_NAME},
                                    {IDC_LAT_LABEL, IDC_LAT_DEG},
                                    {IDC_LONG_LABEL, IDC_LONG_DEG},
                                    {IDC_NORTH_LABEL, IDC_NORTH},
                                    {IDC_EAST_LABEL, IDC_EAST},
                                    {IDC_FORMAT_LABEL, IDC_FORMAT}}) {
            EXPECT_EQ(cells(label).row, cells(field).row) << label;
            EXPECT_LE(cells(label).Right(), cells(field).col) << label;
        }
        // Name, latitude, longitude and format each on a row of their own,
        // the zone label between the latitude and longitude rows.
        EXPECT_LT(cells(IDC_NAME).row, cells(IDC_LAT_DEG).row);
        EXPECT_LT(cells(IDC_LAT_DEG).row, cells(IDC_ZONE_LABEL).row);
        EXPECT_LT(cells(IDC_ZONE_LABEL).row, cells(IDC_LONG_DEG).row);
        EXPECT_LT(cells(IDC_LONG_DEG).row, cells(IDC_FORMAT).row);
        // The latitude row left to right: no two controls share a cell.
        const int row[] = {IDC_LAT_LABEL,    IDC_LAT_DEG, IDC_LAT_DEG_SIGN, IDC_LAT_MIN,
                           IDC_LAT_MIN_SIGN, IDC_LAT_SEC, IDC_LAT_SEC_SIGN, IDC_LAT_HEMISPHERE};
        for (size_t i = 1; i < std::size(row); ++i) {
            EXPECT_LE(cells(row[i - 1]).Right(), cells(row[i]).col) << row[i];
        }
        EXPECT_EQ(cells(IDC_LAT_HEMISPHERE).cols, 5);  // room for "[ N ]"
        EXPECT_LE(cells(IDC_ADD).Right(), client.Right());
    });
}

TEST(CellLayout, PixelEdgesThatTouchStayTouchingInCells) {
    Window a, b;
    const CellRect client{3, 2, 80, 30};
    for (int left = 0; left < 40; ++left) {
        for (int gap = 0; gap < 10; ++gap) {
            a.rect = {left, 0, left + 20, 24};
            b.rect = {a.rect.right + gap, 0, a.rect.right + gap + 20, 24};
            EXPECT_LE(ControlCells(a, client).Right(), ControlCells(b, client).col)
                << left << " " << gap;
        }
    }
}

TEST(CellLayout, DialogMovesIntoASmallScreenAndKeepsItsSize) {
    Window dialog;
    dialog.rect = {160, 160, 160 + 322, 160 + 186};  // the entry form's size
    const CellRect roomy = DialogBox(dialog, 80, 30);
    EXPECT_EQ(roomy, (CellRect{20, 10, 41, 12}));
    EXPECT_EQ(DialogBox(dialog, 50, 15), (CellRect{9, 3, 41, 12}));
    // Smaller than the box: the top left corner stays in view, the rest is clipped.
    EXPECT_EQ(DialogBox(dialog, 30, 8), (CellRect{0, 0, 41, 12}));
    dialog.rect = {-3, -20, -3 + 322, -20 + 186};
    EXPECT_EQ(DialogBox(dialog, 80, 30).col, 0);
    EXPECT_EQ(DialogBox(dialog, 80, 30).row, 0);
}

TEST(CellLayout, OpenListHangsBelowOrAboveWhereThereIsRoom) {
    Window dropDown;
    dropDown.items = {L"a", L"b", L"c", L"d"};
    const CellRect control{10, 5, 14, 1};
    EXPECT_EQ(DropDownCells(dropDown, control, 24), (CellRect{10, 6, 14, 6}));
    // No room either way: below, and clipped.
    EXPECT_EQ(DropDownCells(dropDown, control, 10), (CellRect{10, 6, 14, 6}));
    EXPECT_EQ(DropDownCells(dropDown, {10, 12, 14, 1}, 16), (CellRect{10, 6, 14, 6}));
}

TEST(CellLayout, ListScrollsOnlyAsFarAsTheSelectionNeeds) {
    EXPECT_EQ(FirstShownItem(-1, 20, 8, 0), 0);
    EXPECT_EQ(FirstShownItem(7, 20, 8, 0), 0);
    EXPECT_EQ(FirstShownItem(8, 20, 8, 0), 1);
    EXPECT_EQ(FirstShownItem(19, 20, 8, 0), 12);
    EXPECT_EQ(FirstShownItem(15, 20, 8, 12), 12);  // back up within view: stays
    EXPECT_EQ(FirstShownItem(10, 20, 8, 12), 10);
    EXPECT_EQ(FirstShownItem(2, 5, 8, 12), 0);  // the list got shorter
}

TEST(CellLayout, TitleButtonsSitRightAlignedInTheTopEdge) {
    const CellRect box{4, 2, 30, 10};
    const auto all = TitleButtons(WS_EX_CONTEXTHELP | WS_EX_CAPTIONOKBTN, box);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].kind, TitleButtonKind::Help);
    EXPECT_EQ(all[0].cells, (CellRect{20, 2, 3, 1}));
    EXPECT_EQ(all[1].cells, (CellRect{24, 2, 4, 1}));
    EXPECT_EQ(all[2].cells, (CellRect{29, 2, 3, 1}));  // then a frame cell, then the corner
    const auto closeOnly = TitleButtons(0, box);
    ASSERT_EQ(closeOnly.size(), 1u);
    EXPECT_EQ(closeOnly[0].kind, TitleButtonKind::Close);
    EXPECT_EQ(closeOnly[0].cells, all[2].cells);
}

}  // namespace
