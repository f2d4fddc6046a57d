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
#include "framework/win_app.h"
#include "support/german_locale.h"
#include "support/headless/headless.h"

namespace {

using ::testing::ElementsAre;

constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Two dialogs of the tests' own: the outer one with a control of each kind,
// the inner one with a field and OK.
constexpr int kOuter = 1;
constexpr int kInner = 2;
constexpr int kLabel = 9;
constexpr int kText = 10;
constexpr int kNumber = 11;
constexpr int kLatitude = 12;   // 0 to 90
constexpr int kLongitude = 13;  // 0 to 180
constexpr int kOpen = 20;       // opens the inner dialog
constexpr int kOne = 30;        // the radio buttons
constexpr int kTwo = 31;
constexpr int kDropDown = 40;
constexpr int kList = 50;
constexpr int kInnerText = 10;

const ResourceTable kResources{
    {
        {kOuter,
         L"Outer",
         150,
         100,
         {L"System", 80},
         WS_EX_CAPTIONOKBTN,
         {
             {WindowKind::Static, kLabel, L"label", 5, 7, 20, 8, SS_LEFT},
             {WindowKind::Edit, kText, L"", 30, 5, 40, 12, kEdit},
             {WindowKind::Edit, kNumber, L"", 30, 20, 40, 12, kEdit},
             {WindowKind::Edit, kLatitude, L"", 30, 35, 40, 12, kEdit},
             {WindowKind::Edit, kLongitude, L"", 30, 50, 40, 12, kEdit},
             {WindowKind::PushButton, kOpen, L"Open", 80, 5, 30, 12, kButton},
             {WindowKind::RadioButton, kOne, L"one", 80, 20, 30, 10,
              BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
             {WindowKind::RadioButton, kTwo, L"two", 80, 32, 30, 10,
              BS_AUTORADIOBUTTON | WS_TABSTOP},
             {WindowKind::ComboBox,
              kDropDown,
              L"",
              80,
              45,
              50,
              12,
              CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP,
              {L"x", L"y", L"z"}},
             {WindowKind::ListBox, kList, L"", 5, 65, 60, 30, LBS_NOTIFY | LBS_SORT | WS_TABSTOP},
         }},
        {kInner,
         L"Inner",
         60,
         40,
         {L"System", 80},
         0,
         {
             {WindowKind::Edit, kInnerText, L"", 5, 5, 40, 12, kEdit},
             {WindowKind::PushButton, IDOK, L"OK", 5, 20, 20, 12, BS_DEFPUSHBUTTON | WS_TABSTOP},
         }},
    },
    {{7, L"I"}},
};

class InnerDlg : public CDialog {
public:
    InnerDlg() : CDialog(kInner) {}
};

// Opens the inner dialog from its constructor, as an object built before
// any dialog is on the screen may do.
class EagerDlg : public CDialog {
public:
    EagerDlg() : CDialog(kInner) { m_result = DoModal(); }
    int m_result;
};

class OuterDlg : public CDialog {
public:
    OuterDlg() : CDialog(kOuter) {}

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, kList, m_list);
        DDX_Text(pDX, kText, m_text);
        DDX_Text(pDX, kNumber, m_number);
        DDV_MinMaxInt(pDX, m_number, 0, 60);
        DDX_Text(pDX, kLatitude, m_a);
        DDV_MinMaxDouble(pDX, m_a, 0.0, 90.0);
        DDX_Text(pDX, kLongitude, m_b);
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
ON_BN_CLICKED(kOpen, &OuterDlg::OnOpen)
ON_CONTROL_RANGE(EN_KILLFOCUS, kText, kLongitude, &OuterDlg::OnKillFocusField)
ON_CBN_CLOSEUP(kDropDown, &OuterDlg::OnCloseup)
ON_LBN_DBLCLK(kList, &OuterDlg::OnOK)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { AfxSetMessageLanguage(0); }
    Headless ui{kResources};
    OuterDlg dlg;
};

TEST_F(DialogTest, NestedModalDialogsReturnTheirOwnResults) {
    ui.OnDialog(kOuter, [](HeadlessDialog& d) { d.Click(kOpen).Click(kOpen).Help().Ok(); });
    ui.OnDialog(kInner, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), L"Inner");
        d.Click(IDOK);
    });
    ui.OnDialog(kInner, [](HeadlessDialog& d) { d.Cancel(); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_THAT(dlg.m_inner, ElementsAre(IDOK, IDCANCEL));
    EXPECT_THAT(dlg.m_events, ElementsAre(kText, 0));
    EXPECT_THAT(ui.DialogsOpened(), ElementsAre(kOuter, kInner, kInner));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);  // bound controls let go with the window
}

