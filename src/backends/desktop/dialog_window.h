// SPDX-License-Identifier: MIT
// One open dialog of the window tree as a real Qt dialog: a native widget per
// control at the control's rectangle, and above the controls the title bar's
// help and OK buttons, which a desktop title bar cannot carry. Sync shows
// the windows' state; the user's keys and clicks become the shared user
// input operations, never direct changes to the widgets.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "backends/desktop/control_widgets.h"
#include "framework/wnd.h"

class QToolButton;

// Framework pixels (2 per dialog unit) to the screen's logical pixels, so
// that the system font fits the dialog units as it does on the device: a
// dialog unit is a quarter of the font's average character width across and
// an eighth of its height down.
struct PixelScale {
    double x = 1.0;
    double y = 1.0;
    int titleButtons = 0;  // the height of the strip that holds the title-bar buttons
};
PixelScale ScaleForSystemFont();

class DialogWindow : public QDialog {
public:
    // afterInput runs after every user input this dialog has handed on.
    DialogWindow(Window& dialog, const PixelScale& scale, QWidget* owner,
                 std::function<void()> afterInput);
    ~DialogWindow() override;

    Window& Dialog() const { return m_dialog; }
    // Mirrors the window tree into the widgets; the dialog in front also
    // gets the keyboard focus where the framework has it.
    void Sync(bool inFront);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Esc and Enter are the framework's keys; Qt must not end the dialog itself.
    void reject() override {}

private:
    struct Control : ControlWidget {
        Window* window = nullptr;
    };

    void CreateControl(Window& window);
    void SyncControl(const Control& control);
    void SyncOrder();
    void SyncFocus();
    QRect Place(const RECT& rect) const;
    const Control* ControlOf(const QObject* object) const;
    const Control* ControlOfWindow(const Window* window) const;
    void FinishClosingLists();
    bool HandleKeyEvent(const Control* control, QKeyEvent& event);
    bool HandleMouseEvent(const Control& control, QMouseEvent& event);
    void Handled();

    Window& m_dialog;
    PixelScale m_scale;
    std::function<void()> m_afterInput;
    std::vector<Control> m_controls;
    std::vector<Window*> m_order;  // the z-order shown last
    QToolButton* m_helpButton = nullptr;
    QToolButton* m_okButton = nullptr;
    RECT m_placed{};
    HICON m_icon = nullptr;
    bool m_topmost = false;
    Qt::FocusReason m_focusReason = Qt::TabFocusReason;
};
