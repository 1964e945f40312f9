#include "model/model_env.h"

#include "shell/settings_file.h"

ModelEnv::ModelEnv(const std::string& catalogue)
{
    TempDir::WriteFile(m_dir.file("setting.ini"),
        "[setup]\nchannel=16\n\n[ModelInfo]\n" + catalogue);
    TempDir::WriteFile(m_dir.file("english.lang"),
        "[String]\nIDS_OFF=Off\nIDS_YES=Yes\nIDS_NO=No\nIDS_WIDE=Wide\nIDS_NARROW=Narrow\n"
        "IDS_LOW=Low\nIDS_HIGH=High\n");
    SetSettingsFile(m_dir.file("setting.ini"));
    SetLanguageFile(m_dir.file("english.lang"));
}

ModelEnv::~ModelEnv()
{
    SetSettingsFile({});
    SetLanguageFile({});
}
