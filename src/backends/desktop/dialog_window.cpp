// SPDX-License-Identifier: MIT
#include "backends/desktop/dialog_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolButton>
#include <cmath>

#include "backends/desktop/control_widgets.h"
#include "framework/accessible_name.h"
#include "framework/dialog_input.h"
#include "framework/native_input.h"
#include "framework/resource.h"
#include "framework/user_input.h"

namespace {

// The dialog's own font is the system font; a font the program names is
// scaled with it, as the dialog units are, so that a larger system font
// grows every control alike.
QFont FontFor(const FontInfo& font, const FontInfo& dialogFont) {
    const QFont system = QApplication::font();
    if (font.face.empty() || font == dialogFont || font.face == L"System") {
        return system;
    }
    QFont shown = font.face == L"Courier" ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                          : QFont(ToQt(font.face));
    if (font.pointSize > 0 && dialogFont.pointSize > 0) {
        const double scale = static_cast<double>(font.pointSize) / dialogFont.pointSize;
        if (system.pointSizeF() > 0) {
            shown.setPointSizeF(system.pointSizeF() * scale);
        } else {
            shown.setPixelSize(static_cast<int>(std::lround(system.pixelSize() * scale)));
        }
    }
    return shown;
}

QIcon IconFor(HICON icon) {
    QIcon shown;
    if (!icon || !icon->svg) {
        return shown;
    }
    QSvgRenderer renderer(QByteArray(icon->svg));
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        shown.addPixmap(pixmap);
    }
    return shown;
}

std::optional<KeyPress> Translate(const QKeyEvent& event) {
    const bool alt = event.modifiers() & Qt::AltModifier;
    switch (event.key()) {
        case Qt::Key_Tab:
            return KeyPress{event.modifiers() & Qt::ShiftModifier ? Key::BackTab : Key::Tab};
        case Qt::Key_Backtab:
            return KeyPress{Key::BackTab};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return KeyPress{Key::Enter};
        case Qt::Key_Escape:
            return KeyPress{Key::Escape};
        case Qt::Key_Left:
            return KeyPress{Key::Left};
        case Qt::Key_Right:
            return KeyPress{Key::Right};
        case Qt::Key_Up:
            return KeyPress{Key::Up};
        case Qt::Key_Down:
            return KeyPress{alt ? Key::AltDown : Key::Down};
        case Qt::Key_Home:
            return KeyPress{Key::Home};
        case Qt::Key_End:
            return KeyPress{Key::End};
        case Qt::Key_PageUp:
            return KeyPress{Key::PageUp};
        case Qt::Key_PageDown:
            return KeyPress{Key::PageDown};
        case Qt::Key_Backspace:
            return KeyPress{Key::Backspace};
        case Qt::Key_Delete:
            return KeyPress{Key::Delete};
        case Qt::Key_F1:
            return KeyPress{Key::F1};
        case Qt::Key_F4:
            return KeyPress{Key::F4};
        case Qt::Key_F10:
            return KeyPress{Key::F10};
        default:
            break;
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].isPrint()) {
        return KeyPress{Key::Char, static_cast<wchar_t>(text[0].unicode())};
    }
    return std::nullopt;
}

}  // namespace

PixelScale ScaleForSystemFont() {
    const QFontMetricsF metrics(QApplication::font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double averageWidth = metrics.horizontalAdvance(alphabet) / alphabet.size();
    PixelScale scale;
    scale.x = averageWidth / 4 / kPixelsPerDialogUnitX;
    scale.y = metrics.height() / 8 / kPixelsPerDialogUnitY;
    scale.titleButtons = static_cast<int>(std::ceil(metrics.height())) + 8;
    return scale;
}

DialogWindow::DialogWindow(Window& dialog, const PixelScale& scale, QWidget* owner,
                           std::function<void()> afterInput)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_dialog(dialog),
      m_scale(scale),
      m_afterInput(std::move(afterInput)) {
    setObjectName(QStringLiteral("dialog-%1").arg(dialog.id));
    setWindowModality(Qt::ApplicationModal);
    setFocusPolicy(Qt::NoFocus);
    installEventFilter(this);
    if (!(dialog.exStyle & (WS_EX_CONTEXTHELP | WS_EX_CAPTIONOKBTN))) {
        m_scale.titleButtons = 0;
    }
    const auto titleButton = [this](const QString& name, const QString& label) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(label);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        return button;
    };
    if (dialog.exStyle & WS_EX_CONTEXTHELP) {
        m_helpButton = titleButton(QStringLiteral("title-help"), QStringLiteral("?"));
        m_helpButton->setToolTip(QStringLiteral("F1"));
        connect(m_helpButton, &QToolButton::clicked, this, [this] {
            UserInput::Help(m_dialog);
            Handled();
        });
    }
    if (dialog.exStyle & WS_EX_CAPTIONOKBTN) {
        m_okButton = titleButton(QStringLiteral("title-ok"), QStringLiteral("OK"));
        m_okButton->setToolTip(QStringLiteral("F10"));
        connect(m_okButton, &QToolButton::clicked, this, [this] {
            UserInput::Ok(m_dialog);
            Handled();
        });
    }
    for (const auto& child : dialog.children) {
        CreateControl(*child);
    }
}

