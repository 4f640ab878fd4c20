// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The main window shown and active, as after start-up, with its controls found by name; any
// window shown and on the screen.

#include "listwidgets.h"
#include "studentwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace testing {

// A widget by path of object names from the window, "cboSchool/edit" for a part.
inline QWidget *widgetAt(QWidget *window, const QString &path)
{
    QObject *found = window;
    for (const QString &name : path.split(QLatin1Char('/')))
        found = found ? found->findChild<QObject *>(name) : nullptr;
    auto *widget = qobject_cast<QWidget *>(found);
    if (!widget)
        qFatal("no widget %s", qPrintable(path));
    return widget;
}

// The object name of the widget with the focus, or "(nothing)".
inline QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(nothing)");
}

// Shows a window; whether it is then on the screen.
inline bool exposed(QWidget &window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// Clicks a row of a list, scrolled into view first, as the user would.
inline void clickRow(QAbstractItemView *view, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->visualRect(index).center());
}

// The texts of a list's rows, top to bottom.
inline QStringList rowTexts(const QAbstractItemView *view)
{
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        texts.append(view->model()->index(row, 0).data().toString());
    return texts;
}

template<class T = QWidget> T *control(QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

struct ShownWindow
{
    ShownWindow()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("window not active");
    }
    QWidget *c(const QString &path) { return widgetAt(&window, path); }
    template<class T> T *c(const QString &path)
    {
        auto *found = qobject_cast<T *>(widgetAt(&window, path));
        if (!found)
            qFatal("%s is no %s", qPrintable(path), T::staticMetaObject.className());
        return found;
    }
    surface::qt::ComboBoxWidget *school()
    {
        return c<surface::qt::ComboBoxWidget>(QStringLiteral("cboSchool"));
    }
    void alt(char letter) { QTest::keyClick(QApplication::focusWidget(), letter, Qt::AltModifier); }

    student_form::StudentWindow window;
};

} // namespace testing
