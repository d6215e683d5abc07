// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class form1;

// Files named on the command line or dropped, opened in order as the window is free: one at a
// time while no long work runs, and a compressed file holds back the ones after it until its
// text is shown (or it fails).
class OpenQueue
{
public:
    void add(const QStringList &paths) { m_files += paths; }
    void clear() { m_files.clear(); }
    void openWhileFree(form1 &form);

private:
    QStringList m_files;
};
