// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "submain.h"

int main(int argc, char *argv[])
{
    return SubMain::Main(argc, argv);
}
