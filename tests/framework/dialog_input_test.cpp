// SPDX-License-Identifier: MIT
// What keys and clicks do to the dialog in front: typing at the caret, the
// tab walk, drop-down and list boxes, help, OK and Cancel, and the mouse.
#include "framework/dialog_input.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "backends/terminal/open_dialog.h"
#include "framework/data_exchange.h"
#include "framework/user_input.h"
#include "res/resource_ids.h"

namespace {

// A dialog that records the notifications it gets.
class Recorder : public CDialog {
public:
    explicit Recorder(UINT templateId) : CDialog(templateId) {}
    bool DispatchNotification(const Notification& notification) override {
        seen.push_back(notification);
        if (onNotify) {
            onNotify(notification);
        }
        return CDialog::DispatchNotification(notification);
    }
    int Count(UINT code, int id) const {
        return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Notification& n) {
            return n.code == code && n.id == id;
        }));
    }

    std::vector<Notification> seen;
    std::function<void(const Notification&)> onNotify;
};

void Press(Window& dialog, EditState& edit, std::initializer_list<Key> keys) {
    for (Key key : keys) {
        HandleKey(dialog, edit, {key});
    }
}

void Type(Window& dialog, EditState& edit, const std::wstring& text) {
    for (wchar_t ch : text) {
        HandleKey(dialog, edit, {Key::Char, ch});
    }
}

int FocusId(const Window& dialog) {
    return dialog.focus ? dialog.focus->id : 0;
}

TEST(DialogInput, TypingReplacesTheMarkedTextThenEditsAtTheCaret) {
    Recorder form(IDD_ENTRY);
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        Window& latitude = Control(dialog, IDC_LAT_DEG);
        HandleOf(&latitude)->SetWindowText(L"0");
        Press(dialog, edit, {Key::Tab});
        ASSERT_EQ(FocusId(dialog), IDC_LAT_DEG);
        Type(dialog, edit, L"53.5");
        EXPECT_EQ(latitude.text, L"53.5");
        Press(dialog, edit, {Key::Home, Key::Delete, Key::End, Key::Backspace, Key::Left});
        Type(dialog, edit, L"x");
        EXPECT_EQ(latitude.text, L"3x.");
        EXPECT_EQ(edit.caret, 2u);

        // The program rewrites the field: the caret stays inside the text.
        HandleOf(&latitude)->SetWindowText(L"7");
        Type(dialog, edit, L"1");
        EXPECT_EQ(latitude.text, L"71");

        // Enter moves on like Tab, and the field reports that it lost the focus.
        Press(dialog, edit, {Key::Enter});
        EXPECT_EQ(FocusId(dialog), IDC_LAT_MIN);
        EXPECT_EQ(form.Count(EN_KILLFOCUS, IDC_LAT_DEG), 1);
        // Coming back marks the text again; Backspace clears it.
        Press(dialog, edit, {Key::BackTab, Key::Backspace});
        EXPECT_EQ(latitude.text, L"");
    });
}

// A paste goes to the dialog first; what it leaves goes in at the caret (in
// place of marked text), up to the first line break, as one typed run.
TEST(DialogInput, APasteIsOfferedToTheDialogThenTypedAtTheCaret) {
    class Taker : public Recorder {
    public:
        Taker() : Recorder(IDD_ENTRY) {}
        bool OnPasteText(int id, const CString& text) override {
            offered.push_back({id, text.str()});
            return text.str() == L"take";
        }
        std::vector<std::pair<int, std::wstring>> offered;
    } form;
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        Window& latitude = Control(dialog, IDC_LAT_DEG);
        HandleOf(&latitude)->SetWindowText(L"0");
        Press(dialog, edit, {Key::Tab});
        HandlePaste(dialog, edit, L"take");
        EXPECT_EQ(latitude.text, L"0");
        HandlePaste(dialog, edit, L"53\t5\r\nsecond");
        EXPECT_EQ(latitude.text, L"53 5");
        Press(dialog, edit, {Key::Left, Key::Left});
        HandlePaste(dialog, edit, L"x");
        Type(dialog, edit, L"y");
        EXPECT_EQ(latitude.text, L"53xy 5");
        const std::vector<std::pair<int, std::wstring>> offered = {
            {IDC_LAT_DEG, L"take"}, {IDC_LAT_DEG, L"53\t5\r\nsecond"}, {IDC_LAT_DEG, L"x"}};
        EXPECT_EQ(form.offered, offered);
    });
}

