// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "surface.h"

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace surface {

// Runs one window's event procedures, one at a time and each to completion.
//
// An error raised inside a procedure stops it and is handed to the report function, once;
// the program goes on. End() unwinds through here silently. A procedure asked for while
// another of the same window is still running (its message box still up, say) is dropped:
// nothing of it runs, and run() says so by returning false.
class EventRunner
{
public:
    using Report = std::function<void(const QString &description)>;
    explicit EventRunner(Report report) : m_report(std::move(report)) {}

    template<class Procedure> bool run(Procedure &&procedure) noexcept
    {
        if (m_running)
            return false;
        m_running = true; // until the error, if any, has been reported
        try {
            procedure();
        } catch (const ProgramEnded &) {
        } catch (const std::exception &error) {
            try {
                m_report(QString::fromUtf8(error.what()));
            } catch (...) {
                // Nothing is left to tell the user with.
            }
        }
        m_running = false;
        return true;
    }

private:
    Report m_report;
    bool m_running = false;
};

} // namespace surface
