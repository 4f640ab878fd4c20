// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// Scripts the message boxes for as long as it lives: each box that would be shown is
// recorded and dismissed at once, so handlers run to completion with no modal loop.

#include "messagebox.h"

#include <QString>

#include <vector>

namespace testing {

struct ShownBox
{
    QString title;
    QString prompt;
    friend bool operator==(const ShownBox &, const ShownBox &) = default;
};

class ScriptedBoxes
{
public:
    ScriptedBoxes()
    {
        surface::qt::MessageBox::setScript([this](const QString &title, const QString &prompt) {
            shown.push_back({title, prompt});
        });
    }
    ~ScriptedBoxes() { surface::qt::MessageBox::setScript({}); }
    ScriptedBoxes(const ScriptedBoxes &) = delete;
    ScriptedBoxes &operator=(const ScriptedBoxes &) = delete;

    std::vector<ShownBox> shown;
};

} // namespace testing

inline char *toString(const testing::ShownBox &box)
{
    return qstrdup(qPrintable(QStringLiteral("[%1] %2").arg(box.title, box.prompt)));
}
