#include "platform/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Describe(const std::string& what, const std::string& path, int err)
{
    return what + " " + path + ": " + std::strerror(err);
}

void SetError(std::string* error, std::string message)
{
    if (error)
        *error = std::move(message);
}

// A new file gets the usual permissions of a file made by this process.
mode_t CreationMode()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            const unsigned long mask = std::strtoul(line.c_str() + 6, nullptr, 8);
            return static_cast<mode_t>(0666 & ~mask);
        }
    }
    return 0644;
}

// Writing through a symbolic link must replace the file it points to, not the link.
std::string ResolveTarget(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
}

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void SyncFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error)
{
    if (path.empty()) {
        SetError(error, "Cannot write a file without a name");
        return false;
    }
    const std::string target = ResolveTarget(path);

    mode_t mode = CreationMode();
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            SetError(error, Describe("Cannot write", path, EISDIR));
            return false;
        }
        mode = st.st_mode & 07777;
    }

    std::vector<char> name(target.begin(), target.end());
    const std::string suffix = ".tmp-XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        SetError(error, Describe("Cannot write", path, errno));
        return false;
    }
    const std::string temp(name.data());

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        SetError(error, Describe("Cannot write", path, err));
        return false;
    };
    if (!WriteAll(fd, bytes))
        return fail(errno);
    if (::fchmod(fd, mode) != 0)
        return fail(errno);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        SetError(error, Describe("Cannot write", path, err));
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        SetError(error, Describe("Cannot replace", path, err));
        return false;
    }
    SyncFolder(target);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, Describe("Cannot open", path, errno));
        return false;
    }
    std::string result;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            SetError(error, Describe("Cannot read", path, err));
            return false;
        }
        if (n == 0)
            break;
        result.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    bytes = std::move(result);
    return true;
}
