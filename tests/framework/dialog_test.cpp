// SPDX-License-Identifier: MIT
// Dialogs, controls, message maps, focus and tab order, on small dialogs of
// the tests' own, driven by the headless backend.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "framework/controls.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/font.h"
#include "support/headless/headless.h"
#include "framework/win_app.h"
#include "support/german_locale.h"

namespace {

using ::testing::ElementsAre;

constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

const ResourceTable kResources{
    {
        {1,
         L"Outer",
         150,
         100,
         {L"System", 80},
         WS_EX_CAPTIONOKBTN,
         {
             {WindowKind::Static, 9, L"label", 5, 7, 20, 8, SS_LEFT},
             {WindowKind::Edit, 10, L"", 30, 5, 40, 12, kEdit},
             {WindowKind::Edit, 11, L"", 30, 20, 40, 12, kEdit},
             {WindowKind::Edit, 12, L"", 30, 35, 40, 12, kEdit},
             {WindowKind::Edit, 13, L"", 30, 50, 40, 12, kEdit},
             {WindowKind::PushButton, 20, L"Open", 80, 5, 30, 12, kButton},
             {WindowKind::RadioButton, 30, L"one", 80, 20, 30, 10,
              BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
             {WindowKind::RadioButton, 31, L"two", 80, 32, 30, 10, BS_AUTORADIOBUTTON | WS_TABSTOP},
             {WindowKind::ComboBox,
              40,
              L"",
              80,
              45,
              50,
              12,
              CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP,
              {L"x", L"y", L"z"}},
             {WindowKind::ListBox, 50, L"", 5, 65, 60, 30, LBS_NOTIFY | LBS_SORT | WS_TABSTOP},
         }},
        {2,
         L"Inner",
         60,
         40,
         {L"System", 80},
         0,
         {
             {WindowKind::Edit, 10, L"", 5, 5, 40, 12, kEdit},
             {WindowKind::PushButton, IDOK, L"OK", 5, 20, 20, 12, BS_DEFPUSHBUTTON | WS_TABSTOP},
         }},
    },
    {{7, L"I"}},
};

class InnerDlg : public CDialog {
public:
    InnerDlg() : CDialog(2) {}
};

// Opens the inner dialog from its constructor, as an object built before
// any dialog is on the screen may do.
class EagerDlg : public CDialog {
public:
    EagerDlg() : CDialog(2) { m_result = DoModal(); }
    int m_result;
};

class OuterDlg : public CDialog {
public:
    OuterDlg() : CDialog(1) {}

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 50, m_list);
        DDX_Text(pDX, 10, m_text);
        DDX_Text(pDX, 11, m_number);
        DDV_MinMaxInt(pDX, m_number, 0, 60);
        DDX_Text(pDX, 12, m_a);
        DDV_MinMaxDouble(pDX, m_a, 0.0, 90.0);
        DDX_Text(pDX, 13, m_b);
        DDV_MinMaxDouble(pDX, m_b, 0.0, 180.0);
    }

    void OnOpen() { m_inner.push_back(InnerDlg().DoModal()); }
    void OnKillFocusField(UINT id) {
        m_events.push_back(static_cast<int>(id));
        if (m_readOnLeave) {
            UpdateData(TRUE);
        }
    }
    void OnCloseup() { m_events.push_back(-1); }
    void OnHelpInfo() { m_events.push_back(0); }

    CString m_text;
    int m_number = 0;
    double m_a = 0.0;
    double m_b = 0.0;
    CListBox m_list;
    bool m_readOnLeave = false;
    std::vector<int> m_inner;
    std::vector<int> m_events;  // kill-focus ids, 0 for help, -1 for a close-up

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OuterDlg, CDialog)
ON_BN_CLICKED(20, &OuterDlg::OnOpen)
ON_CONTROL_RANGE(EN_KILLFOCUS, 10, 13, &OuterDlg::OnKillFocusField)
ON_CBN_CLOSEUP(40, &OuterDlg::OnCloseup)
ON_LBN_DBLCLK(50, &OuterDlg::OnOK)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { AfxSetMessageLanguage(0); }
    Headless ui{kResources};
    OuterDlg dlg;
};

TEST_F(DialogTest, NestedModalDialogsReturnTheirOwnResults) {
    ui.OnDialog(1, [](HeadlessDialog& d) { d.Click(20).Click(20).Help().Ok(); });
    ui.OnDialog(2, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Inner");
        d.Click(IDOK);
    });
    ui.OnDialog(2, [](HeadlessDialog& d) { d.Cancel(); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_THAT(dlg.m_inner, ElementsAre(IDOK, IDCANCEL));
    EXPECT_THAT(dlg.m_events, ElementsAre(10, 0));
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(1, 2, 2));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);  // bound controls let go with the window
}