DialogWindow::~DialogWindow() = default;

void DialogWindow::CreateControl(Window& window) {
    ControlWidget made = CreateControlWidget(window, this, [this] { Handled(); });
    if (!made.widget) {
        return;
    }
    made.widget->setObjectName(QString::number(window.id));
    // The framework decides where the focus goes; Qt never moves it itself.
    made.widget->setFocusPolicy(Qt::NoFocus);
    made.widget->installEventFilter(this);
    if (!made.mouseTarget) {
        made.mouseTarget = made.widget;
    } else {
        made.mouseTarget->installEventFilter(this);
    }
    m_controls.push_back(Control{made, &window});
}

QRect DialogWindow::Place(const RECT& rect) const {
    const int left = static_cast<int>(std::lround(rect.left * m_scale.x));
    const int top = static_cast<int>(std::lround(rect.top * m_scale.y));
    const int right = static_cast<int>(std::lround(rect.right * m_scale.x));
    const int bottom = static_cast<int>(std::lround(rect.bottom * m_scale.y));
    return {left, top + m_scale.titleButtons, right - left, bottom - top};
}

void DialogWindow::Sync(bool inFront) {
    setWindowTitle(ToQt(m_dialog.text));
    if (m_dialog.bigIcon != m_icon) {
        m_icon = m_dialog.bigIcon;
        setWindowIcon(IconFor(m_icon));
    }
    if (m_dialog.topmost != m_topmost) {
        m_topmost = m_dialog.topmost;
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, m_topmost);
        if (shown) {
            show();
        }
    }
    // Placed again only when the program moves the dialog, so that where the
    // user has dragged it stays.
    if (!(m_dialog.rect == m_placed)) {
        m_placed = m_dialog.rect;
        const RECT client = {0, 0, m_placed.right - m_placed.left - 2 * kDialogFrameX,
                             m_placed.bottom - m_placed.top - 2 * kDialogFrameY};
        const QRect size = Place(client);
        setFixedSize(size.width(), size.bottom() + 1);
        // Kept on the free area, and where the screen is too small for the
        // dialog, at its top left: the title bar and the first fields stay
        // within reach, and the window manager moves the rest into view.
        const QRect screen = this->screen()->availableGeometry();
        const int left = screen.left() + static_cast<int>(std::lround(m_placed.left * m_scale.x));
        const int top = screen.top() + static_cast<int>(std::lround(m_placed.top * m_scale.y));
        move(std::max(screen.left(), std::min(left, screen.right() + 1 - width())),
             std::max(screen.top(), std::min(top, screen.bottom() + 1 - height())));
        const int side = m_scale.titleButtons;
        int right = width() - 2;
        for (QToolButton* button : {m_okButton, m_helpButton}) {
            if (button) {
                const int buttonWidth = std::max(side, button->sizeHint().width());
                button->setGeometry(right - buttonWidth, 2, buttonWidth, side - 4);
                right -= buttonWidth + 2;
            }
        }
    }
    for (const Control& control : m_controls) {
        SyncControl(control);
    }
    if (m_helpButton) {
        m_helpButton->setAccessibleName(ToQt(AccessibleName(TitleButtonKind::Help)));
    }
    if (m_okButton) {
        m_okButton->setAccessibleName(ToQt(AccessibleName(TitleButtonKind::Ok)));
    }
    SyncOrder();
    if (inFront) {
        SyncFocus();
    }
}

