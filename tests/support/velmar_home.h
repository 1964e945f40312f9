#pragma once
// A private VELMAR_HOME for one test: a temp folder the variable names while
// the object lives, holding the setting.ini and language files the program
// reads. Going away unsets the variable and forgets the files the program
// was pointed at, so the next test starts clean.

#include "support/temp_dir.h"

#include <string>

class VelmarHome
{
public:
    VelmarHome();
    ~VelmarHome();
    VelmarHome(const VelmarHome&) = delete;
    VelmarHome& operator=(const VelmarHome&) = delete;

    const std::string& path() const { return m_dir.path(); }
    std::string file(const std::string& name) const { return m_dir.file(name); }

    // english.lang as shipped, with extra appended on a line of its own.
    void WriteEnglish(const std::string& extra = {}) const;
    // Writes setting.ini and english.lang (see WriteEnglish) and points the
    // program's settings and language files at them.
    void Install(const std::string& settings, const std::string& extraLanguage = {}) const;

private:
    TempDir m_dir;
};
