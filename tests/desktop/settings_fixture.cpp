#include "settings_fixture.h"

#include "platform/profile.h"
#include "shell/settings_file.h"

#include <cstdlib>
#include <filesystem>

ShippedHome::ShippedHome(const std::string& language)
{
    for (const char* name :
        { "setting.ini", "english.lang", "chinese.lang", "english.html", "chinese.html" }) {
        std::filesystem::copy_file(std::string(VELMAR_RESOURCE_DIR) + "/" + name, m_dir.file(name));
    }
    const std::string ini = m_dir.file("setting.ini");
    WritePrivateProfileString("setup", "language", language, ini);
    WritePrivateProfileString("setup", "searchcom", "0", ini);
    WritePrivateProfileString("setup", "com", "1", ini);
    for (int n = 1; n <= 8; ++n)
        WritePrivateProfileString("ports", "COM" + std::to_string(n), Device(n), ini);
    setenv("VELMAR_HOME", m_dir.path().c_str(), 1);
}

ShippedHome::~ShippedHome()
{
    SetSettingsFile({});
    SetLanguageFile({});
    unsetenv("VELMAR_HOME");
}

std::string ShippedHome::Device(int n) const
{
    return m_dir.file("no-such-port-" + std::to_string(n));
}