void DialogWindow::SyncControl(const Control& control) {
    const Window& window = *control.window;
    QWidget* widget = control.widget;
    const QFont font = FontFor(window.font, m_dialog.font);
    if (widget->font() != font) {
        widget->setFont(font);
    }
    widget->setGeometry(Place(window.rect));
    widget->setEnabled(window.enabled);
    if (const QString name = ToQt(AccessibleName(window)); widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
    const ControlContext context{m_dialog, [this](const Window* other) {
                                     const Control* found = ControlOfWindow(other);
                                     return found ? found->widget : nullptr;
                                 }};
    control.sync(widget, window, context);
    widget->setVisible(window.visible);
}

// The z-order is the stacking and the tab order of the widgets.
void DialogWindow::SyncOrder() {
    std::vector<Window*> order;
    for (const auto& child : m_dialog.children) {
        order.push_back(child.get());
    }
    if (order == m_order) {
        return;
    }
    m_order = order;
    // Lowered from the front down, so that the first in z-order ends on top.
    QWidget* previous = nullptr;
    for (Window* window : order) {
        for (const Control& control : m_controls) {
            if (control.window == window) {
                control.widget->lower();
                if (previous) {
                    QWidget::setTabOrder(previous, control.widget);
                }
                previous = control.widget;
            }
        }
    }
}

void DialogWindow::SyncFocus() {
    const Control* focused = ControlOfWindow(m_dialog.focus);
    QWidget* target = focused ? focused->widget : this;
    if (ListIsOpen(target)) {
        return;  // the open list has the keyboard
    }
    if (QApplication::focusWidget() != target) {
        target->setFocus(m_focusReason);
    }
    if (auto* field = qobject_cast<QLineEdit*>(target);
        field && NativeInput::TakeMarkRequest(m_dialog)) {
        field->selectAll();
    }
}

const DialogWindow::Control* DialogWindow::ControlOfWindow(const Window* window) const {
    for (const Control& control : m_controls) {
        if (window && control.window == window) {
            return &control;
        }
    }
    return nullptr;
}

const DialogWindow::Control* DialogWindow::ControlOf(const QObject* object) const {
    for (const Control& control : m_controls) {
        if (control.widget == object || control.mouseTarget == object) {
            return &control;
        }
    }
    return nullptr;
}

void DialogWindow::Handled() {
    if (m_afterInput) {
        m_afterInput();
    }
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    const Control* control = ControlOf(watched);
    switch (event->type()) {
        case QEvent::KeyPress:
            return HandleKeyEvent(control, static_cast<QKeyEvent&>(*event));
        case QEvent::KeyRelease:
            // Buttons act on the release of Space natively; here the press did it.
            return !control || !EditsNatively(*control->window);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return control && HandleMouseEvent(*control, static_cast<QMouseEvent&>(*event));
        case QEvent::Wheel:
            return control && control->swallowsWheel;
        default:
            return false;
    }
}

void DialogWindow::FinishClosingLists() {
    for (const Control& control : m_controls) {
        FinishClosing(control.widget);
    }
}

bool DialogWindow::HandleKeyEvent(const Control* control, QKeyEvent& event) {
    // A key typed ahead comes after the pick that closed a list.
    FinishClosingLists();
    const std::optional<KeyPress> press = Translate(event);
    if (NativeInput::FieldKeepsKey(m_dialog, press)) {
        // Typing and the editing keys belong to the field that has the focus;
        // what it leaves reaches the dialog and goes no further.
        return !control || control->window != m_dialog.focus;
    }
    if (press) {
        m_focusReason = Qt::TabFocusReason;
        NativeInput::Key(m_dialog, *press);
        Handled();
    }
    return true;
}

bool DialogWindow::HandleMouseEvent(const Control& control, QMouseEvent& event) {
    Window& window = *control.window;
    const bool edit = EditsNatively(window);
    const bool press =
        event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
    if (!press || event.button() != Qt::LeftButton) {
        // Moving and letting go only mark text in a field.
        return !edit;
    }
    FinishClosingLists();
    m_focusReason = Qt::MouseFocusReason;
    const bool fieldTakesIt =
        NativeInput::Click(m_dialog, window, ItemAt(control.widget, event.position().toPoint()),
                           event.type() == QEvent::MouseButtonDblClick);
    Handled();
    m_focusReason = Qt::TabFocusReason;
    return !fieldTakesIt;
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The window manager's close button is Cancel; the dialog ends when the
    // framework says so.
    event->ignore();
    UserInput::Cancel(m_dialog);
    Handled();
}
