#include "shell.h"

#include "aboutwindow.h"

#include "student_form/studentwindow.h"
#include "surface/qt/runtime.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QWindow>

namespace shell {

namespace {

// Gives the program its icon once the main window is first on the screen, then goes away.
// Decoding the icon loads an image plugin; done any earlier, it can hold back the window's
// first appearance by several milliseconds.
class IconWhenShown : public QObject
{
public:
    explicit IconWhenShown(QWindow *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            // After this first frame is drawn and sent, not in the middle of it.
            QTimer::singleShot(0, qApp, [] {
                QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessaly.ico")));
            });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pelmora.Tessaly"));
}

Shell::Shell()
    : m_main(std::make_unique<student_form::StudentWindow>()),
      m_runtime(std::make_unique<surface::qt::QtRuntime>(m_main.get()))
{
    m_commands = std::make_unique<MenuCommands>(*m_runtime, [this]() -> surface::Window & {
        m_about = std::make_unique<AboutWindow>();
        return m_about->surfaceWindow();
    });

    using surface::qt::runEvent;
    QObject::connect(m_main->exitAction(), &QAction::triggered, m_main.get(),
                     [this] { runEvent([this] { m_commands->mnuExit_Click(); }); });
    QObject::connect(m_main->aboutAction(), &QAction::triggered, m_main.get(),
                     [this] { runEvent([this] { m_commands->mnuAbout_Click(); }); });
}

Shell::~Shell() = default;

void Shell::start()
{
    m_main->show();
    new IconWhenShown(m_main->windowHandle());
}

} // namespace shell