TEST(DialogInput, TabSkipsHiddenAndDisabledControlsBothWays) {
    CDialog form(IDD_ENTRY);
    WhileOpen(form, [](Window& dialog) {
        EditState edit;
        HandleOf(&Control(dialog, IDC_LAT_MIN))->ShowWindow(SW_HIDE);
        HandleOf(&Control(dialog, IDC_LAT_SEC))->EnableWindow(FALSE);
        UserInput::Focus(Control(dialog, IDC_LAT_DEG));
        Press(dialog, edit, {Key::Tab});
        EXPECT_EQ(FocusId(dialog), IDC_LAT_HEMISPHERE);
        Press(dialog, edit, {Key::BackTab});
        EXPECT_EQ(FocusId(dialog), IDC_LAT_DEG);
    });
}

TEST(DialogInput, DropDownListOpensMovesPicksAndCloses) {
    Recorder form(IDD_ENTRY);
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        Window& list = Control(dialog, IDC_FORMAT);
        HandleOf(&list)->SendMessage(CB_SETCURSEL, 0);
        UserInput::Focus(list);

        Press(dialog, edit, {Key::Enter, Key::Down, Key::Down});
        EXPECT_TRUE(list.dropped);
        // Keys meant for the dialog wait until the list is closed.
        Press(dialog, edit, {Key::F10, Key::F1});
        EXPECT_FALSE(dialog.ended);
        Press(dialog, edit, {Key::Enter});
        EXPECT_FALSE(list.dropped);
        EXPECT_EQ(list.selection, 2);
        EXPECT_EQ(form.Count(CBN_CLOSEUP, IDC_FORMAT), 1);

        Press(dialog, edit, {Key::F4, Key::End, Key::Escape});
        EXPECT_FALSE(list.dropped);
        EXPECT_EQ(list.selection, 2);
        EXPECT_EQ(form.Count(CBN_CLOSEUP, IDC_FORMAT), 2);

        HandleKey(dialog, edit, {Key::Char, L' '});
        EXPECT_TRUE(list.dropped);
        Press(dialog, edit, {Key::Up, Key::AltDown});
        EXPECT_EQ(list.selection, 1);
        Press(dialog, edit, {Key::AltDown, Key::Tab});
        EXPECT_FALSE(list.dropped);
        EXPECT_EQ(FocusId(dialog), IDC_ADD);
        EXPECT_EQ(form.Count(CBN_CLOSEUP, IDC_FORMAT), 4);
        EXPECT_EQ(form.Count(WM_HELP, 0), 0);
    });
}

TEST(DialogInput, ListBoxKeysMoveTheSelectionAndEnterIsOk) {
    CDialog chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [](Window& dialog) {
        EditState edit;
        Window& list = Control(dialog, IDC_ROUTE_FILES);
        for (const wchar_t* name : {L"b.rte", L"A.rte", L"d.rte"}) {
            HandleOf(&list)->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        UserInput::Focus(list);
        Press(dialog, edit, {Key::Down});
        EXPECT_EQ(list.selection, 0);
        Press(dialog, edit, {Key::End, Key::Down});
        EXPECT_EQ(list.selection, 2);
        Press(dialog, edit, {Key::Up});
        EXPECT_EQ(list.selection, 1);
        Press(dialog, edit, {Key::Enter});
        EXPECT_TRUE(dialog.ended);
        EXPECT_EQ(dialog.result, IDOK);
    });
}

TEST(DialogInput, ButtonsHelpOkAndCancelFromTheKeyboard) {
    Recorder form(IDD_ENTRY);
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        UserInput::Focus(Control(dialog, IDC_LAT_HEMISPHERE));
        Press(dialog, edit, {Key::Enter});
        HandleKey(dialog, edit, {Key::Char, L' '});
        EXPECT_EQ(form.Count(BN_CLICKED, IDC_LAT_HEMISPHERE), 2);
        Press(dialog, edit, {Key::F1});
        EXPECT_EQ(form.Count(WM_HELP, 0), 1);
        Press(dialog, edit, {Key::F10});
        EXPECT_EQ(dialog.result, IDOK);
    });
    CDialog language(IDD_LANGUAGE);
    WhileOpen(language, [](Window& dialog) {
        EditState edit;
        UserInput::Focus(Control(dialog, IDC_GERMAN));
        HandleKey(dialog, edit, {Key::Char, L' '});
        EXPECT_EQ(Control(dialog, IDC_GERMAN).check, BST_CHECKED);
        Press(dialog, edit, {Key::Escape});
        EXPECT_EQ(dialog.result, IDCANCEL);
    });
    CDialog chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [](Window& dialog) {
        // Without a focused control, Enter is OK.
        EditState edit;
        ChangeFocus(dialog, nullptr, false);
        Press(dialog, edit, {Key::Enter});
        EXPECT_EQ(dialog.result, IDOK);
    });
}

