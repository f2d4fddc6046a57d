// SPDX-License-Identifier: MIT
#include "backends/desktop/control_widgets.h"

#include <QAccessibleWidget>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "framework/accessible_name.h"
#include "framework/dialog.h"
#include "framework/native_input.h"
#include "framework/user_input.h"

QString ToQt(const std::wstring& text) {
    return QString::fromStdWString(text);
}

namespace {

using Handled = std::function<void()>;

// A list's entries become the window's, left alone when they already are,
// so that its current entry and scrolling stay.
template <class List>
void ShowItems(List* list, const Window& window) {
    QStringList items;
    for (const auto& item : window.items) {
        items << ToQt(item);
    }
    const QAbstractItemModel* model = list->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        shown << model->index(row, 0).data().toString();
    }
    if (shown != items) {
        list->clear();
        list->addItems(items);
    }
}

// The mouse and the keys reach a button through the dialog window's event
// filter, so Qt's own click comes only from elsewhere: a screen reader's
// press action.
void ClickThroughFramework(QAbstractButton* button, Window& window, const Handled& handled) {
    QObject::connect(button, &QAbstractButton::clicked, button, [&window, handled] {
        UserInput::Click(window);
        handled();
    });
}

// --- Static: a label of plain text.

ControlWidget CreateLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return {label, nullptr, [](QWidget* widget, const Window& window, const ControlContext&) {
                auto* shown = static_cast<QLabel*>(widget);
                // A label of several lines' height wraps its text inside them.
                shown->setWordWrap(window.rect.bottom - window.rect.top >=
                                   2 * shown->fontMetrics().height());
                shown->setText(ToQt(window.text));
            }};
}

// --- Edit: the text the user types goes to the framework as it changes. A
// paste (Ctrl+V, Shift+Insert, the context menu, the middle button's
// selection) is offered to the dialog first, which may take it whole: a
// pasted position fills every field of the form.

class Field : public QLineEdit {
public:
    Field(QWidget* parent, std::function<bool(const QString&)> offer)
        : QLineEdit(parent), m_offer(std::move(offer)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) {
            Paste(QClipboard::Clipboard);
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        const std::unique_ptr<QMenu> menu(createStandardContextMenu());
        // The menu's Paste is the action wired to QLineEdit::paste (by name:
        // Qt wires it that way).
        for (QAction* action : menu->actions()) {
            if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))) {
                connect(action, &QAction::triggered, this,
                        [this] { Paste(QClipboard::Clipboard); });
            }
        }
        menu->exec(event->globalPos());
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
            !isReadOnly() && m_offer(clipboard->text(QClipboard::Selection))) {
            return;
        }
        QLineEdit::mouseReleaseEvent(event);
    }

private:
    void Paste(QClipboard::Mode mode) {
        if (!isReadOnly() && !m_offer(QGuiApplication::clipboard()->text(mode))) {
            paste();
        }
    }

    std::function<bool(const QString&)> m_offer;
};

ControlWidget CreateField(Window& window, QWidget* parent, const Handled& handled) {
    auto* edit = new Field(parent, [&window, handled](const QString& text) {
        const bool taken = UserInput::OfferPaste(window, text.toStdWString());
        if (taken) {
            handled();
        }
        return taken;
    });
    QObject::connect(edit, &QLineEdit::textEdited, edit, [&window, handled](const QString& text) {
        UserInput::SetText(window, text.toStdWString());
        handled();
    });
    return {edit, nullptr, [](QWidget* widget, const Window& window, const ControlContext&) {
                auto* edit = static_cast<QLineEdit*>(widget);
                if (const QString text = ToQt(window.text); edit->text() != text) {
                    edit->setText(text);
                }
            }};
}

// --- PushButton: the dialog's default button is shown as such.

ControlWidget CreateButton(Window& window, QWidget* parent, const Handled& handled) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    ClickThroughFramework(button, window, handled);
    return {button, nullptr,
            [](QWidget* widget, const Window& window, const ControlContext& context) {
                auto* button = static_cast<QPushButton*>(widget);
                button->setText(ToQt(window.text));
                button->setDefault(&window == DefaultButton(context.dialog));
            }};
}

// --- RadioButton: the framework checks it, not Qt's exclusive group.

ControlWidget CreateRadio(Window& window, QWidget* parent, const Handled& handled) {
    auto* radio = new QRadioButton(parent);
    radio->setAutoExclusive(false);
    ClickThroughFramework(radio, window, handled);
    return {radio, nullptr, [](QWidget* widget, const Window& window, const ControlContext&) {
                auto* radio = static_cast<QRadioButton*>(widget);
                radio->setText(ToQt(window.text));
                radio->setChecked(window.check == BST_CHECKED);
            }};
}

// Qt offers a radio button that the framework checks (not Qt's own
// exclusive group) as a check box; a screen reader then says "check box" and
// not that the arrows choose within a group.
class RadioButtonAccessible : public QAccessibleWidget {
public:
    explicit RadioButtonAccessible(QRadioButton* radio)
        : QAccessibleWidget(radio, QAccessible::RadioButton) {}

