// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "result.h"

#include <QtGlobal>

QString systemError(int error)
{
    return qt_error_string(error);
}
