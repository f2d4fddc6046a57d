// SPDX-License-Identifier: MIT
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "backends/win32/native_dialog.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace Native {
namespace {

// The title bar of a desktop window cannot carry an OK button, so the help
// and OK buttons of the device's title bar stand in a strip above the
// controls, at its right end, with ids no template uses.
constexpr int kStripHeight = 12;  // dialog units
constexpr int kHelpButtonId = 0xFFF0;
constexpr int kOkButtonId = 0xFFF1;

// A drop-down list's template height is that of its closed box; the native
// box takes the height of its open list as well.
constexpr int kDropDownLines = 6;

// The framework names the device's fonts; the desktop has these instead.
std::wstring DesktopFace(const std::wstring& face) {
    if (face.empty() || face == L"System") {
        return L"MS Shell Dlg";
    }
    if (face == L"Courier") {
        return L"Courier New";
    }
    return face;
}

// An in-memory DLGTEMPLATE: the header, then each item on a DWORD boundary.
class TemplateWriter {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const std::wstring& text) {
        for (wchar_t c : text) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void AlignToDword() {
        if (m_words.size() % 2) {
            Word(0);
        }
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    std::vector<WORD> m_words;
};

WORD ClassAtom(ControlClass kind) {
    switch (kind) {
        case ControlClass::PushButton:
        case ControlClass::RadioButton:
            return 0x0080;
        case ControlClass::Edit:
            return 0x0081;
        case ControlClass::Static:
            return 0x0082;
        case ControlClass::ListBox:
            return 0x0083;
        case ControlClass::ComboBox:
            return 0x0085;
    }
    return 0x0082;
}

// The template's style with what the native control needs. The framework
// keeps the checks and the order of a list's entries, so radio buttons do
// not check themselves and lists do not sort.
DWORD NativeStyle(const ControlSpec& item) {
    DWORD style = WS_CHILD | WS_VISIBLE | item.style;
    switch (item.kind) {
        case ControlClass::RadioButton:
            style = (style & ~DWORD{0xF}) | BS_RADIOBUTTON;
            break;
        case ControlClass::ListBox:
            style &= ~DWORD{LBS_SORT};
            break;
        case ControlClass::Static:
            style |= SS_NOPREFIX;
            break;
        default:
            break;
    }
    return style;
}

void WriteItem(TemplateWriter& out, DWORD style, int x, int y, int cx, int cy, int id, WORD atom,
               const std::wstring& text) {
    out.AlignToDword();
    out.Dword(style);
    out.Dword(0);
    for (int value : {x, y, cx, cy}) {
        out.Word(static_cast<WORD>(static_cast<short>(value)));
    }
    out.Word(static_cast<WORD>(id));
    out.Word(0xFFFF);
    out.Word(atom);
    out.Text(text);
    out.Word(0);  // no creation data
}

TemplateWriter BuildTemplate(const DialogDescription& description) {
    const bool strip = description.helpButton || description.okButton;
    const int stripHeight = strip ? kStripHeight : 0;
    const int count = static_cast<int>(description.controls.size()) + (description.helpButton ? 1 : 0) +
                      (description.okButton ? 1 : 0);
    TemplateWriter out;
    out.Dword(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    out.Dword(0);
    out.Word(static_cast<WORD>(count));
    for (int value : {0, 0, description.cx, description.cy + stripHeight}) {
        out.Word(static_cast<WORD>(static_cast<short>(value)));
    }
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(description.title);
    out.Word(static_cast<WORD>(std::max(1, description.pointSize / 10)));
    out.Text(DesktopFace(description.fontFace));
    for (const ControlSpec& item : description.controls) {
        const int cy = item.kind == ControlClass::ComboBox ? item.cy * kDropDownLines : item.cy;
        WriteItem(out, NativeStyle(item), item.x, item.y + stripHeight, item.cx, cy, item.id,
                  ClassAtom(item.kind), item.text);
    }
    const DWORD stripButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    int right = description.cx - 2;
    if (description.okButton) {
        WriteItem(out, stripButton, right - 18, 1, 18, 10, kOkButtonId, 0x0080, L"OK");
        right -= 20;
    }
    if (description.helpButton) {
        WriteItem(out, stripButton, right - 12, 1, 12, 10, kHelpButtonId, 0x0080, L"?");
    }
    return out;
}

INT_PTR CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

Scale ScaleOf(HWND dialog) {
    RECT units = {0, 0, 1000, 1000};
    MapDialogRect(dialog, &units);
    // A framework pixel is half a dialog unit.
    return {units.right / 2000.0, units.bottom / 2000.0};
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Shown {
    ControlState state{};
    bool placed = false;
    HFONT font = nullptr;
};

}  // namespace

struct Dialog::Impl {
    HWND window = nullptr;
    HWND owner = nullptr;
    Events events;
    Scale scale;
    int stripPixels = 0;
    bool syncing = false;
    int picked = -1;  // the entry the open drop-down list closes with
    std::map<int, ControlClass> kinds;
    std::map<int, Shown> shown;
    std::vector<int> order;
    std::map<std::pair<std::wstring, int>, HFONT> fonts;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    int iconId = 0;
    bool topmost = false;
    int left = -1;
    int top = -1;
    HWND focus = nullptr;

    std::map<HWND, WNDPROC> editProcs;  // each field's own window procedure

    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id, int code);
    bool Intercept(MSG& msg);
    int ControlId(HWND window) const;
    HFONT FontFor(const std::wstring& face, int pointSize);
    void ApplyControl(HWND control, ControlClass kind, const ControlState& state, Shown& before);
    void ApplyDropDown(HWND control, const ControlState& state);
};

INT_PTR CALLBACK Dialog::Impl::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        return FALSE;  // the framework puts the focus
    }
    auto* impl = reinterpret_cast<Impl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!impl) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            impl->Command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            // The title bar's close button, Alt+F4 and the system menu: Cancel.
            impl->events.close();
            return TRUE;
        default:
            return FALSE;
    }
}

