#pragma once
// Where the program's own files live, and path helpers.

#include <string>

// The folder of the running executable (from /proc/self/exe), or the value of
// the environment variable VELMAR_HOME when that is set and not empty.
std::string ExecutableDirectory();

// a + "/" + b, without doubling a trailing slash of a.
std::string JoinPath(const std::string& a, const std::string& b);

bool FileExists(const std::string& path);
