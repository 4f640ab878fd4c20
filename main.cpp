#include "shell/lazystyle.h"
#include "shell/shell.h"
#include "shell/startup.h"

#include <QApplication>
#include <optional>

int main(int argc, char *argv[])
{
    // The menus belong in the window, as designed, even on desktops that offer a global menu
    // bar; that also spares the start the bus round trip that looks for one.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    shell::skipFutileBusLaunch(); // before the threads below: it may change the environment
    // On a second core: the font configuration while Qt loads its plugins and connects to the
    // display, then the session bus while the window is built.
    shell::Preload fontConfig(shell::loadFontConfig);
    std::optional<shell::DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    fontConfig.wait();
    shell::Preload sessionBus(shell::connectSessionBus);
    QApplication::setStyle(new shell::LazyStyle(QApplication::style()->name()));
    shell::setProgramIdentity();
    shell::Shell program;
    program.start();
    return QApplication::exec();
}