// Every way a field pastes ends in WM_PASTE, which the framework sees first.
LRESULT CALLBACK Dialog::Impl::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* impl = reinterpret_cast<Impl*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
    if (message == WM_PASTE && OpenClipboard(edit)) {
        std::wstring text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = locked;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        if (impl->events.paste(GetDlgCtrlID(edit), text)) {
            return 0;
        }
    }
    return CallWindowProcW(impl->editProcs.at(edit), edit, message, wParam, lParam);
}

void Dialog::Impl::Command(int id, int code) {
    if (syncing) {
        return;  // the backend's own changes are no user input
    }
    if (id == kHelpButtonId || id == kOkButtonId) {
        if (code == BN_CLICKED) {
            (id == kHelpButtonId ? events.help : events.ok)();
        }
        return;
    }
    const auto kind = kinds.find(id);
    if (kind == kinds.end()) {
        return;
    }
    HWND control = GetDlgItem(window, id);
    switch (kind->second) {
        case ControlClass::Edit:
            if (code == EN_CHANGE) {
                events.textEdited(id, TextOf(control));
            }
            break;
        case ControlClass::PushButton:
        case ControlClass::RadioButton:
            // Our own input never reaches a button natively; this click came
            // from elsewhere (an accessibility tool's BM_CLICK).
            if (code == BN_CLICKED) {
                events.pressed(id);
            }
            break;
        case ControlClass::ComboBox:
            if (code == CBN_SELENDOK) {
                picked = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            } else if (code == CBN_SELENDCANCEL) {
                picked = -1;
            } else if (code == CBN_CLOSEUP) {
                const int closedWith = picked;
                picked = -1;
                events.listClosed(id, closedWith);
            }
            break;
        default:
            break;
    }
}

int Dialog::Impl::ControlId(HWND control) const {
    if (!control || GetParent(control) != window) {
        return -1;
    }
    const int id = GetDlgCtrlID(control);
    return kinds.count(id) ? id : -1;
}

// The user's keys and clicks go to the framework before any control sees
// them; a control gets them only where the framework hands them back.
bool Dialog::Impl::Intercept(MSG& msg) {
    if (msg.hwnd != window && !IsChild(window, msg.hwnd)) {
        return false;
    }
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            TranslateMessage(&msg);  // the typed character follows as WM_CHAR
            KeyInput key;
            key.virtualKey = static_cast<unsigned>(msg.wParam);
            key.shift = GetKeyState(VK_SHIFT) < 0;
            key.alt = (msg.lParam & (1 << 29)) != 0;
            if (events.key(key)) {
                DispatchMessageW(&msg);
            }
            return true;
        }
        case WM_CHAR: {
            KeyInput key;
            key.character = static_cast<wchar_t>(msg.wParam);
            if (events.key(key)) {
                DispatchMessageW(&msg);
            }
            return true;
        }
        case WM_KEYUP: {
            const int id = ControlId(msg.hwnd);
            if (id >= 0 && kinds[id] == ControlClass::Edit) {
                DispatchMessageW(&msg);
            }
            return true;
        }
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            return true;  // F10 and Alt would open the system menu
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int id = ControlId(msg.hwnd);
            if (id < 0) {
                return false;
            }
            int item = -1;
            if (kinds[id] == ControlClass::ListBox) {
                const LRESULT at = SendMessageW(msg.hwnd, LB_ITEMFROMPOINT, 0, msg.lParam);
                if (HIWORD(at) == 0) {
                    item = LOWORD(at);
                }
            }
            if (events.click(id, item, msg.message == WM_LBUTTONDBLCLK)) {
                DispatchMessageW(&msg);
            }
            return true;
        }
        case WM_MOUSEWHEEL: {
            // The wheel would change a drop-down list without a close-up.
            const int id = ControlId(msg.hwnd);
            return id >= 0 && kinds[id] == ControlClass::ComboBox;
        }
        default:
            return false;
    }
}

