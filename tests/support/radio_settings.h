#pragma once
// Writes a setting.ini for tests that talk to a radio: the [setup] keys, a
// [ModelInfo] section, and [ports] naming a device for each of COM1..COM255 —
// the given ports where listed, otherwise a file in absentDir that does not
// exist, so no test ever opens a real serial port.

#include <map>
#include <string>

// modelInfo is the [ModelInfo] body, one "key=value\n" a line; empty leaves
// the section out.
void WriteRadioSettings(const std::string& ini, const std::map<std::string, std::string>& setup,
    const std::string& modelInfo, const std::map<int, std::string>& ports, const std::string& absentDir);
