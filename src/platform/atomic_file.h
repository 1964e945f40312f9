#pragma once
// Whole-file writes that never leave a truncated file behind: the bytes go to
// a temporary file beside the target, are flushed to disk, then renamed over it.

#include <string>
#include <string_view>

// Returns false on any failure, with a message naming the file and the cause in
// error (when given); the previous file, if any, is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Reads a whole file; false (with a message) when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);
