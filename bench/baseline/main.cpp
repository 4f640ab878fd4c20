// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The yardstick for start-up: the same window written the obvious way with stock Qt widgets.
// A main window of the same client size with the same menus and the same sixteen controls,
// built in code, no resources, no icon, nothing else.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorlant"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Print S&chools"));
    file->addSeparator();
    QObject::connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, &app,
                     &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));

    auto *client = new QWidget;
    client->setFixedSize(346, 245);
    window.setCentralWidget(client);

    auto *grade = new QGroupBox(QStringLiteral("Grade Level"), client);
    grade->setGeometry(16, 16, 105, 121);
    const char *grades[] = {"Fr&eshman", "Sop&homore", "&Junior", "&Senior"};
    for (int i = 0; i < 4; ++i)
        (new QRadioButton(QString::fromLatin1(grades[i]), grade))
            ->setGeometry(8, 24 + 24 * i, 89, 17);
    (new QGroupBox(QStringLiteral("Major"), client))->setGeometry(136, 72, 185, 73);
    (new QGroupBox(QStringLiteral("School"), client))->setGeometry(168, 152, 113, 81);

    (new QLabel(QStringLiteral("&Name"), client))->setGeometry(136, 0, 33, 17);
    (new QLineEdit(client))->setGeometry(176, 0, 129, 19);
    (new QLabel(QStringLiteral("&Units Completed"), client))->setGeometry(176, 40, 81, 17);
    (new QLineEdit(client))->setGeometry(264, 40, 41, 19);

    auto *major = new QListWidget(client);
    major->addItems({QStringLiteral("Accounting"), QStringLiteral("Business"),
                     QStringLiteral("Computer Information Systems"), QStringLiteral("Marketing")});
    major->setGeometry(144, 88, 169, 43);

    (new QCheckBox(QStringLiteral("&Deans List"), client))->setGeometry(24, 152, 97, 17);

    auto *school = new QComboBox(client);
    school->setEditable(true);
    school->addItems({QStringLiteral("Franklin"), QStringLiteral("Highland"),
                      QStringLiteral("Midtown"), QStringLiteral("West Highland")});
    school->setCurrentIndex(-1);
    school->setGeometry(176, 168, 97, 51);

    (new QPushButton(QStringLiteral("&Print"), client))->setGeometry(16, 192, 49, 25);
    (new QPushButton(QStringLiteral("&OK"), client))->setGeometry(80, 192, 49, 25);

    window.show();
    return QApplication::exec();
}
