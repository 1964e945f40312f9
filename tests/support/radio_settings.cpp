#include "support/radio_settings.h"

#include "support/temp_dir.h"

#include <sstream>

void WriteRadioSettings(const std::string& ini, const std::map<std::string, std::string>& setup,
    const std::string& modelInfo, const std::map<int, std::string>& ports, const std::string& absentDir)
{
    std::ostringstream text;
    text << "[setup]\n";
    for (const auto& [k, v] : setup)
        text << k << "=" << v << "\n";
    if (!modelInfo.empty())
        text << "\n[ModelInfo]\n" << modelInfo;
    text << "\n[ports]\n";
    for (int n = 1; n <= 255; ++n) {
        const auto it = ports.find(n);
        text << "COM" << n << "="
             << (it != ports.end() ? it->second : absentDir + "/absent" + std::to_string(n)) << "\n";
    }
    TempDir::WriteFile(ini, text.str());
}