TEST_F(DialogTest, ADialogCanOpenBeforeAnyOtherExists) {
    ui.OnDialog(2, [](HeadlessDialog& d) { d.Ok(); });
    EXPECT_EQ(EagerDlg().m_result, IDOK);
}

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp(L"Test.htp") {}
    BOOL InitInstance() override {
        InnerDlg dialog;
        m_pMainWnd = &dialog;
        m_result = dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
    int m_result = 0;
};

TEST_F(DialogTest, TheEntryPointRunsTheApplication) {
    TestApp app;
    ui.OnDialog(2, [](HeadlessDialog& d) { d.Ok(); });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(app.m_result, IDOK);
    EXPECT_EQ(app.GetTitle(), L"Test");
}

TEST_F(DialogTest, NoBackendNoDialog) {
    Backend* headless = SetBackend(nullptr);
    EXPECT_EQ(InnerDlg().DoModal(), -1);
    SetBackend(headless);
}

TEST_F(DialogTest, TheHeadlessUserReportsWhatNoUserCouldDo) {
    ui.OnDialog(1, [](HeadlessDialog& d) {
        d.Dialog().GetDlgItem(12)->ShowWindow(SW_HIDE);
        EXPECT_NONFATAL_FAILURE(d.Type(12, L"1"), "cannot type into control 12");
        EXPECT_NONFATAL_FAILURE(d.Click(99), "has no control 99");
        EXPECT_NONFATAL_FAILURE(d.Click(9), "cannot click");
    });
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(dlg.DoModal(), IDCANCEL), "did not end it");
}

TEST_F(DialogTest, MembersAreWrittenInGeneralNotation) {
    dlg.m_text = L"Home";
    dlg.m_number = 32;
    dlg.m_a = 53.5;
    dlg.m_b = 1.0 / 3.0;
    ui.OnDialog(1, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Text(10), L"Home");
        EXPECT_EQ(d.Text(11), L"32");
        EXPECT_EQ(d.Text(12), L"53.5");
        EXPECT_EQ(d.Text(13), L"0.333333333333333");
        d.Dialog().UpdateData(TRUE);
        static_cast<OuterDlg&>(d.Dialog()).m_a = 0.0;
        d.Dialog().UpdateData(FALSE);
        EXPECT_EQ(d.Text(12), L"0");
        d.Cancel();
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_b, 0.333333333333333);  // what the field showed
}

TEST_F(DialogTest, ReadingStopsAtTheFirstFailingField) {
    ui.OnDialog(1, [&](HeadlessDialog& d) {
        d.Type(10, L"Home").Type(11, L"7").Type(12, L"95").Type(13, L"12").Ok();
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 90 ein."));
        EXPECT_EQ(d.Focus(), 12);
        EXPECT_EQ(dlg.m_text, CString(L"Home"));
        EXPECT_EQ(dlg.m_number, 7);
        EXPECT_EQ(dlg.m_a, 95.0);  // the out-of-range number is kept
        EXPECT_EQ(dlg.m_b, 0.0);   // not read

        d.Type(12, L"abc").Ok();
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Bitte geben Sie eine Zahl ein."));
        EXPECT_EQ(dlg.m_a, 95.0);

        d.Type(12, L" 53.5 ").Ok();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_a, 53.5);
    EXPECT_EQ(dlg.m_b, 12.0);
}

TEST_F(DialogTest, AFailedFieldTakesTheFocusBackWithoutNotifyingAgain) {
    dlg.m_readOnLeave = true;
    ui.OnDialog(1, [&](HeadlessDialog& d) {
        d.Type(12, L"x").Leave();  // to 13, whose own loss must not be reported
        EXPECT_THAT(dlg.m_events, ElementsAre(10, 12));
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 1u);
        EXPECT_EQ(d.Focus(), 12);
        d.Type(11, L"5");  // the keys go to 12, which took the focus back
        EXPECT_EQ(d.Text(12), L"5");
        EXPECT_EQ(d.Text(11), L"0");
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 1u);
        // A click on a button leaves the field, which keeps the focus: the
        // button does not act. Once the field is mended, it does.
        d.Type(12, L"x").Click(20);
        EXPECT_THAT(dlg.m_events, ElementsAre(10, 12, 12, 12));
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 1u);
        EXPECT_EQ(d.Focus(), 12);
        EXPECT_TRUE(dlg.m_inner.empty());
        d.Type(12, L"7").Click(20);
        EXPECT_EQ(dlg.m_inner.size(), 1u);
        d.Cancel();
    });
    ui.OnDialog(2, [](HeadlessDialog& d) { d.Cancel(); });
    dlg.DoModal();
}

