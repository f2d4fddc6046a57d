// SPDX-License-Identifier: MIT
#include "backends/desktop/desktop_backend.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "backends/desktop/dialog_window.h"
#include "framework/dialog.h"
#include "framework/end_signals.h"
#include "framework/native_input.h"
#include "framework/win_app.h"

namespace {

PixelScale g_scale;

// The display went away: every open dialog ends as Cancel without Qt.
bool g_displayLost = false;
// Noted by a thread of Qt's own, for the loops to see.
std::atomic<bool> g_displayLostElsewhere = false;

// How many of the backend's modal loops are running, one inside the other.
int g_loops = 0;

struct DisplayLostUnwind {};

// Nobody will answer a dialog: the display went away, or SIGHUP, SIGTERM or
// SIGINT asked the program to end. Every dialog then ends as Cancel, so that
// the form writes its settings as at any Cancel.
bool NobodyAnswers() {
    if (g_displayLostElsewhere) {
        g_displayLost = true;
    }
    return g_displayLost || EndSignals::Received() != 0;
}

// When the X server or the Wayland compositor goes away, Qt's platform
// plugin warns and then ends the program from inside its event processing;
// exit's clean-up talks to the dead server and can wait forever on Qt's
// threads. The warning is the program's last word: it unwinds out of Qt's
// event processing to the innermost of the backend's loops, which ends its
// dialog as Cancel, and so does every loop below it, so that the form closes
// and keeps its settings as at any Cancel. Where the warning comes from a
// thread of Qt's own (Wayland reads its events on one), that thread wakes the
// loops and waits there for the end, so that Qt cannot end the program first;
// should the loops not come round (Qt's main thread waiting on this very
// thread), it ends the program after a while rather than hang.
QtMessageHandler g_qtMessages = nullptr;

bool SaysDisplayLost(const QString& message) {
    return message.startsWith(QLatin1String("The X11 connection broke")) ||
           message.startsWith(QLatin1String("The Wayland connection broke")) ||
           message.startsWith(QLatin1String("The Wayland connection experienced a fatal error"));
}

void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    g_qtMessages(type, context, message);
    if (!SaysDisplayLost(message)) {
        return;
    }
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        g_displayLostElsewhere = true;
        if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(app->thread())) {
            loop->wakeUp();
        }
        std::this_thread::sleep_for(std::chrono::seconds(10));
        std::_Exit(1);
    }
    g_displayLost = true;
    if (g_loops == 0) {
        std::_Exit(1);  // no dialog open, nothing to keep
    }
    throw DisplayLostUnwind{};
}

// Handles Qt's events until done() or until nobody answers. The
// modal loops are the backend's own rather than QEventLoop::exec or
// QDialog::exec, so that nothing of Qt's waits on the stack when the display
// goes away.
void HandleEventsUntil(const std::function<bool()>& done) {
    ++g_loops;
    while (!done() && !NobodyAnswers()) {
        try {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        } catch (const DisplayLostUnwind&) {
            // g_displayLost says it; the loops end without Qt.
        }
    }
    --g_loops;
}

QRect FreeScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

}  // namespace

DesktopBackend::DesktopBackend(int& argc, char** argv) {
    // Qt's own event dispatcher rather than GLib's, so that the loss of the
    // display unwinds through C++ only.
    qputenv("QT_NO_GLIB", "1");
    // Before Qt's start, which takes a while: a signal during it ends the
    // first dialog at once.
    EndSignals::Install();
    m_app = std::make_unique<QApplication>(argc, argv);
    g_qtMessages = qInstallMessageHandler(OnQtMessage);
    // The program ends when its form does, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    g_scale = ScaleForSystemFont();
    QAccessible::installFactory(RadioButtonsAsRadioButtons);
    // The handler makes the pipe readable, which wakes the loop that waits
    // for events; the loop then sees the signal and ends its dialog. Once is
    // enough: the byte stays, and the notifier would fire again and again.
    if (const int wakeUp = EndSignals::WakeUpDescriptor(); wakeUp >= 0) {
        m_endSignal = std::make_unique<QSocketNotifier>(wakeUp, QSocketNotifier::Read);
        QObject::connect(m_endSignal.get(), &QSocketNotifier::activated,
                         [this] { m_endSignal->setEnabled(false); });
    }
}

DesktopBackend::~DesktopBackend() = default;

bool DesktopBackend::DisplayLost() const {
    return g_displayLost;
}

int DesktopBackend::ScreenWidth() const {
    return static_cast<int>(FreeScreenArea().width() / g_scale.x);
}

int DesktopBackend::ScreenHeight() const {
    return static_cast<int>(FreeScreenArea().height() / g_scale.y);
}

void DesktopBackend::RunModal(CDialog& dialog) {
    Window& window = *dialog.m_hWnd;
    if (!NobodyAnswers()) {
        QWidget* owner = m_open.empty() ? nullptr : m_open.back();
        auto shown =
            std::make_unique<DialogWindow>(window, g_scale, owner, [this] { AfterInput(); });
        m_open.push_back(shown.get());
        shown->Sync(true);
        shown->show();
        shown->raise();
        shown->activateWindow();
        HandleEventsUntil([&dialog] { return dialog.ModalEnded(); });
        m_open.pop_back();
        if (g_displayLost) {
            // Its widgets would talk to a server that is gone: left alone.
            static_cast<void>(shown.release());
        } else {
            shown->hide();
            // The keyboard goes back to the dialog below, also without a
            // window manager.
            if (!m_open.empty()) {
                m_open.back()->activateWindow();
            }
        }
    }
    NativeInput::EndUnanswered(dialog);
}

void DesktopBackend::ShowMessageBox(const wchar_t* text) {
    if (NobodyAnswers()) {
        return;
    }
    const CWinApp* app = AfxGetApp();
    const QString title = app ? QString::fromStdWString(app->GetTitle()) : QString();
    QWidget* owner = m_open.empty() ? nullptr : m_open.back();
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title,
                                             QString::fromWCharArray(text), QMessageBox::Ok, owner);
    box->setObjectName(QStringLiteral("message-box"));
    box->setWindowModality(Qt::ApplicationModal);
    bool closed = false;
    QObject::connect(box.get(), &QDialog::finished, [&closed] { closed = true; });
    box->show();
    HandleEventsUntil([&closed] { return closed; });
    if (g_displayLost) {
        static_cast<void>(box.release());
    } else if (owner) {
        // The keyboard goes back to the dialog, also without a window manager,
        // where the refused field waits with its text marked.
        owner->activateWindow();
    }
}

void DesktopBackend::AfterInput() {
    if (g_displayLost) {
        return;
    }
    for (DialogWindow* open : m_open) {
        open->Sync(open == m_open.back());
    }
}
