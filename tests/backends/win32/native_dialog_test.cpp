// SPDX-License-Identifier: MIT
// The entry form as real Win32 dialogs, seen from inside the program: the
// test runs the application on the Win32 backend and, between the messages
// of its modal loop, gives it input as the system would (posted keys and
// clicks), walks the form's child windows and reads what they show: an edit
// control's first visible character and its marked text, and the pixels on
// the screen in each visible control against what the control draws.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "backends/win32/run_quillpost.h"
#include "res/resource_ids.h"

namespace fs = std::filesystem;

namespace {

// A step returns false while what it waits for has not come about yet.
using Step = std::function<bool()>;

// Steps run one at a time from a thread timer. The system makes a timer
// message only when the thread has no posted message, no input and no window
// left to paint, so every step sees the dialogs after all that came before it
// was handled and painted, however slow the machine.
struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    int waited = 0;
};
Script* g_script = nullptr;

// Ticks a step may wait for something (a message box) before the test gives up.
constexpr int kPatience = 3000;

BOOL CALLBACK CloseWindow(HWND window, LPARAM) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script& script = *g_script;
    if (script.next >= script.steps.size()) {
        return;
    }
    if (script.steps[script.next]()) {
        ++script.next;
        script.waited = 0;
    } else if (++script.waited > kPatience) {
        ADD_FAILURE() << "step " << script.next << " waited in vain";
        script.next = script.steps.size();
        EnumThreadWindows(GetCurrentThreadId(), CloseWindow, 0);
    }
}

fs::path ScratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return fs::path(temp) / (L"quillpost-dialog-" + std::to_wstring(GetCurrentProcessId()));
}

// The settings the program starts with: English, and no language dialog.
void StartWith(int format) {
    const fs::path folder = ScratchFolder() / L"Kvo Applications";
    fs::create_directories(folder);
    std::ofstream(folder / L"Quillpost.ini", std::ios::binary)
        << "[Settings]\r\nLanguage=1\r\nFormat=" << format << "\r\n";
}

void RunForm(int format, std::vector<Step> steps) {
    StartWith(format);
    Script script{std::move(steps)};
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    RunQuillpost();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    EXPECT_EQ(script.next, script.steps.size()) << "the form ended before the script";
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The form: the visible dialog of this thread with the format list.
BOOL CALLBACK FindForm(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && GetDlgItem(window, IDC_FORMAT)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND Form() {
    HWND form = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindForm, reinterpret_cast<LPARAM>(&form));
    return form;
}

// A message box over the form: a visible dialog of this thread without the
// form's controls.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
        !GetDlgItem(window, IDC_FORMAT)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND MessageBoxShown() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// --- Input as the system delivers it: to the window with the focus.

Step Key(UINT virtualKey) {
    return [virtualKey] {
        HWND to = GetFocus();
        PostMessageW(to, WM_KEYDOWN, virtualKey, 1);
        PostMessageW(to, WM_KEYUP, virtualKey, 0xC0000001);
        return true;
    };
}

Step Type(std::wstring text) {
    return [text] {
        HWND to = GetFocus();
        for (wchar_t c : text) {
            PostMessageW(to, WM_CHAR, c, 1);
        }
        return true;
    };
}

Step Click(int id) {
    return [id] {
        HWND control = GetDlgItem(Form(), id);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        return true;
    };
}

// A pick in the format list with the keyboard: a click opens it, a key
// moves to the entry, Enter picks it.
void PickFormat(std::vector<Step>& steps, UINT key) {
    steps.push_back(Click(IDC_FORMAT));
    steps.push_back(Key(key));
    steps.push_back(Key(VK_RETURN));
}

Step Check(std::function<void()> check) {
    return [check] {
        check();
        return true;
    };
}

Step Close() {
    return [] {
        PostMessageW(Form(), WM_CLOSE, 0, 0);
        return true;
    };
}

// --- What the screen shows.

struct Pixels {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    const std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    Pixels(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<const std::uint32_t*>(memory);
        old = SelectObject(dc, bitmap);
    }
    ~Pixels() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::vector<std::uint32_t> All() const {
        GdiFlush();
        std::vector<std::uint32_t> all;
        for (int i = 0; i < width * height; ++i) {
            all.push_back(bits[i] & 0xFFFFFF);
        }
        return all;
    }
};

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring Describe(HWND control) {
    const RECT r = ClientRectOf(control);
    return L"control " + std::to_wstring(GetDlgCtrlID(control)) + L" (" + ClassOf(control) + L" '" +
           TextOf(control) + L"' at " + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) +
           L" " + std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top) +
           L")";
}

std::string Narrow(const std::wstring& text) {
    const auto u8 = fs::path(text).u8string();
    return std::string(u8.begin(), u8.end());
}

// Every visible control of the form shows on the screen what it draws when
// asked (PrintWindow): a control moved or shown and then left unpainted
// shows the dialog's background, or what stood there before, instead.
void ExpectAllPainted(const char* when) {
    HWND form = Form();
    ASSERT_TRUE(form) << when;
    HideCaret(nullptr);  // the caret is drawn over the field on the screen only
    HDC screen = GetDC(form);
    int shownControls = 0;
    for (HWND control = GetWindow(form, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) {
            continue;
        }
        ++shownControls;
        // The client area only: an edit control's sunken border is the
        // system's, which PrintWindow leaves out.
        RECT client{};
        GetClientRect(control, &client);
        MapWindowPoints(control, form, reinterpret_cast<POINT*>(&client), 2);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        Pixels onScreen(width, height);
        BitBlt(onScreen.dc, 0, 0, width, height, screen, client.left, client.top, SRCCOPY);
        Pixels drawn(width, height);
        PrintWindow(control, drawn.dc, PW_CLIENTONLY);
        const std::vector<std::uint32_t> shown = onScreen.All();
        const std::vector<std::uint32_t> meant = drawn.All();
        int wrong = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            wrong += shown[i] != meant[i];
        }
        EXPECT_EQ(wrong, 0) << when << ": " << Narrow(Describe(control))
                            << " is not painted as it draws";
    }
    ReleaseDC(form, screen);
    ShowCaret(nullptr);
    EXPECT_GT(shownControls, 5) << when;
}

