// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How a document's text is stored on disk, so that a save writes it back the way it came.
// Line terminators are not recorded here: they stay in the text itself.
enum class TextEncoding { Utf8, Windows1252 };

struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;

    bool operator==(const TextFormat &) const = default;
};
