// SPDX-License-Identifier: MIT
#include "desktop_user.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdlib>

#include "backends/desktop/dialog_window.h"

// Read by LeakSanitizer before main, in the sanitizer build.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" QUILLPOST_DESKTOP_LEAKS;
}

DesktopBackend& DesktopUser::Backend() {
    // Never a real display in the tests.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quillpost-test";
    static char* argv[] = {name, nullptr};
    // Kept to the end: Qt cannot be shut down after its own statics at exit.
    static auto* backend = new DesktopBackend(argc, argv);
    return *backend;
}

DesktopUser::DesktopUser() {
    Backend();
    QTimer::singleShot(0, [this] { Poll(); });
}

DesktopUser::~DesktopUser() {
    m_stopped = true;
    Settle();
    for (const auto& [id, scripts] : m_scripts) {
        if (!scripts.empty()) {
            ADD_FAILURE() << scripts.size() << " script(s) for dialog " << id << " never ran";
        }
    }
}

void DesktopUser::OnDialog(int templateId, Script script) {
    m_scripts[templateId].push_back(std::move(script));
}

std::vector<std::wstring> DesktopUser::TakeMessageBoxes() {
    return std::exchange(m_messageBoxes, {});
}

// Looks again at the front window every few milliseconds, with a new timer
// each time, since Qt does not fire a timer again while its handler runs a
// nested dialog.
void DesktopUser::Poll() {
    if (m_stopped) {
        return;
    }
    QTimer::singleShot(5, [this] { Poll(); });
    QWidget* front = QApplication::activeModalWidget();
    if (!front || !front->isVisible() || std::count(m_handled.begin(), m_handled.end(), front)) {
        return;
    }
    std::erase_if(m_handled, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
    m_handled.push_back(front);
    if (auto* box = qobject_cast<QMessageBox*>(front)) {
        m_messageBoxes.push_back(box->text().toStdWString());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(front);
    const QString name = front->objectName();
    if (!dialog || !name.startsWith(QStringLiteral("dialog-"))) {
        return;
    }
    const int id = name.mid(7).toInt();
    m_opened.push_back(id);
    auto& scripts = m_scripts[id];
    if (scripts.empty()) {
        ADD_FAILURE() << "dialog " << id << " opened without a script";
        dialog->close();
        return;
    }
    const Script script = std::move(scripts.front());
    scripts.pop_front();
    QPointer<QDialog> open = dialog;
    script(*dialog);
    Settle();
    // The dialog's loop ends once this handler returns; the framework knows now.
    if (auto* window = dynamic_cast<DialogWindow*>(open.data());
        window && !window->Dialog().ended) {
        ADD_FAILURE() << "the script of dialog " << id << " left it open";
        open->close();
    }
}

namespace {

QWidget* KeyTarget() {
    QWidget* front = QApplication::activeModalWidget();
    if (!front) {
        return nullptr;
    }
    QWidget* focus = front->focusWidget();
    if (auto* dropDown = qobject_cast<QComboBox*>(focus);
        dropDown && dropDown->view()->isVisible()) {
        return dropDown->view();
    }
    return focus ? focus : front;
}

template <typename W>
W* Find(QDialog& dialog, const QString& name) {
    W* widget = dialog.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << "no widget " << name.toStdString();
    return widget;
}

}  // namespace

void DesktopUser::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget* target = KeyTarget()) {
        QTest::keyClick(target, key, modifiers);
    }
    Settle();
}

void DesktopUser::KeysAhead(std::initializer_list<Qt::Key> keys) {
    for (const Qt::Key key : keys) {
        if (QWidget* target = KeyTarget()) {
            QTest::keyClick(target, key);
        }
    }
    Settle();
}

void DesktopUser::Type(const QString& text) {
    for (const QChar c : text) {
        if (QWidget* target = KeyTarget()) {
            QTest::keyClick(target, c.toLatin1());
        }
    }
    Settle();
}

void DesktopUser::Click(QDialog& dialog, const QString& name) {
    if (QWidget* widget = Find<QWidget>(dialog, name)) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    Settle();
}

void DesktopUser::ClickItem(QDialog& dialog, const QString& name, int row, bool twice) {
    auto* list = Find<QListWidget>(dialog, name);
    if (!list) {
        return;
    }
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    Settle();
}

void DesktopUser::ClickOpenListItem(QDialog& dialog, const QString& name, int row) {
    auto* dropDown = Find<QComboBox>(dialog, name);
    if (!dropDown || !dropDown->view()->isVisible()) {
        ADD_FAILURE() << "the list of " << name.toStdString() << " is not open";
        return;
    }
    QAbstractItemView* view = dropDown->view();
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    Settle();
}

QString DesktopUser::Text(QDialog& dialog, const QString& name) {
    QWidget* widget = Find<QWidget>(dialog, name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* dropDown = qobject_cast<QComboBox*>(widget)) {
        return dropDown->currentText();
    }
    return {};
}

bool DesktopUser::Shown(QDialog& dialog, const QString& name) {
    QWidget* widget = Find<QWidget>(dialog, name);
    return widget && widget->isVisibleTo(&dialog);
}

QString DesktopUser::Focus(QDialog& dialog) {
    QWidget* focus = dialog.focusWidget();
    return focus && focus != &dialog ? focus->objectName() : QString();
}

void DesktopUser::Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}
