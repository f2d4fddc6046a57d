// SPDX-License-Identifier: MIT
// CWnd, the program's handle on a window of the window tree: what a dialog or
// control offers the program (text, place, visibility, focus, messages).
#pragma once

#include <vector>

#include "framework/window_messages.h"
#include "framework/window_tree.h"
#include "services/c_string.h"
#include "services/win_types.h"

class CDataExchange;
class CFont;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The z-order places SetWindowPos takes besides a sibling to go after.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND window);
    void Detach();

    // Runs DoDataExchange in one direction; FALSE when a field failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    BOOL ShowWindow(int command);
    BOOL EnableWindow(BOOL enable = TRUE);
    // x, y, cx, cy in the parent's client pixels (a dialog's in screen pixels).
    // insertAfter: &wndTop, &wndBottom, a sibling to follow, or &wndTopMost for
    // a dialog that stays above other windows.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void SetWindowText(const wchar_t* text);
    void GetWindowText(CString& text) const;
    void GetWindowRect(RECT* rect) const;  // screen pixels
    void ScreenToClient(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The user moves the focus here: an edit field that loses it notifies
    // EN_KILLFOCUS. Returns the control that had the focus.
    CWnd* SetFocus();
    // The focused control of the dialog in front, or nullptr.
    static CWnd* GetFocus();

    // Called with each notification of this dialog's controls; the message
    // maps of the dialog classes override it. True when it was handled.
    virtual bool DispatchNotification(const Notification&) { return false; }
    // Called with a text the user pastes into an edit field of this dialog,
    // before the field takes it; true when the dialog has dealt with the
    // text itself, and the field then takes nothing of it.
    virtual bool OnPasteText(int /*id*/, const CString& /*text*/) { return false; }

    HWND m_hWnd = nullptr;
};

// The CWnd that GetDlgItem hands out for a window.
CWnd* HandleOf(HWND window);
