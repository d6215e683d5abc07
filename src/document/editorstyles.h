// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor's style numbers for a document's colour indices. The editor reserves styles 32 to
// 39 for its own use (line numbers, brace matching and the like), so colour indices from 32 on
// step over them.
namespace EditorStyles {

constexpr int kFirstReserved = 32, kReservedCount = 8;

constexpr char forColour(char colour)
{
    const int index = static_cast<unsigned char>(colour);
    return char(index < kFirstReserved ? index : index + kReservedCount);
}

constexpr int colourOf(int style)
{
    return style < kFirstReserved ? style : style - kReservedCount;
}

} // namespace EditorStyles