TEST(DialogInput, ArrowsMoveWithinARadioGroupAndCheck) {
    Recorder language(IDD_LANGUAGE);
    WhileOpen(language, [&](Window& dialog) {
        EditState edit;
        Window& german = Control(dialog, IDC_GERMAN);
        Window& english = Control(dialog, IDC_ENGLISH);
        UserInput::Focus(german);
        Press(dialog, edit, {Key::Down});
        EXPECT_EQ(FocusId(dialog), IDC_ENGLISH);
        EXPECT_EQ(english.check, BST_CHECKED);
        EXPECT_EQ(german.check, BST_UNCHECKED);
        EXPECT_EQ(language.Count(BN_CLICKED, IDC_ENGLISH), 1);
        // Around the end of the group; the OK button after it is another group.
        Press(dialog, edit, {Key::Right});
        EXPECT_EQ(FocusId(dialog), IDC_GERMAN);
        EXPECT_EQ(german.check, BST_CHECKED);
        Press(dialog, edit, {Key::Up, Key::Left});
        EXPECT_EQ(FocusId(dialog), IDC_GERMAN);
        EXPECT_EQ(language.Count(BN_CLICKED, IDC_GERMAN), 2);

        // A disabled button is passed over; alone in its group, the arrows do nothing.
        HandleOf(&english)->EnableWindow(FALSE);
        Press(dialog, edit, {Key::Down, Key::Up});
        EXPECT_EQ(FocusId(dialog), IDC_GERMAN);
        EXPECT_EQ(language.Count(BN_CLICKED, IDC_GERMAN), 2);
        // On a push button they do nothing either.
        UserInput::Focus(Control(dialog, IDOK));
        Press(dialog, edit, {Key::Down});
        EXPECT_EQ(FocusId(dialog), IDOK);
        EXPECT_FALSE(dialog.ended);
    });
}

TEST(DialogInput, ClicksFocusPressPickAndUseTheTitleBar) {
    Recorder form(IDD_ENTRY);
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        Window& latitude = Control(dialog, IDC_LAT_DEG);
        HandleOf(&latitude)->SetWindowText(L"12");
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &latitude}, false);
        EXPECT_EQ(FocusId(dialog), IDC_LAT_DEG);
        Type(dialog, edit, L"3");
        EXPECT_EQ(latitude.text, L"123");  // a click marks nothing

        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &Control(dialog, IDC_LONG_HEMISPHERE)},
                    false);
        EXPECT_EQ(form.Count(EN_KILLFOCUS, IDC_LAT_DEG), 1);
        EXPECT_EQ(form.Count(BN_CLICKED, IDC_LONG_HEMISPHERE), 1);

        Window& list = Control(dialog, IDC_FORMAT);
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &list}, false);
        EXPECT_TRUE(list.dropped);
        HandleClick(dialog, edit, {Hit::Kind::DropDownItem, {}, &list, 3}, false);
        EXPECT_FALSE(list.dropped);
        EXPECT_EQ(list.selection, 3);
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &list}, false);
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &Control(dialog, IDC_ADD)}, false);
        EXPECT_FALSE(list.dropped);  // the click outside only closed the list
        EXPECT_EQ(list.selection, 3);
        EXPECT_EQ(form.Count(BN_CLICKED, IDC_ADD), 0);
        EXPECT_EQ(form.Count(CBN_CLOSEUP, IDC_FORMAT), 2);

        HandleClick(dialog, edit, {Hit::Kind::TitleButton, TitleButtonKind::Help}, false);
        EXPECT_EQ(form.Count(WM_HELP, 0), 1);
        HandleClick(dialog, edit, {Hit::Kind::TitleButton, TitleButtonKind::Close}, false);
        EXPECT_EQ(dialog.result, IDCANCEL);
    });
    Recorder chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [&](Window& dialog) {
        EditState edit;
        Window& list = Control(dialog, IDC_ROUTE_FILES);
        HandleOf(&list)->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a.rte"));
        HandleOf(&list)->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b.rte"));
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &list, 1}, false);
        EXPECT_EQ(list.selection, 1);
        EXPECT_EQ(chooser.Count(LBN_DBLCLK, IDC_ROUTE_FILES), 0);
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &list, 0}, true);
        EXPECT_EQ(list.selection, 0);
        EXPECT_EQ(chooser.Count(LBN_DBLCLK, IDC_ROUTE_FILES), 1);
    });
}

