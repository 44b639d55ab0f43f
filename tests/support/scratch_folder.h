// A fresh folder under /tmp, with its "Plugins" folder, made the current
// directory for one test; the earlier directory is restored when it ends.
// Header-only, so the unit tests can use it without the plug-in loader.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace testing_support {

class ScratchFolder {
  public:
    // False when the folder could not be made or entered.
    bool Enter(const char* prefix = "stats-test") {
        char buffer[4096];
        previous_ = getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
        std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            return false;
        }
        dir_ = pattern;
        return chdir(dir_.c_str()) == 0 && mkdir("Plugins", 0755) == 0;
    }
    // Back to the earlier directory; the folder is removed unless kept (for
    // a failed test's evidence). False when either step failed.
    bool Leave(bool keep = false) {
        bool ok = chdir(previous_.c_str()) == 0;
        if (!dir_.empty() && !keep) {
            ok = std::system(("rm -rf '" + dir_ + "'").c_str()) == 0 && ok;
        }
        dir_.clear();
        return ok;
    }
    const std::string& dir() const { return dir_; }

  private:
    std::string dir_;
    std::string previous_;
};

}  // namespace testing_support
