// SPDX-License-Identifier: MIT
// The dialogs as the terminal draws them: frame and title bar, controls at
// their places, hidden ones gone, focus and caret, the open drop-down list,
// clipping on a small screen, message boxes, and where a click lands.
#include "backends/terminal/dialog_painter.h"

#include <gtest/gtest.h>

#include "framework/user_input.h"
#include "open_dialog.h"
#include "res/resource_ids.h"

namespace {

Style StyleAt(const Canvas& canvas, CellPos at) {
    return canvas.At(at.col, at.row).style;
}

std::optional<CellPos> Paint(Canvas& canvas, const Window& dialog, bool active = true,
                             const EditState& edit = {}) {
    ListScroll scroll;
    return PaintDialog(canvas, dialog, active, edit, scroll);
}

CellRect Cells(Window& dialog, int id, const Canvas& canvas) {
    return ControlCells(Control(dialog, id),
                        ClientCells(DialogBox(dialog, canvas.Cols(), canvas.Rows())));
}

TEST(DialogPainter, LanguageDialogHasItsFrameTitleCloseButtonAndRadioButtons) {
    CDialog language(IDD_LANGUAGE);
    WhileOpen(language, [](Window& dialog) {
        UserInput::Focus(Control(dialog, IDC_ENGLISH));
        UserInput::Press(Control(dialog, IDC_ENGLISH));
        Canvas canvas(80, 30);
        Paint(canvas, dialog);

        const auto title = Find(canvas, L" Quillpost Language ");
        ASSERT_TRUE(title);
        EXPECT_EQ(StyleAt(canvas, *title), Style::Title);
        const std::wstring top = RowText(canvas, title->row);
        EXPECT_EQ(top[title->col - 1], L'\u250C');
        EXPECT_NE(top.find(L"[x]\u2500\u2510"), std::wstring::npos);
        EXPECT_EQ(top.find(L"[?]"), std::wstring::npos);
        EXPECT_EQ(top.find(L"[OK]"), std::wstring::npos);

        const auto english = Find(canvas, L"(*) English Language");
        ASSERT_TRUE(english);
        EXPECT_EQ(StyleAt(canvas, *english), Style::Focus);
        const auto german = Find(canvas, L"( ) Deutsche Sprache");
        ASSERT_TRUE(german);
        EXPECT_EQ(StyleAt(canvas, *german), Style::Plain);
        EXPECT_TRUE(Find(canvas, L"[  OK"));
    });
}

TEST(DialogPainter, EntryFormDrawsWhatIsShownAndHighlightsTheFocus) {
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        for (int id :
             {IDC_NORTH_LABEL, IDC_NORTH, IDC_EAST_LABEL, IDC_EAST, IDC_ZONE_LABEL, IDC_ZONE}) {
            HandleOf(&Control(dialog, id))->ShowWindow(SW_HIDE);
        }
        HandleOf(&Control(dialog, IDC_LONG_SEC))->EnableWindow(FALSE);
        HandleOf(&Control(dialog, IDC_LAT_HEMISPHERE))->SetWindowText(L"S");
        HandleOf(&Control(dialog, IDC_LONG_LABEL))->SetWindowText(L"L\u00E4nge");
        Window& latitude = Control(dialog, IDC_LAT_DEG);
        UserInput::Focus(latitude);
        UserInput::SetText(latitude, L"53.5");
        EditState edit{&latitude, 4, false};

        Canvas canvas(80, 30);
        const auto caret = Paint(canvas, dialog, true, edit);
        EXPECT_TRUE(Find(canvas, L"[?]\u2500[OK]\u2500[x]\u2500\u2510"));
        EXPECT_TRUE(Find(canvas, L"lat*  "));
        EXPECT_TRUE(Find(canvas, L"L\u00E4nge"));
        EXPECT_FALSE(Find(canvas, L"north"));
        EXPECT_FALSE(Find(canvas, L"zone"));
        EXPECT_TRUE(Find(canvas, L"[ S ]"));

        // The field is four cells wide: the text scrolls to keep the caret in it.
        const CellRect field = Cells(dialog, IDC_LAT_DEG, canvas);
        EXPECT_EQ(RowText(canvas, field.row).substr(field.col, 4), L"3.5 ");
        EXPECT_EQ(StyleAt(canvas, {field.col, field.row}), Style::Focus);
        EXPECT_EQ(caret, (CellPos{field.col + 3, field.row}));
        const CellRect minutes = Cells(dialog, IDC_LAT_MIN, canvas);
        EXPECT_EQ(StyleAt(canvas, {minutes.col, minutes.row}), Style::Field);
        const CellRect disabled = Cells(dialog, IDC_LONG_SEC, canvas);
        EXPECT_EQ(StyleAt(canvas, {disabled.col, disabled.row}), Style::Disabled);

        // Behind another dialog: neither focus nor caret.
        Canvas behind(80, 30);
        EXPECT_FALSE(Paint(behind, dialog, false, edit));
        EXPECT_EQ(StyleAt(behind, {field.col, field.row}), Style::Field);
        EXPECT_EQ(RowText(behind, field.row).substr(field.col, 4), L"53.5");

        // The UTM rows take the places of the latitude and longitude rows.
        HandleOf(&Control(dialog, IDC_LAT_LABEL))->ShowWindow(SW_HIDE);
        HandleOf(&Control(dialog, IDC_NORTH_LABEL))->ShowWindow(SW_SHOW);
        Canvas utm(80, 30);
        Paint(utm, dialog);
        EXPECT_TRUE(Find(utm, L"north* "));
        EXPECT_FALSE(Find(utm, L"lat*"));
    });
}

