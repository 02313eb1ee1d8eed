#pragma once
#include <string>
#include <vector>

// One start of the program: decides the mode from the arguments (the program path left out),
// creates that mode's window, runs the message loop until the window closes and returns the
// exit code. An error that escapes start-up is shown with the standard error display.
int RunQuorvel(const std::vector<std::string>& Arguments);

// Begins, on the machine's own services, the work of the mode's window that needs no window
// system: the saver's processor clock measurement, whose half second of sleep then passes while
// the window system opens and the window is built. Called by the program before RunQuorvel.
void StartEarlyWork(const std::vector<std::string>& Arguments);

// Points the saver window's settings at the program's settings store, as every start does.
void ConnectSettings();