TEST_F(DialogTest, ADialogCanOpenBeforeAnyOtherExists) {
    ui.OnDialog(kInner, [](HeadlessDialog& d) { d.Ok(); });
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
    ui.OnDialog(kInner, [](HeadlessDialog& d) { d.Ok(); });
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
    ui.OnDialog(kOuter, [](HeadlessDialog& d) {
        d.Dialog().GetDlgItem(kLatitude)->ShowWindow(SW_HIDE);
        EXPECT_NONFATAL_FAILURE(d.Type(kLatitude, L"1"), "cannot type into control 12");
        EXPECT_NONFATAL_FAILURE(d.Click(99), "has no control 99");
        EXPECT_NONFATAL_FAILURE(d.Click(kLabel), "cannot click");
    });
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(dlg.DoModal(), IDCANCEL), "did not end it");
}

TEST_F(DialogTest, MembersAreWrittenInGeneralNotation) {
    dlg.m_text = L"Home";
    dlg.m_number = 32;
    dlg.m_a = 53.5;
    dlg.m_b = 1.0 / 3.0;
    ui.OnDialog(kOuter, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Text(kText), L"Home");
        EXPECT_EQ(d.Text(kNumber), L"32");
        EXPECT_EQ(d.Text(kLatitude), L"53.5");
        EXPECT_EQ(d.Text(kLongitude), L"0.333333333333333");
        d.Dialog().UpdateData(TRUE);
        static_cast<OuterDlg&>(d.Dialog()).m_a = 0.0;
        d.Dialog().UpdateData(FALSE);
        EXPECT_EQ(d.Text(kLatitude), L"0");
        d.Cancel();
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_b, 0.333333333333333);  // what the field showed
}

TEST_F(DialogTest, ReadingStopsAtTheFirstFailingField) {
    ui.OnDialog(kOuter, [&](HeadlessDialog& d) {
        d.Type(kText, L"Home")
            .Type(kNumber, L"7")
            .Type(kLatitude, L"95")
            .Type(kLongitude, L"12")
            .Ok();
        EXPECT_THAT(ui.TakeMessageBoxes(),
                    ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 90 ein."));
        EXPECT_EQ(d.Focus(), kLatitude);
        EXPECT_EQ(dlg.m_text, CString(L"Home"));
        EXPECT_EQ(dlg.m_number, 7);
        EXPECT_EQ(dlg.m_a, 95.0);  // the out-of-range number is kept
        EXPECT_EQ(dlg.m_b, 0.0);   // not read

        d.Type(kLatitude, L"abc").Ok();
        EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Bitte geben Sie eine Zahl ein."));
        EXPECT_EQ(dlg.m_a, 95.0);

        d.Type(kLatitude, L" 53.5 ").Ok();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_a, 53.5);
    EXPECT_EQ(dlg.m_b, 12.0);
}

TEST_F(DialogTest, AFailedFieldTakesTheFocusBackWithoutNotifyingAgain) {
    dlg.m_readOnLeave = true;
    ui.OnDialog(kOuter, [&](HeadlessDialog& d) {
        d.Type(kLatitude, L"x").Leave();  // to the longitude, whose own loss must not be reported
        EXPECT_THAT(dlg.m_events, ElementsAre(kText, kLatitude));
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 1u);
        EXPECT_EQ(d.Focus(), kLatitude);
        d.Type(kNumber, L"5");  // the keys go to the latitude, which took the focus back
        EXPECT_EQ(d.Text(kLatitude), L"5");
        EXPECT_EQ(d.Text(kNumber), L"0");
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 1u);
        // A click on a button leaves the field, which keeps the focus: the
        // button does not act. Once the field is mended, it does.
        d.Type(kLatitude, L"x").Click(kOpen);
        EXPECT_THAT(dlg.m_events, ElementsAre(kText, kLatitude, kLatitude, kLatitude));
        EXPECT_EQ(ui.TakeMessageBoxes().size(), 1u);
        EXPECT_EQ(d.Focus(), kLatitude);
        EXPECT_TRUE(dlg.m_inner.empty());
        d.Type(kLatitude, L"7").Click(kOpen);
        EXPECT_EQ(dlg.m_inner.size(), 1u);
        d.Cancel();
    });
    ui.OnDialog(kInner, [](HeadlessDialog& d) { d.Cancel(); });
    dlg.DoModal();
}

