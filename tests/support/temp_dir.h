#pragma once
// A private folder under the system temp directory for one test; removed
// with everything in it when the object goes away.

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // Absolute path of a file inside the folder.
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    // Helpers for writing and reading whole files as bytes.
    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);

private:
    std::string m_path;
};
