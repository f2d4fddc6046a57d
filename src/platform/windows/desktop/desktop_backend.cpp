#include "platform/windows/desktop/desktop_backend.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QScreen>
#include <cstdlib>

#include "platform/dialog.h"
#include "platform/user_input.h"
#include "platform/win_app.h"
#include "platform/windows/desktop/dialog_window.h"

namespace {

PixelScale g_scale;

// When the X server goes away Qt warns and then calls exit(), whose clean-up
// can wait forever on Qt's own threads. The program ends at the warning
// instead, as on a hang-up: the settings file keeps what it held, since it is
// written only when the form closes properly.
QtMessageHandler g_qtMessages = nullptr;

void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    g_qtMessages(type, context, message);
    if (message.startsWith(QLatin1String("The X11 connection broke"))) {
        std::_Exit(1);
    }
}

QRect FreeScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

}  // namespace

DesktopBackend::DesktopBackend(int& argc, char** argv)
    : m_app(std::make_unique<QApplication>(argc, argv)) {
    g_qtMessages = qInstallMessageHandler(OnQtMessage);
    // The program ends when its form does, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    g_scale = ScaleForSystemFont();
}

DesktopBackend::~DesktopBackend() = default;

int DesktopBackend::ScreenWidth() const {
    return static_cast<int>(FreeScreenArea().width() / g_scale.x);
}

int DesktopBackend::ScreenHeight() const {
    return static_cast<int>(FreeScreenArea().height() / g_scale.y);
}

void DesktopBackend::RunModal(CDialog& dialog) {
    Window& window = *dialog.m_hWnd;
    QWidget* owner = m_open.empty() ? nullptr : m_open.back();
    DialogWindow shown(window, g_scale, owner, [this] { AfterInput(); });
    QEventLoop loop;
    shown.SetLoop(&loop);
    m_open.push_back(&shown);
    shown.Sync(true);
    shown.show();
    shown.raise();
    shown.activateWindow();
    while (!dialog.ModalEnded()) {
        loop.exec();
        if (!dialog.ModalEnded()) {
            // Qt left the loop without the user (the session ends): as Cancel.
            UserInput::Cancel(window);
        }
    }
    m_open.pop_back();
    shown.hide();
    // The keyboard goes back to the dialog below, also without a window manager.
    if (!m_open.empty()) {
        m_open.back()->activateWindow();
    }
}

void DesktopBackend::ShowMessageBox(const wchar_t* text) {
    const CWinApp* app = AfxGetApp();
    const QString title = app ? QString::fromStdWString(app->GetTitle()) : QString();
    QWidget* owner = m_open.empty() ? nullptr : m_open.back();
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromWCharArray(text), QMessageBox::Ok,
                    owner);
    box.setObjectName(QStringLiteral("message-box"));
    box.exec();
}

void DesktopBackend::AfterInput() {
    for (DialogWindow* open : m_open) {
        open->Sync(open == m_open.back());
        if (open->Dialog().ended) {
            open->StopLoop();
        }
    }
}
