#pragma once
// A private folder for one fuzzing process, made on first use and removed at
// exit, where targets write the files the code under test reads by path.

#include <string>
#include <string_view>

// Absolute path of name inside the process's scratch folder.
std::string FuzzScratchFile(const std::string& name);

// Replaces the file's contents with bytes (plain write: the scratch folder is ours).
void FuzzWriteFile(const std::string& path, std::string_view bytes);
