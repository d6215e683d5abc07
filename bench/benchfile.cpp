// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchfile.h"

namespace BenchFile {

QByteArray ini(qsizetype bytes)
{
    QByteArray text;
    text.reserve(bytes + 128);
    for (int i = 0; text.size() < bytes; ++i) {
        if (i % 25 == 0)
            text += "[Section" + QByteArray::number(i / 25) + "]\r\n";
        else if (i % 25 == 1)
            text += "; settings of backup set " + QByteArray::number(i) + " follow here\r\n";
        else if (i % 25 == 24)
            text += "\r\n";
        else
            text += "entry_" + QByteArray::number(i) + " = value " + QByteArray::number(i * 7)
                + ", retry 12" + ", 12.5, \"text\"\r\n";
    }
    return text;
}

QByteArray singleLine(qsizetype bytes)
{
    QByteArray text = "key = ";
    text.reserve(bytes);
    while (text.size() + 6 <= bytes)
        text += "value ";
    text += QByteArray(bytes - text.size(), 'v');
    return text;
}

} // namespace BenchFile
