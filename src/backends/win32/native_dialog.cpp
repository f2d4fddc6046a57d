// SPDX-License-Identifier: MIT
#include "backends/win32/native_dialog.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "backends/win32/native_controls.h"
#include "backends/win32/native_template.h"

namespace Native {
namespace {

INT_PTR CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

Scale ScaleOf(HWND dialog) {
    RECT units = {0, 0, 1000, 1000};
    MapDialogRect(dialog, &units);
    // A framework pixel is half a dialog unit.
    return {units.right / 2000.0, units.bottom / 2000.0};
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
    int picked = -1;                         // the entry the open drop-down list closes with
    std::map<int, const NativeKind*> kinds;  // by control id
    std::map<int, Shown> shown;
    std::vector<int> order;
    std::map<std::pair<std::wstring, int>, HFONT> fonts;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    int iconId = 0;
    int left = -1;
    int top = -1;

    std::map<HWND, WNDPROC> editProcs;  // each field's own window procedure

    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id, int code);
    bool Intercept(MSG& msg);
    // The kind of one of the dialog's controls, nullptr for any other window.
    const NativeKind* KindOf(HWND control) const;
    HFONT FontFor(const std::wstring& face, int pointSize);
    void ApplyControl(HWND control, const NativeKind& kind, const ControlState& state,
                      Shown& before);
    // Puts the keyboard focus where the state says (inFront), then lets each
    // control settle with it.
    void ApplyFocus(const DialogState& state, bool inFront);
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
        case WM_ENDSESSION:
            if (wParam) {
                impl->events.sessionEnds();
            }
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
    HWND control = GetDlgItem(window, id);
    if (const NativeKind* kind = KindOf(control)) {
        Notified to{events, picked};
        kind->notified(control, id, code, to);
    }
}

const NativeKind* Dialog::Impl::KindOf(HWND control) const {
    if (!control || GetParent(control) != window) {
        return nullptr;
    }
    const auto kind = kinds.find(GetDlgCtrlID(control));
    return kind == kinds.end() ? nullptr : kind->second;
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
            const NativeKind* kind = KindOf(msg.hwnd);
            if (kind && kind->editsNatively) {
                DispatchMessageW(&msg);
            }
            return true;
        }
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            return true;  // F10 and Alt would open the system menu
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const NativeKind* kind = KindOf(msg.hwnd);
            if (!kind) {
                return false;
            }
            const int item = kind->itemAt ? kind->itemAt(msg.hwnd, msg.lParam) : -1;
            if (events.click(GetDlgCtrlID(msg.hwnd), item, msg.message == WM_LBUTTONDBLCLK)) {
                DispatchMessageW(&msg);
            }
            return true;
        }
        case WM_MOUSEWHEEL: {
            const NativeKind* kind = KindOf(msg.hwnd);
            return kind && kind->swallowsWheel;
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

void Dialog::Impl::ApplyControl(HWND control, const NativeKind& kind, const ControlState& state,
                                Shown& before) {
    HFONT font = state.fontFace.empty()
                     ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))
                     : FontFor(state.fontFace, state.pointSize);
    if (font && font != before.font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        before.font = font;
    }
    const bool first = !before.placed;
    if (first || state.left != before.state.left || state.top != before.state.top ||
        state.right != before.state.right || state.bottom != before.state.bottom) {
        const int x = static_cast<int>(std::lround(state.left * scale.x));
        const int y = static_cast<int>(std::lround(state.top * scale.y)) + stripPixels;
        const int width = static_cast<int>(std::lround(state.right * scale.x)) - x;
        const int height =
            (static_cast<int>(std::lround(state.bottom * scale.y)) + stripPixels - y) *
            kind.heightFactor;
        // Painted anew at its new place: the old pixels copied over would
        // leave a moved sign or button undrawn once the dialog has painted
        // where the control stood.
        SetWindowPos(control, nullptr, x, y, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        before.placed = true;
    }
    if ((IsWindowEnabled(control) != FALSE) != state.enabled) {
        EnableWindow(control, state.enabled);
    }
    kind.show(control, state, before.state, first);
    const bool visible = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != state.visible) {
        ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
    }
    before.state = state;
}

void Dialog::Impl::ApplyFocus(const DialogState& state, bool inFront) {
    HWND focus = GetFocus();
    bool mark = false;
    if (inFront) {
        HWND target = state.focusId >= 0 ? GetDlgItem(window, state.focusId) : nullptr;
        if (!target) {
            target = window;
        }
        const bool arrived = focus != target;
        if (arrived) {
            SetFocus(target);
        }
        focus = target;
        // A field reached from the keyboard starts with its text marked, and
        // so does one that refused its text.
        mark = (arrived && !state.focusByMouse) || state.markFocusText;
    }
    // After the focus: moving the focus closes an open list, and a field
    // scrolls its text only while it has the focus.
    for (const ControlState& control : state.controls) {
        HWND native = GetDlgItem(window, control.id);
        if (const NativeKind* kind = KindOf(native)) {
            kind->settle(native, control, native == focus, mark);
        }
    }
}

Dialog::Dialog(const DialogDescription& description, Events events, const Dialog* owner)
    : m_impl(std::make_unique<Impl>()) {
    Impl& impl = *m_impl;
    impl.events = std::move(events);
    impl.owner = owner ? owner->m_impl->window : nullptr;
    for (const ControlSpec& item : description.controls) {
        impl.kinds[item.id] = &NativeKindOf(item.kind);
    }
    const DialogTemplateWords dialogTemplate(description);
    impl.window =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(), impl.owner,
                                   Impl::Proc, reinterpret_cast<LPARAM>(&impl));
    impl.scale = ScaleOf(impl.window);
    for (const ControlSpec& item : description.controls) {
        if (impl.kinds[item.id]->offersPaste) {
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
        HWND native = GetDlgItem(window, control.id);
        if (const NativeKind* kind = impl.KindOf(native)) {
            impl.ApplyControl(native, *kind, control, impl.shown[control.id]);
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
    impl.ApplyFocus(state, inFront);
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
    const DialogTemplateWords dialogTemplate({L"", 10, 10, face, pointSize, false, false, {}});
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
