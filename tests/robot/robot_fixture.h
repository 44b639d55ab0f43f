// stats-host serve run as a process for the tests: a fresh folder, a free
// port on loopback, the library's own client, and logs made from the
// bundled examples.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace robot_test {

namespace fs = std::filesystem;

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string Example(const std::string& name) {
    return Slurp(std::string(STATS_EXAMPLES_DIR) + "/" + name);
}

inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// A log of the small example under another own call.
inline std::string EntrantLog(const std::string& call) {
    return Replaced(Example("yu-entrant.log"), "YU1EXA", call);
}

inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code e;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, e)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
    ::close(s);
    return ntohs(a.sin_port);
}

class Robot : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/stats-robot-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch_ = pattern;
        dir_ = scratch_ + "/contest";
    }
    void TearDown() override {
        Stop(SIGTERM);
        if (!HasFailure()) {
            fs::remove_all(scratch_);
        }
    }

    // Starts the robot with the extra options and waits until it answers.
    void Start(const std::vector<std::string>& extra = {}) {
        port_ = FreePort();
        std::vector<std::string> args = {STATS_HOST_EXE,
                                         "serve",
                                         dir_,
                                         "--listen",
                                         "127.0.0.1:" + std::to_string(port_),
                                         "--cty",
                                         std::string(STATS_HOST_TEST_DATA) + "/cty.dat"};
        args.insert(args.end(), extra.begin(), extra.end());
        const std::string errors = scratch_ + "/stderr-" + std::to_string(++starts_);
        pid_ = ::fork();
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (std::string& a : args) {
                argv.push_back(a.data());
            }
            argv.push_back(nullptr);
            std::freopen(errors.c_str(), "w", stderr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        for (int i = 0; i < 500; ++i) {
            if (Client().Get("/")) {
                errors_ = errors;
                return;
            }
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                FAIL() << "the robot did not start: " << Slurp(errors);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        FAIL() << "the robot did not answer";
    }
    void Stop(int signal) {
        if (pid_ > 0) {
            ::kill(pid_, signal);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

    httplib::Client Client() const {
        httplib::Client c("127.0.0.1", port_);
        c.set_read_timeout(120);
        c.set_connection_timeout(30);
        return c;
    }
    httplib::Result Upload(const std::string& log) const {
        return Client().Post("/api/logs", log, "text/plain");
    }
    std::string Token() const {
        std::string t = Slurp(dir_ + "/committee.token");
        return t.substr(0, 64);
    }
    httplib::Headers Committee() const { return {{"Authorization", "Bearer " + Token()}}; }
    std::string Errors() const { return Slurp(errors_); }

    const std::string& dir() const { return dir_; }
    int port() const { return port_; }

  private:
    std::string scratch_;
    std::string dir_;
    std::string errors_;
    int port_ = 0;
    int starts_ = 0;
    pid_t pid_ = -1;
};

inline nlohmann::json Body(const httplib::Result& r) {
    return r ? nlohmann::json::parse(r->body, nullptr, false) : nlohmann::json();
}

inline bool IsReceipt(const nlohmann::json& v) {
    return v.is_string() && v.get<std::string>().size() == 32 &&
           v.get<std::string>().find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace robot_test
