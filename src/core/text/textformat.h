// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How a document's text is stored on disk, so that a save writes it back the way it came.
// Line terminators are not recorded here: they stay in the text itself.
enum class TextEncoding { Utf8, Windows1252, Utf16Le, Utf16Be };

// The names an encoding is stored under, in the temporary document and in recovery copies.
struct EncodingName
{
    TextEncoding encoding;
    const char *stored; // lower case, as the IANA registry spells it
    const char *shown;
};
inline constexpr EncodingName kEncodingNames[] = {
    { TextEncoding::Utf8, "utf-8", "UTF-8" },
    { TextEncoding::Windows1252, "windows-1252", "Windows-1252" },
    { TextEncoding::Utf16Le, "utf-16le", "UTF-16LE" },
    { TextEncoding::Utf16Be, "utf-16be", "UTF-16BE" },
};

inline const EncodingName &nameOf(TextEncoding encoding)
{
    for (const EncodingName &known : kEncodingNames) {
        if (known.encoding == encoding)
            return known;
    }
    return kEncodingNames[0];
}

struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;

    bool operator==(const TextFormat &) const = default;
};
