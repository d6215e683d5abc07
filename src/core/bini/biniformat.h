// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"
#include "system/workprogress.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The compressed INI format and its text form.
//
// All integers are little-endian. A file starts with "BINI", a u32 version (1) and the u32
// offset of the string table. Sections follow from byte 12 up to the table: u16 name offset,
// u16 entry count, entries. An entry is a u16 name offset, a u8 value count and the values; a
// value is a u8 type (1 int32, 2 float32, 3 string) and 4 payload bytes, a string's being its
// u32 offset. The table holds NUL-terminated strings; offsets count from its start.
class BiniFormat
{
public:
    // The first bytes of a file that tell a compressed file: the magic and a version this
    // format reads. A plain INI file may well start with the letters of the magic.
    static constexpr qsizetype signatureSize = 8;
    static bool hasReadableSignature(QByteArrayView head);

    // Never more text than this from one file, whatever its offsets repeat.
    static constexpr qsizetype maxTextSize = qsizetype(256) << 20;

    // The text form of a compressed file. The sections read are told to `progress`, as `share`
    // of its work.
    static Result<QByteArray> decode(QByteArrayView file,
                                     WorkProgress &progress = WorkProgress::unwatched(),
                                     double share = 1);
    // The compressed form of a text.
    static Result<QByteArray> pack(QByteArrayView text);
    // The shortest text that reads back as the same float.
    static QByteArray formatFloat(float value);
};
