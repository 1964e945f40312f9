#include "platform/paths.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string ExecutableDirectory()
{
    if (const char* home = std::getenv("VELMAR_HOME"); home && *home)
        return home;

    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return ".";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            const std::string exe(buffer.data(), static_cast<std::size_t>(n));
            const auto slash = exe.find_last_of('/');
            if (slash == std::string::npos)
                return ".";
            return slash == 0 ? "/" : exe.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string JoinPath(const std::string& a, const std::string& b)
{
    if (a.empty())
        return b;
    if (a.back() == '/')
        return a + b;
    return a + "/" + b;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}
