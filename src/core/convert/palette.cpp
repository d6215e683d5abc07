// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "palette.h"

namespace Palette {

QByteArray rtfColourTable()
{
    QByteArray table = "{\\colortbl ;";
    for (const Rgb &colour : kLineColours) {
        table += "\\red" + QByteArray::number(colour.red) + "\\green"
            + QByteArray::number(colour.green) + "\\blue" + QByteArray::number(colour.blue) + ';';
    }
    return table + '}';
}

QList<RtfColour> colourTable()
{
    QList<RtfColour> table { RtfColour {} };
    for (const Rgb &colour : kLineColours)
        table.append({ false, colour.red, colour.green, colour.blue });
    return table;
}

} // namespace Palette
