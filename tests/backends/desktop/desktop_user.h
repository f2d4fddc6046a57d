// SPDX-License-Identifier: MIT
// A user of the program's real Qt dialogs, offscreen: scripts queued per
// dialog template run when that dialog is the modal window in front, and act
// through real key and mouse events (QTest). Message boxes are recorded and
// answered with a click on OK. A dialog without a script, or one that its
// script leaves open, is a test failure and is closed.
#pragma once

#include <QDialog>
#include <QPointer>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "backends/desktop/desktop_backend.h"

// The object name of a control's widget: its id.
inline QString Named(int id) {
    return QString::number(id);
}

class DesktopUser {
public:
    using Script = std::function<void(QDialog&)>;

    // The one backend of the test process, on Qt's offscreen platform.
    static DesktopBackend& Backend();

    DesktopUser();
    ~DesktopUser();

    void OnDialog(int templateId, Script script);
    std::vector<std::wstring> TakeMessageBoxes();
    const std::vector<int>& DialogsOpened() const { return m_opened; }

    // Keys go to the focused widget of the dialog in front (or of the open
    // drop-down list), as the keyboard's do.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void Type(const QString& text);
    // Keys typed faster than the program answers: each reaches the widget
    // that has the keyboard, with nothing handled in between.
    static void KeysAhead(std::initializer_list<Qt::Key> keys);
    static void Click(QDialog& dialog, const QString& name);
    // Clicks an entry of a list box; twice quickly is a double click.
    static void ClickItem(QDialog& dialog, const QString& name, int row, bool twice = false);
    // Clicks an entry of the open list of a drop-down list.
    static void ClickOpenListItem(QDialog& dialog, const QString& name, int row);
    static QString Text(QDialog& dialog, const QString& name);
    static bool Shown(QDialog& dialog, const QString& name);
    static QString Focus(QDialog& dialog);  // the focused control's id, "" for none
    // Lets queued work (the close-up of a drop-down list) happen.
    static void Settle();

private:
    void Poll();

    std::map<int, std::deque<Script>> m_scripts;
    std::vector<std::wstring> m_messageBoxes;
    std::vector<int> m_opened;
    std::vector<QPointer<QWidget>> m_handled;  // the windows met so far
    bool m_stopped = false;
};