    QString text(QAccessible::Text kind) const override {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? Radio()->text() : text;
    }
    QAccessible::State state() const override {
        QAccessible::State shown = QAccessibleWidget::state();
        shown.checkable = true;
        shown.checked = Radio()->isChecked();
        return shown;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            Radio()->click();
        }
    }

private:
    QRadioButton* Radio() const { return static_cast<QRadioButton*>(widget()); }
};

// --- ComboBox: a drop-down list that tells when its list closes. Qt closes
// it on a pick, on Esc and on a click elsewhere, and picks after or before
// closing depending on mouse or keyboard; the close-up therefore goes to the
// framework once Qt is done, with the item picked if there was one: when the
// event loop comes back, or earlier when input typed ahead arrives first.

class DropDown : public QComboBox {
public:
    explicit DropDown(QWidget* parent) : QComboBox(parent) {
        connect(this, &QComboBox::activated, this, [this](int index) { m_picked = index; });
    }

    std::function<void(int picked)> onClosed;
    bool Closing() const { return m_closing; }

    void HideBySync() {
        m_syncing = true;
        hidePopup();
        m_syncing = false;
    }

    void hidePopup() override {
        QComboBox::hidePopup();
        if (m_syncing || m_closing) {
            return;
        }
        m_closing = true;
        m_picked = -1;
        QMetaObject::invokeMethod(
            this, [this] { FinishClosing(); }, Qt::QueuedConnection);
    }

    void FinishClosing() {
        if (!m_closing) {
            return;
        }
        m_closing = false;
        if (onClosed) {
            onClosed(m_picked);
        }
    }

private:
    int m_picked = -1;
    bool m_closing = false;
    bool m_syncing = false;
};

void SyncDropDown(QWidget* widget, const Window& window, const ControlContext& context) {
    auto* dropDown = static_cast<DropDown*>(widget);
    // A drop-down list reads its entry as its name; its label comes
    // through the label's buddy.
    if (auto* label = qobject_cast<QLabel*>(context.widgetOf(AccessibleLabel(window)))) {
        label->setBuddy(dropDown);
    }
    ShowItems(dropDown, window);
    dropDown->setCurrentIndex(window.selection);
    const bool open = dropDown->view()->isVisible();
    if (window.dropped && !open && !dropDown->Closing() && window.visible) {
        dropDown->showPopup();
    } else if (!window.dropped && open) {
        dropDown->HideBySync();
    }
}

ControlWidget CreateDropDown(Window& window, QWidget* parent, const Handled& handled) {
    auto* dropDown = new DropDown(parent);
    dropDown->onClosed = [&window, handled](int picked) {
        NativeInput::ListClosed(window, picked);
        handled();
    };
    ControlWidget made{dropDown, nullptr, SyncDropDown};
    made.swallowsWheel = true;
    return made;
}

// --- ListBox: the mouse lands on its viewport, which tells the entry.

void SyncList(QWidget* widget, const Window& window, const ControlContext&) {
    auto* list = static_cast<QListWidget*>(widget);
    ShowItems(list, window);
    if (list->currentRow() != window.selection) {
        list->setCurrentRow(window.selection);
    }
    if (window.selection < 0) {
        list->clearSelection();
    } else {
        list->scrollToItem(list->item(window.selection));
    }
}

ControlWidget CreateList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->viewport()->setFocusPolicy(Qt::NoFocus);
    return {list, list->viewport(), SyncList};
}

}  // namespace

ControlWidget CreateControlWidget(Window& control, QWidget* parent, const Handled& handled) {
    switch (control.kind) {
        case WindowKind::Static:
            return CreateLabel(parent);
        case WindowKind::Edit:
            return CreateField(control, parent, handled);
        case WindowKind::PushButton:
            return CreateButton(control, parent, handled);
        case WindowKind::RadioButton:
            return CreateRadio(control, parent, handled);
        case WindowKind::ComboBox:
            return CreateDropDown(control, parent, handled);
        case WindowKind::ListBox:
            return CreateList(parent);
        case WindowKind::Dialog:
            break;
    }
    return {};
}

bool EditsNatively(const Window& control) {
    return control.kind == WindowKind::Edit;
}

int ItemAt(QWidget* widget, const QPoint& point) {
    auto* list = qobject_cast<QListWidget*>(widget);
    return list ? list->indexAt(point).row() : -1;
}

void FinishClosing(QWidget* widget) {
    if (auto* dropDown = dynamic_cast<DropDown*>(widget)) {
        dropDown->FinishClosing();
    }
}

bool ListIsOpen(const QWidget* widget) {
    auto* dropDown = dynamic_cast<const DropDown*>(widget);
    return dropDown && dropDown->view()->isVisible();
}

QAccessibleInterface* RadioButtonsAsRadioButtons(const QString& className, QObject* object) {
    auto* radio =
        className == QLatin1String("QRadioButton") ? qobject_cast<QRadioButton*>(object) : nullptr;
    return radio ? new RadioButtonAccessible(radio) : nullptr;
}
