#pragma once
// A private VELMAR_HOME holding the shipped setting.ini, language files and
// manuals, with the chosen language, no port search, and COM1..COM8 mapped
// to devices that do not exist, so a test never touches a real serial port.

#include "support/temp_dir.h"

#include <string>

class ShippedHome
{
public:
    explicit ShippedHome(const std::string& language);
    ~ShippedHome();
    ShippedHome(const ShippedHome&) = delete;
    ShippedHome& operator=(const ShippedHome&) = delete;

    const std::string& Path() const { return m_dir.path(); }
    // The device COMn is mapped to.
    std::string Device(int n) const;

private:
    TempDir m_dir;
};
