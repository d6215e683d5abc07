#pragma once

// Start-up: creates and shows the main window, then runs the event loop.
namespace SubMain {
int Main(int argc, char *argv[]);
}
