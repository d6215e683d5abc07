// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rtf/rtfreader.h"

#include <QByteArray>
#include <QList>
#include <array>

// The colours of the line kinds, in one place: the temporary document's colour table and the
// editors' own colours are both made from it. Indexed by LineColour; DefaultColour (0) is the
// editor's default colour and has no entry of its own.
namespace Palette {

struct Rgb
{
    unsigned char red, green, blue;
};

inline constexpr std::array<Rgb, 3> kLineColours = { {
    { 5, 0, 215 }, // SectionColour: blue
    { 18, 158, 67 }, // CommentColour: green
    { 197, 168, 33 }, // KeyColour: gold
} };

// "{\colortbl ;\red5\green0\blue215;...}", the default colour first as an empty entry.
QByteArray rtfColourTable();
// The same table as an RTF reader reads it, for editors given no document of their own.
QList<RtfColour> colourTable();

} // namespace Palette
