// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// Generated INI files of a given size for the benchmarks: sections, comments, key/value lines
// and blank lines in a fixed rhythm, CR LF terminated, about 48 bytes a line.
namespace BenchFile {

QByteArray ini(qsizetype bytes);
// One line of `bytes` bytes without a terminator: "key = value value value ...".
QByteArray singleLine(qsizetype bytes);

} // namespace BenchFile
