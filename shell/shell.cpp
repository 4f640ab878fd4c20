#include "shell.h"

#include "student_form/studentwindow.h"

#include <QApplication>

namespace shell {

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmora"));
}

Shell::Shell() : m_main(std::make_unique<student_form::StudentWindow>()) {}

Shell::~Shell() = default;

void Shell::start()
{
    m_main->show();
}

} // namespace shell
