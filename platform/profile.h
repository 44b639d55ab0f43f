// Private-profile (INI) files: sections and keys compared without regard to
// letter case, values read back whole.
#pragma once

#include <string>

namespace plat {

// Reads key of section in the profile file at path; def when the file, the
// section or the key is missing. Blanks around the value and one pair of
// matching quotes are removed. Values of up to 32,767 characters are read.
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& def);

// Writes key=value into section, replacing an existing key, adding the key
// at the end of its section or the section at the end of the file. The file
// is created when its folder exists. Returns false when nothing was written.
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace plat