TEST_F(DialogTest, NumbersAreReadAsTypedWhateverTheLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, kGermanLocale), nullptr) << "scripts/setup makes this locale";
    ui.OnDialog(1, [&](HeadlessDialog& d) {
        const std::pair<const wchar_t*, double> numbers[] = {
            {L" 53.5\t", 53.5}, {L"+1", 1.0},    {L".5", 0.5},     {L"5.", 5.0},
            {L"1e1", 10.0},     {L"2E+1", 20.0}, {L"1e-400", 0.0}, {L"-0", 0.0}};
        for (const auto& [text, value] : numbers) {
            d.Type(12, text);
            EXPECT_TRUE(d.Dialog().UpdateData(TRUE)) << text;
            EXPECT_EQ(dlg.m_a, value) << text;
        }
        for (const wchar_t* text : {L"", L"  ", L"nan", L"inf", L"1e", L"12abc", L"1,5", L"0x10",
                                    L"+", L".", L"1e+", L"- 1", L"1 2", L"--1"}) {
            d.Type(12, text);
            EXPECT_FALSE(d.Dialog().UpdateData(TRUE)) << text;
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Bitte geben Sie eine Zahl ein."))
                << text;
        }
        d.Type(12, L"1");
        for (const wchar_t* text : {L"12.0", L"1e1", L"0x1", L""}) {
            d.Type(11, text);
            EXPECT_FALSE(d.Dialog().UpdateData(TRUE)) << text;
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Bitte geben Sie eine ganze Zahl ein."))
                << text;
        }
        // Whole numbers beyond an int are held at its limits, outside the range.
        const std::pair<std::wstring, int> limits[] = {
            {L"-2147483648", -2147483647 - 1},
            {L"2147483648", 2147483647},
            {L"-" + std::wstring(40, L'9'), -2147483647 - 1},
            {std::wstring(300, L'9'), 2147483647}};
        for (const auto& [text, value] : limits) {
            d.Type(11, text);
            EXPECT_FALSE(d.Dialog().UpdateData(TRUE));
            EXPECT_EQ(dlg.m_number, value);
            EXPECT_THAT(ui.TakeMessageBoxes(),
                        ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 60 ein."));
        }
        d.Type(11, L" +42 ").Type(12, L"1e-7");
        EXPECT_TRUE(d.Dialog().UpdateData(TRUE));
        EXPECT_EQ(dlg.m_number, 42);
        d.Dialog().UpdateData(FALSE);
        EXPECT_EQ(d.Text(12), L"1e-07");
        d.Cancel();
    });
    dlg.DoModal();
    std::setlocale(LC_ALL, "C");
}

TEST_F(DialogTest, FrameworkMessagesInEnglish) {
    AfxSetMessageLanguage(1);
    ui.OnDialog(1, [&](HeadlessDialog& d) {
        d.Type(11, L"61").Ok().Type(11, L"1.0").Ok();
        d.Type(11, L"60").Type(12, L"1e400").Ok();
        EXPECT_EQ(dlg.m_a, HUGE_VAL);
        d.Cancel();
    });
    dlg.DoModal();
    EXPECT_THAT(ui.MessageBoxes(), ElementsAre(L"Please enter a number between 0 and 60.",
                                               L"Please enter a whole number.",
                                               L"Please enter a number between 0 and 90."));
}

TEST_F(DialogTest, TabOrderFollowsZOrderChangesAndSkipsHiddenAndDisabledControls) {
    ui.OnDialog(1, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Focus(), 10);  // the first tab stop
        // The radio buttons 30 and 31 are one stop, at the checked one or the first.
        EXPECT_THAT(d.TabOrder(), ElementsAre(10, 11, 12, 13, 20, 30, 40, 50));
        CDialog& dialog = d.Dialog();
        dialog.GetDlgItem(20)->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        dialog.GetDlgItem(13)->SetWindowPos(dialog.GetDlgItem(20), 0, 0, 0, 0,
                                            SWP_NOMOVE | SWP_NOSIZE);
        dialog.GetDlgItem(10)->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        dialog.GetDlgItem(11)->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_THAT(d.TabOrder(), ElementsAre(20, 13, 11, 12, 30, 40, 50, 10));

        dialog.GetDlgItem(12)->ShowWindow(SW_HIDE);
        dialog.GetDlgItem(31)->EnableWindow(FALSE);
        EXPECT_THAT(d.TabOrder(), ElementsAre(20, 13, 11, 30, 40, 50, 10));
        d.Tab();
        EXPECT_EQ(d.Focus(), 20);  // wrapped around from 10, the last
        d.Click(11).Tab().Tab();
        EXPECT_EQ(d.Focus(), 40);
        d.Dialog().GetDlgItem(40)->ShowWindow(SW_HIDE);  // the focus stays, the tab goes on
        d.Tab();
        EXPECT_EQ(d.Focus(), 50);
        d.Cancel();
    });
    dlg.DoModal();
}

