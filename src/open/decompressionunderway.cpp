// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decompressionunderway.h"

#include "app/form1.h"
#include "decompressionprogress.h"
#include "system/hiddenprocess.h"

DecompressionUnderWay::DecompressionUnderWay(form1 &form)
    : process(new HiddenProcess(&form)), progress(new DecompressionProgress(form))
{
}
