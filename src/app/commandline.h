// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

// What Morvane's command line means, worked out before the window exists: a program started
// wrongly, or where no window can be shown, should say so in one line and end.
namespace CommandLine {

void describe(QCommandLineParser &parser);

// Whether the arguments ask only for --help or --version, which need no display.
bool asksOnlyForText(const QStringList &arguments);

// Parses the arguments, those of the toolkit already taken out. A mistake fails with the line
// to print; a name that starts with "-" is taken for options, so the line tells how to name
// such a file.
Result<> parse(QCommandLineParser &parser, const QStringList &arguments);

// Fails with why no window could be shown, found before the toolkit starts (its own failure
// aborts the program with a page of advice); succeeds when there is a display to try.
Result<> displayToTry(const QStringList &arguments);
// The files a command line that parsed names, by the bytes they were given in (the arguments
// Qt decodes lose a name that is not UTF-8), made absolute against the working folder.
// Qt's own options are gone from argv once the application has taken them.
QStringList filesNamed(int argc, const char *const *argv);

} // namespace CommandLine