TEST_F(DialogTest, PlacesAreTemplateUnitsInPixelsAndMove) {
    ui.SetScreenSize(800, 480);
    ui.OnDialog(1, [](HeadlessDialog& d) {
        // 150 x 100 units: 300 x 200 client pixels in a frame, centred.
        EXPECT_EQ(d.WindowRect(), (RECT{242, 124, 558, 356}));
        EXPECT_EQ(d.Rect(30), (RECT{160, 40, 220, 60}));
        CWnd& dialog = d.Dialog();
        CWnd* radio = dialog.GetDlgItem(30);
        RECT rect;
        radio->GetWindowRect(&rect);
        EXPECT_EQ(rect, (RECT{410, 180, 470, 200}));
        dialog.ScreenToClient(&rect);
        EXPECT_EQ(rect, d.Rect(30));

        radio->SetWindowPos(nullptr, 0, 0, 99, 7, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(d.Rect(30), (RECT{160, 40, 259, 47}));
        radio->SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_EQ(d.Rect(30), (RECT{5, 6, 104, 13}));

        const int width = d.WindowRect().right - d.WindowRect().left;
        dialog.SetWindowPos(&CWnd::wndTopMost, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 10, 0,
                            0, SWP_NOSIZE);
        EXPECT_EQ(d.WindowRect(), (RECT{242, 10, 558, 242}));
        EXPECT_TRUE(d.Topmost());
        d.Cancel();
    });
    dlg.DoModal();
}

TEST_F(DialogTest, ListBoxKeepsItsEntriesSortedAsTheDeviceDoes) {
    ui.OnDialog(1, [&](HeadlessDialog& d) {
        for (const wchar_t* name : {L"b.rte", L"D.rte", L"A.rte", L"a2.rte", L"\u00c4.rte"}) {
            dlg.m_list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        // Without regard to case, and the umlaut beside its base letter.
        EXPECT_THAT(d.Items(50),
                    ElementsAre(L"A.rte", L"\u00c4.rte", L"a2.rte", L"b.rte", L"D.rte"));
        EXPECT_EQ(dlg.m_list.SendMessage(LB_GETCURSEL), LB_ERR);
        d.DoubleClick(50, 2);  // mapped to OnOK
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogTest, DropDownListReportsEveryCloseUp) {
    ui.OnDialog(1, [&](HeadlessDialog& d) {
        CWnd& list = *d.Dialog().GetDlgItem(40);
        EXPECT_EQ(d.Text(40), L"");
        list.SendMessage(CB_RESETCONTENT);
        for (int i = 0; i < 3; ++i) {
            const wchar_t* items[] = {L"Deg", L"Min", L"Sec"};
            list.SendMessage(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i]));
        }
        list.SendMessage(CB_SETCURSEL, 1);
        EXPECT_EQ(d.Text(40), L"Min");
        d.Type(10, L"a").Pick(40, 2);
        EXPECT_EQ(list.SendMessage(CB_GETCURSEL), 2);
        d.CloseList(40);
        EXPECT_EQ(d.Text(40), L"Sec");
        EXPECT_THAT(dlg.m_events, ElementsAre(10, -1, -1));
        d.Cancel();
    });
    dlg.DoModal();
}

TEST_F(DialogTest, RadioButtonsFontsAndIcons) {
    ui.OnDialog(1, [](HeadlessDialog& d) {
        CWnd& dialog = d.Dialog();
        dialog.GetDlgItem(30)->SendMessage(BM_SETCHECK, BST_CHECKED);
        d.Click(31);
        EXPECT_FALSE(d.Checked(30));
        EXPECT_EQ(dialog.GetDlgItem(31)->SendMessage(BM_GETCHECK), BST_CHECKED);

        EXPECT_EQ(d.Font(20), (FontInfo{L"System", 80}));
        CFont font;
        font.CreatePointFont(80, L"Courier");
        dialog.GetDlgItem(20)->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(HFONT(font)));
        EXPECT_EQ(d.Font(20), (FontInfo{L"Courier", 80}));

        dialog.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconW(7)));
        EXPECT_EQ(d.Icon(ICON_BIG)->id, 7);
        EXPECT_EQ(d.Icon(ICON_SMALL), nullptr);
        d.Cancel();
    });
    dlg.DoModal();
}

}  // namespace