bool Shown(int id) {
    return IsWindowVisible(GetDlgItem(Form(), id)) != FALSE;
}

class NativeDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { _wputenv_s(L"APPDATA", ScratchFolder().c_str()); }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(ScratchFolder(), ignored);
    }
};

TEST_F(NativeDialog, EveryFormatSwitchPaintsWhatItShows) {
    std::vector<Step> steps;
    steps.push_back(Check([] {
        ExpectAllPainted("Deg at the start");
        // A desktop window among others, not above every other one.
        EXPECT_EQ(GetWindowLongW(Form(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    }));
    PickFormat(steps, VK_DOWN);
    steps.push_back(Check([] {
        EXPECT_TRUE(Shown(IDC_LAT_MIN) && !Shown(IDC_LAT_SEC));
        ExpectAllPainted("Deg to DegMin");
    }));
    PickFormat(steps, VK_DOWN);
    steps.push_back(Check([] {
        EXPECT_TRUE(Shown(IDC_LAT_SEC));
        ExpectAllPainted("DegMin to DegMinSec");
    }));
    PickFormat(steps, VK_HOME);
    steps.push_back(Check([] {
        EXPECT_TRUE(!Shown(IDC_LAT_MIN) && Shown(IDC_LAT_DEG));
        ExpectAllPainted("DegMinSec to Deg");
    }));
    PickFormat(steps, VK_END);
    steps.push_back(Check([] {
        EXPECT_TRUE(Shown(IDC_NORTH) && !Shown(IDC_LAT_DEG));
        ExpectAllPainted("Deg to UTM");
    }));
    PickFormat(steps, VK_HOME);
    steps.push_back(Check([] { ExpectAllPainted("UTM to Deg"); }));
    steps.push_back(Close());
    RunForm(0, std::move(steps));
}

TEST_F(NativeDialog, AStartInAnotherFormatPaintsWhatItShows) {
    for (int format : {1, 2, 3}) {
        RunForm(format,
                {Check([format] {
                     ExpectAllPainted(("a start in format " + std::to_string(format)).c_str());
                 }),
                 Close()});
    }
}

int FirstVisibleCharacter(int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(Form(), id), EM_GETFIRSTVISIBLELINE, 0, 0));
}

// Where a field's text ends, against the right edge of the room the field
// gives it: a digit past that edge is cut.
bool WholeTextFits(int id) {
    HWND field = GetDlgItem(Form(), id);
    const std::wstring text = TextOf(field);
    const LRESULT at = SendMessageW(field, EM_POSFROMCHAR, text.size() - 1, 0);
    HDC dc = GetDC(field);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
    SIZE last{};
    GetTextExtentPoint32W(dc, &text.back(), 1, &last);
    SelectObject(dc, before);
    ReleaseDC(field, dc);
    RECT room;
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    return static_cast<short>(LOWORD(at)) + last.cx <= room.right;
}

TEST_F(NativeDialog, NarrowFieldsShowTheirLeadingDigitsOnceLeft) {
    RunForm(2, {Key(VK_TAB), Key(VK_TAB), Key(VK_TAB), Key(VK_TAB), Type(L"179"), Key(VK_TAB),
                Type(L"59"), Key(VK_TAB), Type(L"59.99"), Key(VK_TAB), Check([] {
                    EXPECT_EQ(TextOf(GetDlgItem(Form(), IDC_LONG_DEG)), L"179");
                    EXPECT_EQ(TextOf(GetDlgItem(Form(), IDC_LONG_SEC)), L"59.99");
                    for (int id : {IDC_LONG_DEG, IDC_LONG_MIN, IDC_LONG_SEC}) {
                        EXPECT_EQ(FirstVisibleCharacter(id), 0) << "field " << id;
                        EXPECT_TRUE(WholeTextFits(id)) << "field " << id;
                    }
                }),
                Close()});
    RunForm(3, {Key(VK_TAB), Type(L"5983984"), Key(VK_TAB), Check([] {
                    EXPECT_EQ(TextOf(GetDlgItem(Form(), IDC_NORTH)), L"5983984");
                    EXPECT_EQ(FirstVisibleCharacter(IDC_NORTH), 0);
                    EXPECT_TRUE(WholeTextFits(IDC_NORTH));
                }),
                Close()});
}

TEST_F(NativeDialog, ARefusedNumberIsMarkedSoThatTypingReplacesIt) {
    RunForm(0, {Key(VK_TAB), Type(L"91"), Key(VK_TAB),
                [] {
                    HWND box = MessageBoxShown();
                    if (box) {
                        PostMessageW(box, WM_COMMAND, IDOK, 0);
                    }
                    return box != nullptr;
                },
                Check([] {
                    HWND field = GetDlgItem(Form(), IDC_LAT_DEG);
                    ASSERT_EQ(GetFocus(), field);
                    DWORD start = 0;
                    DWORD end = 0;
                    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                 reinterpret_cast<LPARAM>(&end));
                    EXPECT_EQ(start, 0u);
                    EXPECT_EQ(end, 2u);
                }),
                Type(L"53"),
                Check([] { EXPECT_EQ(TextOf(GetDlgItem(Form(), IDC_LAT_DEG)), L"53"); }), Close()});
}

}  // namespace
