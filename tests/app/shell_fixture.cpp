#include "app/shell_fixture.h"

#include "model/velmar_doc.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"
#include "templates/command_ids.h"

#include <QApplication>


std::string TestLanguage(const std::string& disp, const std::string& menuFile,
    const std::string& extraStrings)
{
    return "[Face]\ndisp=" + disp + "\n\n[String]\nIDS_WINDOWNAME=" + disp + " Window\n"
        "IDS_PROMPT=" + disp + " Prompt\nIDS_WARN_CLEAR=" + disp + " clear?\n"
        "IDS_WARN_LOAD=" + disp + " bad file\nIDS_WARN_SAVE=" + disp + " overwrite?\\n\n"
        "IDS_SAVE_CHANGES=" + disp + " save %s?\nIDS_ERROR_FILEOPEN=" + disp + " cannot open %s\n"
        "IDS_ERROR_FILESAVE=" + disp + " cannot save %s\n"
        "Menu_File=" + menuFile + "\nMenu_File_New=" + disp + " New\\tCtrl+N\n" + extraStrings
        + "\n[Resource]\n1021=" + disp + " range\n";
}

std::string DataFileBytes(unsigned char marker, const std::string& signature)
{
    std::string bytes(48 + 4096, '\xFF');
    const std::string header = signature + " v1.03";
    bytes.replace(0, header.size(), header);
    bytes.replace(header.size(), 48 - header.size(), 48 - header.size(), '\0');
    bytes[48 + 16] = static_cast<char>(marker);
    return bytes;
}

ShellFixture::ShellFixture() = default;

ShellFixture::~ShellFixture()
{
    m_app.reset();
}

void ShellFixture::WriteSettings(const std::string& setupLines)
{
    WriteFile("setting.ini", "[setup]\n" + setupLines + "\n");
}

void ShellFixture::WriteFile(const std::string& name, const std::string& bytes) const
{
    TempDir::WriteFile(m_home.file(name), bytes);
}

bool ShellFixture::Start(const QStringList& arguments)
{
    m_app = std::make_unique<CVelmarApp>();
    m_app->SetCommandLine(arguments);
    return m_app->InitInstance();
}

CMainFrame* ShellFixture::Frame() const
{
    return m_app ? m_app->GetMainFrame() : nullptr;
}

CVelmarDoc* ShellFixture::Doc() const
{
    return m_app ? m_app->GetVelmarDoc() : nullptr;
}
