// SPDX-License-Identifier: MIT
// Each control kind as a Qt widget: how the widget is made and wired to the
// framework's user input, and how it shows the control's state. A new
// control kind is added here; the dialog window only places the widgets and
// routes the keys and the mouse.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "framework/wnd.h"

class QAccessibleInterface;
class QObject;
class QPoint;
class QWidget;

QString ToQt(const std::wstring& text);

// What the window tells a control's widget: the dialog it is on, and the
// widget of another control of it (nullptr for none).
struct ControlContext {
    const Window& dialog;
    std::function<QWidget*(const Window*)> widgetOf;
};

struct ControlWidget {
    QWidget* widget = nullptr;
    QWidget* mouseTarget = nullptr;  // where the mouse events land (a list's viewport)
    // Shows the control's own state (text, check, items, selection, an open
    // list) in the widget; what all kinds share, the window shows.
    void (*sync)(QWidget* widget, const Window& control, const ControlContext& context) = nullptr;
    // A wheel over a drop-down list would change it without a close-up.
    bool swallowsWheel = false;
};

// Makes the widget of a control on parent; the user's input reaches the
// framework through the shared user input operations, after each of which
// handled runs. No widget for a dialog.
ControlWidget CreateControlWidget(Window& control, QWidget* parent,
                                  const std::function<void()>& handled);

// Whether the widget takes the keys and the mouse natively once it has the
// focus (an edit field: caret, marking, clipboard, input methods).
bool EditsNatively(const Window& control);

// The entry of a list under a point of its viewport; -1 for none and for
// any other kind.
int ItemAt(QWidget* widget, const QPoint& point);

// Tells the framework now of a drop-down list that Qt has closed, if it has
// not yet been told: input that follows the close must not overtake it.
void FinishClosing(QWidget* widget);

// Whether the open list of the widget has the keyboard.
bool ListIsOpen(const QWidget* widget);

// An accessibility factory (QAccessible::installFactory) that offers the
// dialogs' radio buttons to a screen reader as radio buttons.
QAccessibleInterface* RadioButtonsAsRadioButtons(const QString& className, QObject* object);
