// Byte-level helpers shared by the tests and the fuzz target (which cannot
// link the GoogleTest-based support).
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Splits text at CR LF; a trailing CR LF gives no empty last element.
std::vector<std::string> SplitCrLf(const std::string& text);

// The bytes with control characters and bytes above 126 shown as \xNN, for
// failure messages.
std::string Visible(const std::string& bytes);

// A whole file's bytes, or "<missing>" when it cannot be opened.
std::string ReadFileBytes(const std::string& path);

// Creates or truncates the file and writes the bytes.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace testing_support