// A label of several rows (the chooser's note in place of its list) wraps
// inside them, at a blank where one fits, and draws nothing outside.
TEST(DialogPainter, ALabelOfSeveralRowsWrapsInsideThem) {
    CDialog chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [](Window& dialog) {
        HandleOf(&Control(dialog, IDC_ROUTE_FILES))->ShowWindow(SW_HIDE);
        const std::wstring path(60, L'x');
        HandleOf(&Control(dialog, IDC_ROUTE_NOTE))
            ->SetWindowText((L"No route file in " + path).c_str());
        Canvas canvas(80, 30);
        Paint(canvas, dialog);
        const CellRect note = Cells(dialog, IDC_ROUTE_NOTE, canvas);
        ASSERT_LT(note.cols, 60);
        const auto first = Find(canvas, L"No route file in");
        ASSERT_TRUE(first);
        EXPECT_EQ(first->row, note.row);
        EXPECT_EQ(RowText(canvas, note.row).substr(note.col, note.cols),
                  L"No route file in" + std::wstring(note.cols - 16, L' '));
        EXPECT_EQ(RowText(canvas, note.row + 1).substr(note.col, note.cols),
                  path.substr(0, note.cols));
        EXPECT_EQ(RowText(canvas, note.row + 2).substr(note.col, 60 - note.cols),
                  path.substr(note.cols));
    });
}

TEST(DialogPainter, OpenDropDownListHangsOverTheDialogWithItsSelection) {
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        Window& list = Control(dialog, IDC_FORMAT);
        UserInput::Focus(list);
        UserInput::OpenList(list);
        UserInput::Select(list, 1);
        Canvas canvas(80, 30);
        EXPECT_FALSE(Paint(canvas, dialog));

        const CellRect combo = Cells(dialog, IDC_FORMAT, canvas);
        EXPECT_EQ(RowText(canvas, combo.row).substr(combo.col, combo.cols),
                  L"DegMin        \u25BC");
        const wchar_t* items[] = {L"Deg ", L"DegMin ", L"DegMinSec", L"UTM"};
        for (int i = 0; i < 4; ++i) {
            const int row = combo.row + 2 + i;  // below the list's top frame
            EXPECT_EQ(RowText(canvas, row).find(items[i]), static_cast<size_t>(combo.col + 1)) << i;
            EXPECT_EQ(StyleAt(canvas, {combo.col + 1, row}), i == 1 ? Style::Focus : Style::Plain);
        }
    });
}

