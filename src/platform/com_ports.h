#pragma once
// Maps the COM port numbers the rest of the program speaks of to device
// paths. Reads the settings file anew at every call; safe from any thread.

#include <string>

// [ports] COMn of settingsFile when present and not empty, otherwise
// "/dev/ttyUSB{n-1}". Numbers below 1 name no port and give an empty path.
std::string ComPortDevice(int n, const std::string& settingsFile);
