// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"

#include <QTest>

// Fails the test with the reason when the Result `result` failed.
#define VERIFY_OK(result)                                                                          \
    do {                                                                                           \
        const auto &verified_ = (result);                                                          \
        QVERIFY2(bool(verified_), qPrintable(verified_.reason()));                                 \
    } while (false)