TEST(DialogPainter, SmallScreenClipsTheDialog) {
    CDialog chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [](Window& dialog) {
        Canvas canvas(20, 6);
        Paint(canvas, dialog);
        EXPECT_EQ(RowText(canvas, 0), L"\u250C Routing File Dialo");
        EXPECT_EQ(RowText(canvas, 2).substr(0, 4), L"\u2502  \u250C");
    });
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        Window& name = Control(dialog, IDC_NAME);
        UserInput::Focus(name);
        // The name field starts past the right edge: no caret to show.
        Canvas canvas(8, 3);
        EXPECT_FALSE(Paint(canvas, dialog, true, {&name, 0, false}));
    });
}

TEST(DialogPainter, MessageBoxWrapsItsTextAndOffersOk) {
    const MessageBoxView view = LayOutMessageBox(L"The Name must not be empty!", 24, 12);
    EXPECT_EQ(view.lines, (std::vector<std::wstring>{L"The Name must not be", L"empty!"}));
    EXPECT_EQ(view.box, (CellRect{0, 2, 24, 7}));
    Canvas canvas(24, 12);
    PaintMessageBox(canvas, view, L"Quillpost");
    EXPECT_EQ(RowText(canvas, 2),
              L"\u250C Quillpost \u2500\u2500\u2500\u2500\u2500\u2500\u2500[x]\u2500\u2510");
    EXPECT_EQ(RowText(canvas, 4), L"\u2502 The Name must not be \u2502");
    EXPECT_EQ(RowText(canvas, 5), L"\u2502 empty!               \u2502");
    const auto ok = Find(canvas, L"[  OK  ]");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->row, 7);
    EXPECT_EQ(StyleAt(canvas, *ok), Style::Focus);
    EXPECT_TRUE(view.okButton.Contains(ok->col, ok->row));
    EXPECT_TRUE(view.closeButton.Contains(19, 2));
}

TEST(DialogPainter, ClicksLandOnWhatIsDrawn) {
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        Canvas canvas(80, 30);
        ListScroll scroll;
        PaintDialog(canvas, dialog, true, {}, scroll);
        const auto help = Find(canvas, L"[?]");
        ASSERT_TRUE(help);
        Hit hit = HitTest(dialog, 80, 30, scroll, {help->col + 1, help->row});
        EXPECT_EQ(hit.kind, Hit::Kind::TitleButton);
        EXPECT_EQ(hit.button, TitleButtonKind::Help);

        const CellRect add = Cells(dialog, IDC_ADD, canvas);
        hit = HitTest(dialog, 80, 30, scroll, {add.Right() - 1, add.row});
        EXPECT_EQ(hit.kind, Hit::Kind::Control);
        EXPECT_EQ(hit.control, &Control(dialog, IDC_ADD));

        Window& list = Control(dialog, IDC_FORMAT);
        UserInput::Focus(list);
        UserInput::OpenList(list);
        const CellRect combo = Cells(dialog, IDC_FORMAT, canvas);
        hit = HitTest(dialog, 80, 30, scroll, {combo.col + 2, combo.row + 4});
        EXPECT_EQ(hit.kind, Hit::Kind::DropDownItem);
        EXPECT_EQ(hit.item, 2);
        // With the list open, whatever lies under it or elsewhere is not hit.
        hit = HitTest(dialog, 80, 30, scroll, {add.col, add.row});
        EXPECT_EQ(hit.kind, Hit::Kind::Nothing);
    });

    CDialog chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [](Window& dialog) {
        Window& list = Control(dialog, IDC_ROUTE_FILES);
        for (int i = 0; i < 12; ++i) {
            HandleOf(&list)->SendMessage(
                LB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>((L"r" + std::to_wstring(10 + i)).c_str()));
        }
        UserInput::Focus(list);
        UserInput::Select(list, 11);
        Canvas canvas(80, 30);
        ListScroll scroll;
        PaintDialog(canvas, dialog, true, {}, scroll);
        const auto last = Find(canvas, L"r21");
        ASSERT_TRUE(last);
        const Hit hit = HitTest(dialog, 80, 30, scroll, {last->col + 5, last->row - 1});
        EXPECT_EQ(hit.kind, Hit::Kind::Control);
        EXPECT_EQ(hit.item, 10);
    });
}

}  // namespace
