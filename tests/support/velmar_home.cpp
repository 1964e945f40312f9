#include "support/velmar_home.h"

#include "shell/settings_file.h"

#include <cstdlib>

VelmarHome::VelmarHome()
{
    setenv("VELMAR_HOME", m_dir.path().c_str(), 1);
}

VelmarHome::~VelmarHome()
{
    SetSettingsFile({});
    SetLanguageFile({});
    unsetenv("VELMAR_HOME");
}

void VelmarHome::WriteEnglish(const std::string& extra) const
{
    std::string text = TempDir::ReadFile(std::string(VELMAR_RESOURCE_DIR) + "/english.lang");
    if (!extra.empty())
        text += "\n" + extra;
    TempDir::WriteFile(file("english.lang"), text);
}

void VelmarHome::Install(const std::string& settings, const std::string& extraLanguage) const
{
    TempDir::WriteFile(file("setting.ini"), settings);
    WriteEnglish(extraLanguage);
    SetSettingsFile(file("setting.ini"));
    SetLanguageFile(file("english.lang"));
}
