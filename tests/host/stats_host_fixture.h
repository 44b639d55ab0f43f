// stats-host run as a process by the tests: a scratch folder, the program
// with its standard output and error caught, and a reader of its JSON.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace stats_host_test {

struct HostRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class StatsHost : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/stats-host-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        if (!dir_.empty() && !HasFailure()) {
            std::system(("rm -rf '" + dir_ + "'").c_str());
        }
    }

    // Runs stats-host with the arguments; before is put in front of the
    // program (a change of folder, another user).
    HostRun Host(const std::string& args, const std::string& before = "") {
        const std::string out = dir_ + "/stdout";
        const std::string err = dir_ + "/stderr";
        const std::string command = before + " " + std::string(STATS_HOST_EXE) + " " + args +
                                    " >'" + out + "' 2>'" + err + "'";
        HostRun r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(out);
        r.err = Slurp(err);
        return r;
    }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // The output folder, and the country file shipped with the tests.
    std::string Out() const { return OutDir() + " --cty '" STATS_HOST_TEST_DATA "/cty.dat'"; }
    std::string OutDir() const { return "--out '" + dir_ + "/out'"; }
    const std::string& dir() const { return dir_; }

  private:
    std::string dir_;
};

// A reader of the JSON the host writes, enough to check it: every value by
// its path, such as "bands[1].points" or "problems.dupe".
class JsonReader {
  public:
    explicit JsonReader(const std::string& text) : text_(text) {
        Value("");
        Space();
        ok_ = ok_ && at_ == text_.size();
    }
    bool ok() const { return ok_; }
    std::string operator[](const std::string& path) const {
        auto found = values_.find(path);
        return found == values_.end() ? "(missing)" : found->second;
    }

  private:
    void Space() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) {
            ++at_;
        }
    }
    bool Eat(char c) {
        Space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    std::string String() {
        std::string out;
        if (!Eat('"')) {
            ok_ = false;
            return out;
        }
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) {
                ++at_;
            }
            out += text_[at_++];
        }
        ok_ = ok_ && Eat('"');
        return out;
    }
    void Value(const std::string& path) {
        Space();
        if (!ok_ || at_ >= text_.size()) {
            ok_ = false;
        } else if (Eat('{')) {
            if (!Eat('}')) {
                do {
                    const std::string key = String();
                    ok_ = ok_ && Eat(':');
                    Value(path.empty() ? key : path + "." + key);
                } while (ok_ && Eat(','));
                ok_ = ok_ && Eat('}');
            }
        } else if (Eat('[')) {
            if (!Eat(']')) {
                int i = 0;
                do {
                    Value(path + "[" + std::to_string(i++) + "]");
                } while (ok_ && Eat(','));
                ok_ = ok_ && Eat(']');
            }
        } else if (text_[at_] == '"') {
            values_[path] = String();
        } else {
            const size_t from = at_;
            while (at_ < text_.size() &&
                   std::string(",}] \n").find(text_[at_]) == std::string::npos) {
                ++at_;
            }
            values_[path] = text_.substr(from, at_ - from);
            ok_ = ok_ && at_ > from;
        }
    }

    const std::string& text_;
    size_t at_ = 0;
    bool ok_ = true;
    std::map<std::string, std::string> values_;
};

}  // namespace stats_host_test
