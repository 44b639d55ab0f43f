// The robot under load and when it is killed: fifty uploads at once, and
// kill -9 in the middle of uploads followed by a restart.
#include <atomic>
#include <mutex>
#include <set>

#include "tests/robot/robot_fixture.h"

namespace robot_test {
namespace {

// The n-th of many distinct valid calls: DA0AA, DA1AB, ...
std::string Call(int n) {
    return std::string("DA") + static_cast<char>('0' + n % 10) +
           static_cast<char>('A' + n / 26 % 26) + static_cast<char>('A' + n % 26);
}

TEST_F(Robot, FiftyUploadsAtOnce) {
    Start();
    const int kUploads = 50;
    std::vector<std::string> receipts(kUploads);
    std::vector<int> statuses(kUploads, 0);
    std::vector<std::thread> clients;
    for (int i = 0; i < kUploads; ++i) {
        clients.emplace_back([&, i] {
            const httplib::Result r = Upload(EntrantLog(Call(i)));
            statuses[i] = r ? r->status : -static_cast<int>(r.error());
            receipts[i] = r ? Body(r).value("receipt", "") : "";
        });
    }
    for (std::thread& t : clients) {
        t.join();
    }
    for (int i = 0; i < kUploads; ++i) {
        EXPECT_EQ(statuses[i], 201) << Call(i);
        EXPECT_EQ(Slurp(dir() + "/history/" + receipts[i]), EntrantLog(Call(i))) << Call(i);
        EXPECT_EQ(Slurp(dir() + "/logs/" + Call(i) + ".log"), EntrantLog(Call(i))) << Call(i);
        const httplib::Result page = Client().Get("/receipt/" + receipts[i]);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200);
        EXPECT_NE(page->body.find(Call(i)), std::string::npos);
    }
    EXPECT_EQ(FilesIn(dir() + "/logs").size(), static_cast<size_t>(kUploads));
    EXPECT_EQ(Body(Client().Get("/api/logs"))["logs"].size(), static_cast<size_t>(kUploads));
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
}

TEST_F(Robot, KillNineDuringUploadsLosesNoReceipt) {
    Start();
    const int kUploads = 24;
    std::mutex mutex;
    std::map<std::string, std::string> given;  // receipt -> the bytes sent
    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < kUploads; ++i) {
        clients.emplace_back([&, i] {
            const std::string log = EntrantLog(Call(i));
            const httplib::Result r = Upload(log);
            if (r && r->status == 201) {
                std::lock_guard<std::mutex> lock(mutex);
                given[Body(r)["receipt"]] = log;
            }
            ++answered;
        });
    }
    while (answered < kUploads / 3) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Stop(SIGKILL);
    for (std::thread& t : clients) {
        t.join();
    }
    ASSERT_FALSE(given.empty());
    ASSERT_LT(given.size(), static_cast<size_t>(kUploads)) << "the kill came after the last upload";
    Start();
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
    std::set<std::string> current;
    const nlohmann::json received = Body(Client().Get("/api/logs"));
    for (const nlohmann::json& l : received["logs"]) {
        current.insert(l["call"].get<std::string>() + ".log");
    }
    const std::vector<std::string> logs = FilesIn(dir() + "/logs");
    EXPECT_EQ(std::set<std::string>(logs.begin(), logs.end()), current);
    for (const auto& [receipt, log] : given) {
        EXPECT_EQ(Slurp(dir() + "/history/" + receipt), log) << receipt;
        const httplib::Result page = Client().Get("/receipt/" + receipt);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200) << receipt;
    }
    // Every file in logs/ is the bytes of an upload in history/.
    for (const std::string& name : logs) {
        bool found = false;
        for (const std::string& h : FilesIn(dir() + "/history")) {
            found = found || Slurp(dir() + "/history/" + h) == Slurp(dir() + "/logs/" + name);
        }
        EXPECT_TRUE(found) << name;
    }
}

}  // namespace
}  // namespace robot_test