HFONT Dialog::Impl::FontFor(const std::wstring& face, int pointSize) {
    const auto key = std::make_pair(face, pointSize);
    if (const auto found = fonts.find(key); found != fonts.end()) {
        return found->second;
    }
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 720);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, DesktopFace(face).c_str());
    fonts[key] = font;
    return font;
}

void Dialog::Impl::ApplyControl(HWND control, ControlClass kind, const ControlState& state,
                                Shown& before) {
    HFONT font = state.fontFace.empty()
                     ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))
                     : FontFor(state.fontFace, state.pointSize);
    if (font && font != before.font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        before.font = font;
    }
    if (!before.placed || state.left != before.state.left || state.top != before.state.top ||
        state.right != before.state.right || state.bottom != before.state.bottom) {
        const int x = static_cast<int>(std::lround(state.left * scale.x));
        const int y = static_cast<int>(std::lround(state.top * scale.y)) + stripPixels;
        const int width = static_cast<int>(std::lround(state.right * scale.x)) - x;
        int height = static_cast<int>(std::lround(state.bottom * scale.y)) + stripPixels - y;
        if (kind == ControlClass::ComboBox) {
            height *= kDropDownLines;
        }
        SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        before.placed = true;
    }
    if ((IsWindowEnabled(control) != FALSE) != state.enabled) {
        EnableWindow(control, state.enabled);
    }
    switch (kind) {
        case ControlClass::Static:
        case ControlClass::Edit:
        case ControlClass::PushButton:
        case ControlClass::RadioButton:
            if (TextOf(control) != state.text) {
                SetWindowTextW(control, state.text.c_str());
            }
            break;
        default:
            break;
    }
    if (kind == ControlClass::RadioButton) {
        const WPARAM check = state.checked ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != check) {
            SendMessageW(control, BM_SETCHECK, check, 0);
        }
    }
    if (kind == ControlClass::ComboBox || kind == ControlClass::ListBox) {
        const bool combo = kind == ControlClass::ComboBox;
        if (state.items != before.state.items || !before.placed) {
            SendMessageW(control, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
            for (const auto& item : state.items) {
                SendMessageW(control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(item.c_str()));
            }
        }
        if (SendMessageW(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0) != state.selection) {
            SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL,
                         static_cast<WPARAM>(state.selection), 0);
        }
    }
    const bool visible = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != state.visible) {
        ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
    }
    before.state = state;
}

void Dialog::Impl::ApplyDropDown(HWND control, const ControlState& state) {
    const bool open = SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
    const bool wanted = state.dropped && state.visible;
    if (open != wanted) {
        SendMessageW(control, CB_SHOWDROPDOWN, wanted, 0);
    }
}

Dialog::Dialog(const DialogDescription& description, Events events, const Dialog* owner)
    : m_impl(std::make_unique<Impl>()) {
    Impl& impl = *m_impl;
    impl.events = std::move(events);
    impl.owner = owner ? owner->m_impl->window : nullptr;
    for (const ControlSpec& item : description.controls) {
        impl.kinds[item.id] = item.kind;
    }
    const TemplateWriter dialogTemplate = BuildTemplate(description);
    impl.window =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(), impl.owner,
                                   Impl::Proc, reinterpret_cast<LPARAM>(&impl));
    impl.scale = ScaleOf(impl.window);
    for (const ControlSpec& item : description.controls) {
        if (item.kind == ControlClass::Edit) {
            HWND edit = GetDlgItem(impl.window, item.id);
            impl.editProcs[edit] = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Impl::EditProc)));
        }
    }
    if (description.helpButton || description.okButton) {
        RECT strip = {0, 0, 0, kStripHeight};
        MapDialogRect(impl.window, &strip);
        impl.stripPixels = strip.bottom;
    }
    if (impl.owner) {
        EnableWindow(impl.owner, FALSE);  // modal over the dialog below
    }
}

Dialog::~Dialog() {
    Impl& impl = *m_impl;
    // The owner takes the keyboard back only if it is enabled before this
    // window goes.
    if (impl.owner) {
        EnableWindow(impl.owner, TRUE);
    }
    DestroyWindow(impl.window);
    if (impl.owner) {
        SetActiveWindow(impl.owner);
    }
    for (const auto& entry : impl.fonts) {
        DeleteObject(entry.second);
    }
    for (HICON icon : {impl.bigIcon, impl.smallIcon}) {
        if (icon) {
            DestroyIcon(icon);
        }
    }
}

