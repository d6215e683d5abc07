// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Start-up: creates and shows the main window, then runs the event loop.
namespace SubMain {
int Main(int argc, char *argv[]);
}
