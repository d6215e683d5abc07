// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class DecompressionProgress;
class HiddenProcess;
class form1;

// What a decompression holds besides the pick-up timer and the file whose text it waits for
// (the window's Timer2 and Timer2OpenFile): the decompressor's process and how far it has
// come, where its text goes, how long it has been waited for, and how much the user had done
// in the window when it started. The free procedures of decompression.h run it.
struct DecompressionUnderWay
{
    explicit DecompressionUnderWay(form1 &form);

    HiddenProcess *process;
    DecompressionProgress *progress;
    QString outputFile; // in the private folder
    int ticks = 0; // seconds the pick-up has waited
    quint64 inputMark = 0; // the user's input count at the start
};
