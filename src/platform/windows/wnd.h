// The in-memory window system: every dialog and control is a Window node
// (kind, id, text, rectangle, visibility, enabled state, font, z-order and the
// control's own state), and CWnd is the program's handle on one. Backends read
// the nodes to draw them and change them only through user_input.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/c_string.h"
#include "platform/win_types.h"

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
    int x = 0;
    int y = 0;
};

// Window styles, as the dialog templates carry them.
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;   // a help button in the title bar
constexpr DWORD WS_EX_CAPTIONOKBTN = 0x80000000;  // an OK button in the title bar
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;

// Messages and their values.
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int CB_ERR = -1;
constexpr int LB_ERR = -1;
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;

// Notifications a control sends to its dialog.
constexpr UINT BN_CLICKED = 0;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT EN_KILLFOCUS = 0x0200;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

// A dialog's frame: one terminal cell of border on the left and right, the
// title bar as the top row and a border row at the bottom.
constexpr int kDialogFrameX = 8;
constexpr int kDialogFrameY = 16;

enum class WindowKind { Dialog, Static, Edit, PushButton, RadioButton, ComboBox, ListBox };

// A font as the program asked for it: face name and size in tenths of a point.
struct FontInfo {
    std::wstring face;
    int pointSize = 0;
    friend bool operator==(const FontInfo&, const FontInfo&) = default;
};
using HFONT = const FontInfo*;

struct IconResource;
using HICON = const IconResource*;

class CWnd;

struct Window {
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    WindowKind kind = WindowKind::Static;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring text;  // a dialog's title, a control's text
    RECT rect;          // in the parent's client pixels; a dialog's in screen pixels
    bool visible = true;
    bool enabled = true;
    FontInfo font;
    Window* parent = nullptr;
    std::vector<std::unique_ptr<Window>> children;  // z-order, top first

    // Buttons, lists and drop-down lists.
    int check = BST_UNCHECKED;
    std::vector<std::wstring> items;
    int selection = -1;
    bool dropped = false;
    int selectionWhenDropped = -1;  // what Esc on an open drop-down list goes back to

    // Dialogs.
    Window* focus = nullptr;
    bool topmost = false;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    CWnd* owner = nullptr;  // the dialog object that handles the notifications
    bool ended = false;
    int result = 0;

    // The CWnd objects that name this window; they let go of it when it dies.
    std::vector<CWnd*> attached;
    std::unique_ptr<CWnd> handle;  // what GetDlgItem hands out
};
using HWND = Window*;

// What a control tells its dialog: the notification code and the control's id
// (WM_HELP, the title-bar help, comes with id 0).
struct Notification {
    UINT code;
    int id;
};

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

    HWND m_hWnd = nullptr;
};

// CFont only names a font; the windows keep a copy of what it names, so it
// may die before them.
class CFont {
public:
    // pointSize in tenths of a point (80 is 8 points).
    BOOL CreatePointFont(int pointSize, const wchar_t* faceName);
    HFONT GetSafeHandle() const { return m_created ? &m_spec : nullptr; }
    operator HFONT() const { return GetSafeHandle(); }

private:
    FontInfo m_spec;
    bool m_created = false;
};

// Plumbing shared by the framework and the backends.
CWnd* HandleOf(HWND window);
HWND FindChild(const Window& dialog, int id);
POINT ClientOrigin(const Window& window);  // screen pixels
RECT ScreenRect(const Window& window);
// Changes a dialog's focus; notify=false when the framework itself puts the
// focus on a field (data exchange), which must not trigger the field's
// handlers once more.
void ChangeFocus(Window& dialog, Window* control, bool notify);
void Notify(const Window& control, UINT code);
// The controls the tab key visits, in order: the dialog's children in
// z-order, without hidden, disabled and non-tab-stop controls.
bool IsTabStop(const Window& control);
std::vector<Window*> TabStops(const Window& dialog);
// The open modal dialogs, the one in front last.
std::vector<Window*>& ModalStack();
