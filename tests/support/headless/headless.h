// SPDX-License-Identifier: MIT
// The headless backend: tests script what the user does in each dialog and
// read back what the controls show; no terminal is involved. Scripts are
// queued per dialog template and taken in order as dialogs open, nested ones
// included; message boxes are answered with OK and recorded:
//
//   Headless ui;
//   ui.OnDialog(130, [](HeadlessDialog& d) { d.Click(1045).Ok(); });
//   ui.OnDialog(102, [&](HeadlessDialog& d) {
//       d.Type(1012, L"53.5").Leave().Pick(1034, 1);
//       EXPECT_EQ(d.Text(1014), L"30");
//       d.Cancel();
//   });
//
// Whatever the user could not do (a hidden field, a missing id, a dialog that
// has ended), a dialog without a script, a script that does not end its
// dialog and a script never used are reported as test failures.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <source_location>
#include <string>
#include <vector>

#include "framework/backend.h"
#include "framework/dialog.h"
#include "framework/resource.h"

using Here = std::source_location;

class HeadlessDialog {
public:
    explicit HeadlessDialog(CDialog& dialog) : m_dialog(dialog) {}

    // What the user does. A step that clicks into a control first moves the
    // focus there, so the edit field that had it reports the loss first; a
    // field that refuses to be left keeps the focus, and the step then does
    // nothing more, as with every backend.
    // Type clicks into the field and replaces the text of the field that has
    // the focus then (a field that failed on losing the focus takes it back).
    HeadlessDialog& Type(int id, const std::wstring& text, Here here = Here::current());
    // A click: into an edit or list, or on a button (which then acts).
    HeadlessDialog& Click(int id, Here here = Here::current());
    // Pastes into the field as if the text stood in the clipboard: the field
    // is clicked into first, and its whole text marked, so a text the
    // dialog does not take replaces it.
    HeadlessDialog& Paste(int id, const std::wstring& text, Here here = Here::current());
    HeadlessDialog& Tab(Here here = Here::current());
    HeadlessDialog& Leave(Here here = Here::current()) { return Tab(here); }
    // Opens the drop-down list, selects the item and closes the list.
    HeadlessDialog& Pick(int id, int index, Here here = Here::current());
    // Opens the drop-down list and closes it again without a change.
    HeadlessDialog& CloseList(int id, Here here = Here::current());
    HeadlessDialog& Select(int id, int index, Here here = Here::current());  // a list box entry
    HeadlessDialog& DoubleClick(int id, int index, Here here = Here::current());
    HeadlessDialog& Help(Here here = Here::current());
    HeadlessDialog& Ok(Here here = Here::current());
    HeadlessDialog& Cancel(Here here = Here::current());

    // What the dialog shows.
    std::wstring Text(int id, Here here = Here::current()) const;
    bool Visible(int id, Here here = Here::current()) const;
    bool Enabled(int id, Here here = Here::current()) const;
    RECT Rect(int id, Here here = Here::current()) const;  // client pixels
    FontInfo Font(int id, Here here = Here::current()) const;
    bool Checked(int id, Here here = Here::current()) const;
    std::vector<std::wstring> Items(int id, Here here = Here::current()) const;
    int Selection(int id, Here here = Here::current()) const;
    int Focus() const;  // the focused control's id, 0 for none
    std::vector<int> TabOrder() const;
    std::wstring Title() const;
    RECT WindowRect() const;  // screen pixels
    bool Topmost() const;
    HICON Icon(WPARAM which = ICON_BIG) const;
    CDialog& Dialog() const { return m_dialog; }

private:
    // The dialog's window while it runs; reports a failure once it has ended.
    Window* Running(Here here) const;
    // The control if the dialog is open and has it; reports a failure otherwise.
    Window* Control(int id, Here here) const;
    Window* Usable(int id, Here here);
    HeadlessDialog& Check(bool done, int id, const char* what, Here here);

    CDialog& m_dialog;
};

class Headless : public Backend {
public:
    using Script = std::function<void(HeadlessDialog&)>;

    // Installs itself as the backend (and the table as the resources) until
    // it is destroyed.
    Headless();
    explicit Headless(const ResourceTable& resources);
    ~Headless() override;
    Headless(const Headless&) = delete;
    Headless& operator=(const Headless&) = delete;

    Headless& OnDialog(int templateId, Script script, Here here = Here::current());
    void SetScreenSize(int width, int height);

    const std::vector<std::wstring>& MessageBoxes() const { return m_messageBoxes; }
    // The message boxes shown since the last call.
    std::vector<std::wstring> TakeMessageBoxes();
    // The templates of the dialogs opened so far, in order.
    const std::vector<int>& DialogsOpened() const { return m_opened; }

    void RunModal(CDialog& dialog) override;
    void ShowMessageBox(const wchar_t* text) override;
    int ScreenWidth() const override { return m_screenWidth; }
    int ScreenHeight() const override { return m_screenHeight; }

private:
    struct PendingScript {
        Script script;
        Here here;
    };

    std::map<int, std::deque<PendingScript>> m_scripts;
    std::vector<std::wstring> m_messageBoxes;
    size_t m_messageBoxesTaken = 0;
    std::vector<int> m_opened;
    int m_screenWidth = 640;
    int m_screenHeight = 480;
    Backend* m_previousBackend;
    bool m_ownResources = false;
    const ResourceTable* m_previousResources = nullptr;
};

// Readable values in test failure messages.
inline void PrintTo(const RECT& rect, std::ostream* out) {
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << "}";
}
void PrintTo(const FontInfo& font, std::ostream* out);
