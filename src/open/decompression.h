// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class form1;
class HiddenProcess;

// Compressed INI files are expanded by the program folder's own decompressor, started hidden
// in the file's folder; the pick-up timer then converts its output and shows it under the
// compressed file's name.
void StartDecompression(form1 &form, const QString &path);

// The pick-up timer's notification: waits while the decompressor runs (up to a limit), then
// shows its output or tells the user why there is none.
void PickUpDecompressedFile(form1 &form);

// The user gave up waiting: the decompressor is stopped, nothing it wrote is kept, and the files
// named after this one open.
void CancelDecompression(form1 &form);

// Ends a decompression under way, as the window goes: the decompressor is stopped before its
// folder is removed, so that nothing it writes comes after the removal.
void StopDecompression(form1 &form);

QString DecompressorPath();
// Why the decompressor gave no text, in its own words where it said any. `output` is the file
// it was told to write, `compressed` the user's file it was given.
QString DecompressorFailure(const HiddenProcess &decompressor, bool wroteText,
                            const QString &output, const QString &compressed);

constexpr int DecompressionPickUpInterval = 1000; // milliseconds
constexpr int DecompressionTimeoutSeconds = 30;