TEST(DialogInput, ClickedButtonIsNotPressedWhenTheFieldLeftTakesTheFocusBack) {
    Recorder form(IDD_ENTRY);
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        Window& latitude = Control(dialog, IDC_LAT_DEG);
        // As a field that fails its check does.
        form.onNotify = [&](const Notification& n) {
            if (n.code == EN_KILLFOCUS && n.id == IDC_LAT_DEG) {
                ChangeFocus(dialog, &latitude, false);
            }
        };
        UserInput::Focus(latitude);
        HandleClick(dialog, edit, {Hit::Kind::Control, {}, &Control(dialog, IDC_ADD)}, false);
        EXPECT_EQ(FocusId(dialog), IDC_LAT_DEG);
        EXPECT_EQ(form.Count(BN_CLICKED, IDC_ADD), 0);
        form.onNotify = nullptr;
    });
}

// A language dialog that checks English before the dialog manager puts the
// focus, as the program's first start does.
class EnglishOffered : public Recorder {
public:
    EnglishOffered() : Recorder(IDD_LANGUAGE) {}
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        GetDlgItem(IDC_ENGLISH)->SendMessage(BM_SETCHECK, BST_CHECKED);
        return TRUE;
    }
};

TEST(DialogInput, ARadioGroupIsOneTabStopEnteredAtItsCheckedButton) {
    EnglishOffered language;
    WhileOpen(language, [&](Window& dialog) {
        EditState edit;
        EXPECT_EQ(FocusId(dialog), IDC_ENGLISH);
        Press(dialog, edit, {Key::Tab});
        EXPECT_EQ(FocusId(dialog), IDOK);
        Press(dialog, edit, {Key::Tab});
        EXPECT_EQ(FocusId(dialog), IDC_ENGLISH);
        Press(dialog, edit, {Key::BackTab});
        EXPECT_EQ(FocusId(dialog), IDOK);
        // Backwards into the group, also at its checked button.
        HandleOf(&Control(dialog, IDC_ENGLISH))->SendMessage(BM_SETCHECK, BST_UNCHECKED);
        HandleOf(&Control(dialog, IDC_GERMAN))->SendMessage(BM_SETCHECK, BST_CHECKED);
        Press(dialog, edit, {Key::BackTab});
        EXPECT_EQ(FocusId(dialog), IDC_GERMAN);
        EXPECT_EQ(language.Count(BN_CLICKED, IDC_GERMAN) + language.Count(BN_CLICKED, IDC_ENGLISH),
                  0);
    });
}

TEST(DialogInput, EnterPressesTheDefaultButtonUnlessAnotherPushButtonHasTheFocus) {
    EnglishOffered language;
    WhileOpen(language, [&](Window& dialog) {
        EditState edit;
        Press(dialog, edit, {Key::Enter});
        EXPECT_EQ(dialog.result, IDOK);
        // The radio button with the focus was not pressed, and stays checked.
        EXPECT_EQ(language.Count(BN_CLICKED, IDC_ENGLISH), 0);
        EXPECT_EQ(Control(dialog, IDC_ENGLISH).check, BST_CHECKED);
    });
    Recorder chooser(IDD_ROUTE_FILE);
    WhileOpen(chooser, [&](Window& dialog) {
        EditState edit;
        UserInput::Focus(Control(dialog, IDCANCEL));
        Press(dialog, edit, {Key::Enter});
        EXPECT_EQ(dialog.result, IDCANCEL);
    });
}

// A field of numbers that refuses anything else when it is left.
class NumberField : public Recorder {
public:
    NumberField() : Recorder(IDD_ENTRY) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_LAT_DEG, m_number); }
    bool DispatchNotification(const Notification& notification) override {
        if (notification.code == EN_KILLFOCUS && notification.id == IDC_LAT_DEG) {
            UpdateData(TRUE);
        }
        return Recorder::DispatchNotification(notification);
    }
    double m_number = 0;
};

TEST(DialogInput, AFieldRefusedByDataExchangeKeepsTheFocusWithItsTextMarked) {
    NumberField form;
    WhileOpen(form, [&](Window& dialog) {
        EditState edit;
        Window& latitude = Control(dialog, IDC_LAT_DEG);
        UserInput::Focus(latitude);
        Press(dialog, edit, {Key::End});
        Type(dialog, edit, L"abc");
        Press(dialog, edit, {Key::Tab});
        EXPECT_EQ(FocusId(dialog), IDC_LAT_DEG);
        EXPECT_EQ(latitude.text, L"0abc");
        Type(dialog, edit, L"5");
        EXPECT_EQ(latitude.text, L"5");
        Press(dialog, edit, {Key::Tab});
        EXPECT_EQ(FocusId(dialog), IDC_LAT_MIN);
        EXPECT_EQ(form.m_number, 5.0);
    });
}

}  // namespace
