// File-system services: path spelling, directory search and whole-file text
// access. Text files are read and written byte for byte: lines end in CR LF
// when written, and a trailing CR is dropped from each line read.
#pragma once

#include <string>
#include <vector>

namespace plat {

// Turns a Windows-style relative or absolute path into this platform's
// spelling ("\" separators become "/" on POSIX; unchanged on Windows).
std::string NativePath(const std::string& path);

// True when a file or folder of that name exists.
bool PathExists(const std::string& path);

// Bare names of the entries matching a pattern such as "C:\Host\*.ini", in
// the order the file system returns them. Empty when the folder is missing.
std::vector<std::string> FindFiles(const std::string& pattern);

// Reads a whole file as lines split at LF, each without its LF and without a
// CR before it. A last line without LF counts. Returns false when the file
// cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Creates or truncates the file and writes the bytes; returns false unless
// every byte reached the file and it was closed cleanly.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Replaces the file's contents so that a failure part-way leaves the old
// contents in place: the bytes go to a temporary file beside it, which then
// takes the file's name. Where no temporary file can be made there, the file
// is written in place. Returns false when the new contents were not stored.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);

// Appends the bytes to the file, creating it when missing; returns false
// unless every byte reached the file and it was closed cleanly.
bool AppendToFile(const std::string& path, const std::string& bytes);

}  // namespace plat