TEST_F(DialogTest, NumbersAreReadAsTypedWhateverTheLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, kGermanLocale), nullptr) << "scripts/setup makes this locale";
    ui.OnDialog(kOuter, [&](HeadlessDialog& d) {
        const std::pair<const wchar_t*, double> numbers[] = {
            {L" 53.5\t", 53.5}, {L"+1", 1.0},    {L".5", 0.5},    {L"5.", 5.0},
            {L"1e1", 10.0},     {L"2E+1", 20.0}, {L"1e-400", 0.0}};
        for (const auto& [text, value] : numbers) {
            d.Type(kLatitude, text);
            EXPECT_TRUE(d.Dialog().UpdateData(TRUE)) << text;
            EXPECT_EQ(dlg.m_a, value) << text;
        }
        for (const wchar_t* text : {L"", L"  ", L"nan", L"inf", L"1e", L"12abc", L"1,5", L"0x10",
                                    L"+", L".", L"1e+", L"- 1", L"1 2", L"--1"}) {
            d.Type(kLatitude, text);
            EXPECT_FALSE(d.Dialog().UpdateData(TRUE)) << text;
            EXPECT_THAT(ui.TakeMessageBoxes(), ElementsAre(L"Bitte geben Sie eine Zahl ein."))
                << text;
        }
        // A range from 0 has no room for a minus sign, not even on a zero.
        for (const wchar_t* text : {L"-0", L"-1e-400"}) {
            d.Type(kLatitude, text);
            EXPECT_FALSE(d.Dialog().UpdateData(TRUE)) << text;
            EXPECT_THAT(ui.TakeMessageBoxes(),
                        ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 90 ein."))
                << text;
        }
        d.Type(kLatitude, L"1");
        for (const wchar_t* text : {L"12.0", L"1e1", L"0x1", L""}) {
            d.Type(kNumber, text);
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
            d.Type(kNumber, text);
            EXPECT_FALSE(d.Dialog().UpdateData(TRUE));
            EXPECT_EQ(dlg.m_number, value);
            EXPECT_THAT(ui.TakeMessageBoxes(),
                        ElementsAre(L"Bitte geben Sie eine Zahl zwischen 0 und 60 ein."));
        }
        d.Type(kNumber, L" +42 ").Type(kLatitude, L"1e-7");
        EXPECT_TRUE(d.Dialog().UpdateData(TRUE));
        EXPECT_EQ(dlg.m_number, 42);
        d.Dialog().UpdateData(FALSE);
        EXPECT_EQ(d.Text(kLatitude), L"1e-07");
        d.Cancel();
    });
    dlg.DoModal();
    std::setlocale(LC_ALL, "C");
}

TEST_F(DialogTest, FrameworkMessagesInEnglish) {
    AfxSetMessageLanguage(1);
    ui.OnDialog(kOuter, [&](HeadlessDialog& d) {
        d.Type(kNumber, L"61").Ok().Type(kNumber, L"1.0").Ok();
        d.Type(kNumber, L"60").Type(kLatitude, L"1e400").Ok();
        EXPECT_EQ(dlg.m_a, HUGE_VAL);
        d.Cancel();
    });
    dlg.DoModal();
    EXPECT_THAT(ui.MessageBoxes(), ElementsAre(L"Please enter a number between 0 and 60.",
                                               L"Please enter a whole number.",
                                               L"Please enter a number between 0 and 90."));
}

TEST_F(DialogTest, TabOrderFollowsZOrderChangesAndSkipsHiddenAndDisabledControls) {
    ui.OnDialog(kOuter, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Focus(), kText);  // the first tab stop
        // The two radio buttons are one stop, at the checked one or the first.
        EXPECT_THAT(d.TabOrder(), ElementsAre(kText, kNumber, kLatitude, kLongitude, kOpen, kOne,
                                              kDropDown, kList));
        CDialog& dialog = d.Dialog();
        dialog.GetDlgItem(kOpen)->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        dialog.GetDlgItem(kLongitude)
            ->SetWindowPos(dialog.GetDlgItem(kOpen), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        dialog.GetDlgItem(kText)->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0,
                                               SWP_NOMOVE | SWP_NOSIZE);
        dialog.GetDlgItem(kNumber)->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0,
                                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_THAT(d.TabOrder(), ElementsAre(kOpen, kLongitude, kNumber, kLatitude, kOne,
                                              kDropDown, kList, kText));

        dialog.GetDlgItem(kLatitude)->ShowWindow(SW_HIDE);
        dialog.GetDlgItem(kTwo)->EnableWindow(FALSE);
        EXPECT_THAT(d.TabOrder(),
                    ElementsAre(kOpen, kLongitude, kNumber, kOne, kDropDown, kList, kText));
        d.Tab();
        EXPECT_EQ(d.Focus(), kOpen);  // wrapped around from the text, the last
        d.Click(kNumber).Tab().Tab();
        EXPECT_EQ(d.Focus(), kDropDown);
        d.Dialog().GetDlgItem(kDropDown)->ShowWindow(SW_HIDE);  // the focus stays, the tab goes on
        d.Tab();
        EXPECT_EQ(d.Focus(), kList);
        d.Cancel();
    });
    dlg.DoModal();
}

