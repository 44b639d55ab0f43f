// The committee's side of the robot and what it learns of the uploaders:
// the background check, the address behind a trusted web server, and a
// full disk.
#include <sys/mount.h>

#include "tests/robot/robot_fixture.h"

namespace robot_test {
namespace {

TEST_F(Robot, TheCheckRunsInTheBackgroundAndReplacesTheResultsWhole) {
    Start();
    ASSERT_EQ(Upload(Example("yu-dx-example.log"))->status, 201);
    ASSERT_EQ(Upload(Example("yu-entrant.log"))->status, 201);
    EXPECT_EQ(Body(Client().Get("/api/check", Committee()))["state"], "idle");
    for (int run = 0; run < 2; ++run) {
        const httplib::Result started = Client().Post("/api/check", Committee(), "", "text/plain");
        ASSERT_TRUE(started);
        EXPECT_EQ(started->status, 202);
        nlohmann::json state;
        for (int i = 0; i < 3000; ++i) {
            state = Body(Client().Get("/api/check", Committee()));
            if (state["state"] != "running") {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_EQ(state["state"], "done") << state.dump();
        EXPECT_TRUE(state["finished"].is_string());
        const nlohmann::json results =
            nlohmann::json::parse(Slurp(dir() + "/results/results.json"), nullptr, false);
        ASSERT_TRUE(results.is_object()) << "no whole results.json";
        EXPECT_EQ(results["logs"].size(), 2u);
        EXPECT_TRUE(fs::exists(dir() + "/results/ubn/DL6EXA.txt"));
        EXPECT_TRUE(fs::exists(dir() + "/results/site/index.html")) << "no site to publish";
    }
    // The new results took the old ones' place: no folder is left beside.
    for (const std::string& name : FilesIn(dir())) {
        EXPECT_EQ(name.find("results."), std::string::npos) << name;
    }
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
}

TEST_F(Robot, TakesTheAddressFromTheWebServerOnlyWhenTrusted) {
    for (const bool trusted : {false, true}) {
        Start(trusted ? std::vector<std::string>{"--trust-proxy"} : std::vector<std::string>{});
        httplib::Client c = Client();
        c.set_default_headers({{"X-Forwarded-For", "198.51.100.7, 203.0.113.9"}});
        ASSERT_EQ(c.Post("/api/logs", "not a log", "text/plain")->status, 422);
        const nlohmann::json review = Body(Client().Get("/api/review", Committee()));
        EXPECT_EQ(review["review"].back()["address"], trusted ? "203.0.113.9" : "127.0.0.1");
        Stop(SIGTERM);
    }
}

TEST_F(Robot, TheFormKeepsTheEmailForTheCommitteeAlone) {
    Start();
    httplib::MultipartFormDataItems form = {
        {"log", EntrantLog("YU1EXA"), "my.log", "application/octet-stream"},
        {"email", "op@example.org", "", ""}};
    const httplib::Result r = Client().Post("/upload", form);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 201);
    EXPECT_NE(r->body.find("id=\"receipt\""), std::string::npos);
    httplib::MultipartFormDataItems again = {
        {"log", EntrantLog("YU1EXA") + "\n", "my.log", "text/plain"},
        {"email", "other@example.org", "", ""}};
    EXPECT_EQ(Client().Post("/upload", again)->status, 201);
    const nlohmann::json review = Body(Client().Get("/api/review", Committee()));
    ASSERT_EQ(review["review"].size(), 1u);
    EXPECT_EQ(review["review"][0]["email"], "other@example.org");
    EXPECT_EQ(review["review"][0]["earlier_email"], "op@example.org");
    EXPECT_EQ(Client().Get("/logs")->body.find("example.org"), std::string::npos);
    EXPECT_EQ(Client().Get("/api/logs")->body.find("example.org"), std::string::npos);
    const httplib::Result refused = Client().Post(
        "/upload", httplib::MultipartFormDataItems{{"log", "\x01\x02", "x.log", "text/plain"}});
    EXPECT_EQ(refused->status, 422);
    EXPECT_NE(refused->body.find("id=\"error\""), std::string::npos);
}

// The robot's folder on a small file system of its own, filled up.
class FullDisk : public Robot {
  protected:
    void SetUp() override {
        Robot::SetUp();
        fs::create_directories(dir());
        if (::mount("robot-test", dir().c_str(), "tmpfs", 0, "size=2m") != 0) {
            GTEST_SKIP() << "no tmpfs can be mounted here (needs root)";
        }
        mounted_ = true;
    }
    void TearDown() override {
        Stop(SIGTERM);
        if (mounted_) {
            ::umount(dir().c_str());
        }
        Robot::TearDown();
    }

  private:
    bool mounted_ = false;
};

TEST_F(FullDisk, StoresNothingHalfAndSaysTheDiskIsFull) {
    Start();
    const std::string first = EntrantLog("YU1EXA");
    const httplib::Result r1 = Upload(first);
    ASSERT_EQ(r1->status, 201);
    // All but a few kilobytes taken.
    {
        std::ofstream filler(dir() + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) {
        }
    }
    fs::resize_file(dir() + "/filler", fs::file_size(dir() + "/filler") - 8192);
    for (const char* call : {"YU2EXA", "YU1EXA"}) {
        const httplib::Result full = Upload(EntrantLog(call) + "\n");
        ASSERT_TRUE(full);
        EXPECT_EQ(full->status, 507) << full->body;
        EXPECT_NE(Body(full)["error"].get<std::string>().find("disk is full"), std::string::npos);
    }
    EXPECT_EQ(FilesIn(dir() + "/logs"), std::vector<std::string>{"YU1EXA.log"});
    EXPECT_EQ(Slurp(dir() + "/logs/YU1EXA.log"), first);
    EXPECT_EQ(FilesIn(dir() + "/history"), std::vector<std::string>{Body(r1)["receipt"]});
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
    fs::remove(dir() + "/filler");
    EXPECT_EQ(Upload(EntrantLog("YU2EXA"))->status, 201);
}

}  // namespace
}  // namespace robot_test
