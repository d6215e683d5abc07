// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The compressed format's constants, shared by its reader and its packer only.
namespace BiniWire {

inline constexpr QByteArrayView kMagic = "BINI";
inline constexpr quint32 kVersion = 1;
inline constexpr qsizetype kHeaderSize = 12;
enum ValueType : quint8 { IntValue = 1, FloatValue = 2, StringValue = 3 };

// Appends the `bytes` low bytes of `value`, little-endian.
inline void put(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

} // namespace BiniWire