TEST_F(DialogTest, PlacesAreTemplateUnitsInPixelsAndMove) {
    ui.SetScreenSize(800, 480);
    ui.OnDialog(kOuter, [](HeadlessDialog& d) {
        // 150 x 100 units: 300 x 200 client pixels in a frame, centred.
        EXPECT_EQ(d.WindowRect(), (RECT{242, 124, 558, 356}));
        EXPECT_EQ(d.Rect(kOne), (RECT{160, 40, 220, 60}));
        CWnd& dialog = d.Dialog();
        CWnd* radio = dialog.GetDlgItem(kOne);
        RECT rect;
        radio->GetWindowRect(&rect);
        EXPECT_EQ(rect, (RECT{410, 180, 470, 200}));
        dialog.ScreenToClient(&rect);
        EXPECT_EQ(rect, d.Rect(kOne));

        radio->SetWindowPos(nullptr, 0, 0, 99, 7, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(d.Rect(kOne), (RECT{160, 40, 259, 47}));
        radio->SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_EQ(d.Rect(kOne), (RECT{5, 6, 104, 13}));

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
    ui.OnDialog(kOuter, [&](HeadlessDialog& d) {
        for (const wchar_t* name : {L"b.rte", L"D.rte", L"A.rte", L"a2.rte", L"\u00c4.rte"}) {
            dlg.m_list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        // Without regard to case, and the umlaut beside its base letter.
        EXPECT_THAT(d.Items(kList),
                    ElementsAre(L"A.rte", L"\u00c4.rte", L"a2.rte", L"b.rte", L"D.rte"));
        EXPECT_EQ(dlg.m_list.SendMessage(LB_GETCURSEL), LB_ERR);
        d.DoubleClick(kList, 2);  // mapped to OnOK
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogTest, DropDownListReportsEveryCloseUp) {
    ui.OnDialog(kOuter, [&](HeadlessDialog& d) {
        CWnd& list = *d.Dialog().GetDlgItem(kDropDown);
        EXPECT_EQ(d.Text(kDropDown), L"");
        list.SendMessage(CB_RESETCONTENT);
        for (int i = 0; i < 3; ++i) {
            const wchar_t* items[] = {L"Deg", L"Min", L"Sec"};
            list.SendMessage(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i]));
        }
        list.SendMessage(CB_SETCURSEL, 1);
        EXPECT_EQ(d.Text(kDropDown), L"Min");
        d.Type(kText, L"a").Pick(kDropDown, 2);
        EXPECT_EQ(list.SendMessage(CB_GETCURSEL), 2);
        d.CloseList(kDropDown);
        EXPECT_EQ(d.Text(kDropDown), L"Sec");
        EXPECT_THAT(dlg.m_events, ElementsAre(kText, -1, -1));
        d.Cancel();
    });
    dlg.DoModal();
}

TEST_F(DialogTest, RadioButtonsFontsAndIcons) {
    ui.OnDialog(kOuter, [](HeadlessDialog& d) {
        CWnd& dialog = d.Dialog();
        dialog.GetDlgItem(kOne)->SendMessage(BM_SETCHECK, BST_CHECKED);
        d.Click(kTwo);
        EXPECT_FALSE(d.Checked(kOne));
        EXPECT_EQ(dialog.GetDlgItem(kTwo)->SendMessage(BM_GETCHECK), BST_CHECKED);

        EXPECT_EQ(d.Font(kOpen), (FontInfo{L"System", 80}));
        CFont font;
        font.CreatePointFont(80, L"Courier");
        dialog.GetDlgItem(kOpen)->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(HFONT(font)));
        EXPECT_EQ(d.Font(kOpen), (FontInfo{L"Courier", 80}));

        dialog.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconW(7)));
        EXPECT_EQ(d.Icon(ICON_BIG)->id, 7);
        EXPECT_EQ(d.Icon(ICON_SMALL), nullptr);
        d.Cancel();
    });
    dlg.DoModal();
}

}  // namespace