void Dialog::Apply(const DialogState& state, bool inFront) {
    Impl& impl = *m_impl;
    impl.syncing = true;
    HWND window = impl.window;
    if (TextOf(window) != state.title) {
        SetWindowTextW(window, state.title.c_str());
    }
    if (state.iconId != impl.iconId) {
        impl.iconId = state.iconId;
        const auto load = [](int id, int metricX, int metricY) {
            return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                 IMAGE_ICON, GetSystemMetrics(metricX),
                                                 GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
        };
        HICON big = state.iconId ? load(state.iconId, SM_CXICON, SM_CYICON) : nullptr;
        HICON small = state.iconId ? load(state.iconId, SM_CXSMICON, SM_CYSMICON) : nullptr;
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        for (HICON icon : {impl.bigIcon, impl.smallIcon}) {
            if (icon) {
                DestroyIcon(icon);
            }
        }
        impl.bigIcon = big;
        impl.smallIcon = small;
    }
    if (state.topmost != impl.topmost) {
        impl.topmost = state.topmost;
        SetWindowPos(window, state.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // Placed again only when the program moves the dialog, so that where the
    // user has dragged it stays. Kept on the free area, and where the screen
    // is too small, at its top left, so that the title bar stays in reach.
    if (state.left != impl.left || state.top != impl.top) {
        impl.left = state.left;
        impl.top = state.top;
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        RECT frame{};
        GetWindowRect(window, &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        const int x = area.left + static_cast<int>(std::lround(state.left * impl.scale.x));
        const int y = area.top + static_cast<int>(std::lround(state.top * impl.scale.y));
        SetWindowPos(window, nullptr,
                     std::max<int>(area.left, std::min<int>(x, area.right - width)),
                     std::max<int>(area.top, std::min<int>(y, area.bottom - height)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    std::vector<int> order;
    for (const ControlState& control : state.controls) {
        const auto kind = impl.kinds.find(control.id);
        if (kind != impl.kinds.end()) {
            impl.ApplyControl(GetDlgItem(window, control.id), kind->second, control,
                              impl.shown[control.id]);
            order.push_back(control.id);
        }
    }
    // The z-order is the stacking and, for the system's tools, the tab order.
    if (order != impl.order) {
        impl.order = order;
        HWND after = HWND_TOP;
        for (int id : order) {
            HWND control = GetDlgItem(window, id);
            SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = control;
        }
    }
    if (inFront) {
        HWND target = state.focusId >= 0 ? GetDlgItem(window, state.focusId) : window;
        if (!target) {
            target = window;
        }
        if (GetFocus() != target) {
            SetFocus(target);
            // A field reached from the keyboard starts with its text marked.
            const auto kind = impl.kinds.find(state.focusId);
            if (!state.focusByMouse && kind != impl.kinds.end() &&
                kind->second == ControlClass::Edit) {
                SendMessageW(target, EM_SETSEL, 0, -1);
            }
        }
    }
    // After the focus: moving the focus closes an open list.
    for (const ControlState& control : state.controls) {
        const auto kind = impl.kinds.find(control.id);
        if (kind != impl.kinds.end() && kind->second == ControlClass::ComboBox) {
            impl.ApplyDropDown(GetDlgItem(window, control.id), control);
        }
    }
    impl.syncing = false;
}

void Dialog::Show() {
    ShowWindow(m_impl->window, SW_SHOW);
    SetForegroundWindow(m_impl->window);
}

bool Dialog::RunUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                // Kept for the loops of the dialogs below, which end too.
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            return false;
        }
        if (!m_impl->Intercept(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

Scale ScaleForFont(const std::wstring& face, int pointSize) {
    DialogDescription probe{L"", 10, 10, face, pointSize, false, false, {}};
    const TemplateWriter dialogTemplate = BuildTemplate(probe);
    HWND window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(),
                                             nullptr, ProbeProc, 0);
    if (!window) {
        return {};
    }
    const Scale scale = ScaleOf(window);
    DestroyWindow(window);
    return scale;
}

void WorkArea(const Scale& scale, int* width, int* height) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    *width = static_cast<int>((area.right - area.left) / scale.x);
    *height = static_cast<int>((area.bottom - area.top) / scale.y);
}

void ShowMessage(const Dialog* owner, const std::wstring& title, const std::wstring& text) {
    HWND window = owner ? owner->m_impl->window : nullptr;
    MessageBoxW(window, text.c_str(), title.c_str(), MB_OK | (window ? 0 : MB_TASKMODAL));
}

}  // namespace Native
