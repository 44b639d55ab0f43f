// The robot through its HTTP API, with the library's own client: uploads
// accepted, unchanged, replaced and refused, the limits on a request's
// body, the committee's token, and the folder made right at start.
#include <sys/stat.h>

#include "tests/robot/robot_fixture.h"

namespace robot_test {
namespace {

TEST_F(Robot, AcceptsUnchangedReplacesAndMakesAnEarlierUploadCurrentAgain) {
    Start();
    const std::string first = Example("yu-dx-example.log");
    const httplib::Result r1 = Upload(first);
    ASSERT_TRUE(r1);
    ASSERT_EQ(r1->status, 201) << r1->body;
    const nlohmann::json a1 = Body(r1);
    EXPECT_TRUE(IsReceipt(a1["receipt"]));
    EXPECT_EQ(a1["call"], "DL6EXA");
    EXPECT_EQ(a1["category"], "G");  // single-op, all bands, mixed, high power
    EXPECT_EQ(a1["claimed_score"], 1599936);
    EXPECT_EQ(a1["qsos"], 2196);
    EXPECT_TRUE(a1["replaces"].is_null());
    // The problems carry the log's own line numbers: line 23 is a YU
    // station's QSO without a county.
    bool line23 = false;
    for (const nlohmann::json& p : a1["problems"]) {
        line23 = line23 || (p["line"] == 23 && p["kind"] == "no county");
    }
    EXPECT_TRUE(line23) << a1["problems"].dump();
    EXPECT_EQ(Slurp(dir() + "/logs/DL6EXA.log"), first);
    EXPECT_EQ(Slurp(dir() + "/history/" + a1["receipt"].get<std::string>()), first);

    // The same bytes again: the first receipt, nothing stored twice.
    const httplib::Result same = Upload(first);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->status, 200);
    EXPECT_EQ(Body(same)["unchanged"], true);
    EXPECT_EQ(Body(same)["receipt"], a1["receipt"]);
    EXPECT_EQ(FilesIn(dir() + "/history").size(), 1u);

    // A new log of the call replaces it; both stay in history/.
    const std::string second = Replaced(first, "CATEGORY-POWER: HIGH", "CATEGORY-POWER: LOW");
    const httplib::Result r2 = Client().Post("/api/logs", second, "application/octet-stream");
    ASSERT_TRUE(r2);
    ASSERT_EQ(r2->status, 201) << r2->body;
    const nlohmann::json a2 = Body(r2);
    EXPECT_EQ(a2["category"], "F");
    EXPECT_EQ(a2["replaces"], a1["receipt"]);
    EXPECT_EQ(FilesIn(dir() + "/logs"), std::vector<std::string>{"DL6EXA.log"});
    EXPECT_EQ(Slurp(dir() + "/logs/DL6EXA.log"), second);
    EXPECT_EQ(FilesIn(dir() + "/history").size(), 2u);

    // The first bytes once more: current again under a new receipt.
    const nlohmann::json a3 = Body(Upload(first));
    EXPECT_TRUE(IsReceipt(a3["receipt"]));
    EXPECT_NE(a3["receipt"], a1["receipt"]);
    EXPECT_EQ(a3["replaces"], a2["receipt"]);
    EXPECT_EQ(Slurp(dir() + "/logs/DL6EXA.log"), first);

    // The committee puts the second upload back; the review list holds the
    // replacements with both uploads' addresses.
    const httplib::Result back =
        Client().Post("/api/current", Committee(),
                      nlohmann::json({{"receipt", a2["receipt"]}}).dump(), "application/json");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->status, 200) << back->body;
    EXPECT_EQ(Slurp(dir() + "/logs/DL6EXA.log"), second);
    const nlohmann::json review = Body(Client().Get("/api/review", Committee()));
    std::vector<std::string> kinds;
    for (const nlohmann::json& e : review["review"]) {
        kinds.push_back(e["kind"]);
        if (e["kind"] == "replaced") {
            EXPECT_EQ(e["address"], "127.0.0.1");
            EXPECT_EQ(e["earlier_address"], "127.0.0.1");
        }
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"replaced", "replaced", "made-current"}));

    // Logs received: the current log, no receipt.
    const nlohmann::json logs = Body(Client().Get("/api/logs"));
    ASSERT_EQ(logs["logs"].size(), 1u);
    EXPECT_EQ(logs["logs"][0]["call"], "DL6EXA");
    EXPECT_EQ(logs["logs"][0]["bytes"], second.size());
    EXPECT_EQ(logs["logs"][0].count("receipt"), 0u);
    EXPECT_EQ(Body(Client().Post("/api/current", Committee(), R"({"receipt": "00"})",
                                 "application/json"))["error"],
              "no upload has that receipt");
}

TEST_F(Robot, RefusesWhatCannotBeScoredAndStoresNothing) {
    Start();
    const std::string example = EntrantLog("YU1EXA");
    const struct {
        const char* what;
        std::string log;
        const char* error;
    } cases[] = {
        {"binary", std::string("\x00\x01\x02\x03 garbage", 12), "neither a Cabrillo log"},
        {"UTF-16", std::string("\xff\xfeS\0T\0A\0", 8), "UTF-16"},
        {"no call", "START-OF-LOG: 3.0\nQSO: 14000 CW 2026-02-14 1200\nEND-OF-LOG:\n", "call"},
        {"no QSO line", "START-OF-LOG: 3.0\nCALLSIGN: DL1AA\nEND-OF-LOG:\n", "no QSO"},
        {"no QSO in a period",
         Replaced(Replaced(example, "2026-02-14", "2026-02-11"), "2026-02-15", "2026-02-12"),
         "no QSO lies in a contest period"},
        {"another contest", Replaced(example, "CONTEST: DI-VE-RI", "CONTEST: CQ-WW-CW"),
         "another contest (CONTEST: CQ-WW-CW)"},
        {"own call breaks the call rule", EntrantLog("QRZ"), "own call QRZ cannot be a call"},
    };
    for (const auto& c : cases) {
        const httplib::Result r = Upload(c.log);
        ASSERT_TRUE(r) << c.what;
        EXPECT_EQ(r->status, 422) << c.what << ": " << r->body;
        const std::string error = Body(r).value("error", "");
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(error.find(dir()), std::string::npos) << "a path of the server: " << error;
    }
    EXPECT_TRUE(FilesIn(dir() + "/logs").empty());
    EXPECT_TRUE(FilesIn(dir() + "/history").empty());
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
    EXPECT_EQ(Body(Client().Get("/api/review", Committee()))["review"].size(), std::size(cases));
}

// A request written by hand on a socket, for what the client will not send.
std::string Raw(int port, const std::string& request) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(s);
        return "";
    }
    ::send(s, request.data(), request.size(), MSG_NOSIGNAL);
    std::string answer;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(s, buffer, sizeof buffer, 0)) > 0;) {
        answer.append(buffer, static_cast<size_t>(n));
        if (answer.find("\r\n\r\n") != std::string::npos) {
            break;
        }
    }
    ::close(s);
    return answer.substr(0, answer.find("\r\n"));
}

TEST_F(Robot, AnswersFromTheHeadersBeforeTheBody) {
    Start({"--max-log-bytes", "10000"});
    const httplib::Result big = Upload(Example("yu-dx-example.log"));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->status, 413);
    // Told before the body is sent: the request's head alone gets the
    // answer, for a plain upload and for one that waits for 100 Continue.
    const std::string head = "POST /api/logs HTTP/1.1\r\nHost: x\r\nContent-Length: 20000\r\n";
    EXPECT_EQ(Raw(port(), head + "\r\n"), "HTTP/1.1 413 Payload Too Large");
    EXPECT_EQ(Raw(port(), head + "Expect: 100-continue\r\n\r\n"), "HTTP/1.1 413 Payload Too Large");
    EXPECT_EQ(Raw(port(),
                  "POST /api/logs HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n"
                  "\r\n5\r\nhello\r\n0\r\n\r\n"),
              "HTTP/1.1 411 Length Required");
    EXPECT_EQ(Raw(port(),
                  "POST /upload HTTP/1.1\r\nHost: x\r\nContent-Length: 900000\r\n"
                  "Expect: 100-continue\r\n\r\n"),
              "HTTP/1.1 413 Payload Too Large");
    EXPECT_EQ(Upload(EntrantLog("YU1EXA"))->status, 201);
    EXPECT_EQ(Client().Get("/../robot.sqlite")->status, 404);
    EXPECT_EQ(Client().Get("/history")->status, 404);
    const httplib::Result page = Client().Get("/");
    EXPECT_EQ(page->get_header_value("Content-Security-Policy").find("default-src 'none'"), 0u);
}

TEST_F(Robot, TheCommitteesRoutesNeedItsToken) {
    Start();
    struct stat st {};
    ASSERT_EQ(::stat((dir() + "/committee.token").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(Slurp(dir() + "/committee.token").size(), 65u);
    const std::string wrong = Token().substr(0, 63) + (Token()[63] == '0' ? "1" : "0");
    for (const char* path : {"/api/review", "/api/check"}) {
        EXPECT_EQ(Client().Get(path)->status, 401) << path;
        EXPECT_EQ(Client().Get(path, {{"Authorization", "Bearer " + wrong}})->status, 401) << path;
        EXPECT_EQ(Client().Get(path, {{"Authorization", Token()}})->status, 401) << path;
        EXPECT_EQ(Client().Get(path, Committee())->status, 200) << path;
    }
    EXPECT_EQ(Client().Post("/api/check", "", "text/plain")->status, 401);
    EXPECT_EQ(Client().Post("/api/current", R"({"receipt": "x"})", "application/json")->status,
              401);
    // A restart keeps the token and says nothing of it.
    const std::string token = Token();
    Stop(SIGTERM);
    Start();
    EXPECT_EQ(Token(), token);
    EXPECT_EQ(Errors().find("token"), std::string::npos);
}

TEST_F(Robot, AStartPutsLogsRightFromTheDatabase) {
    Start();
    const std::string log = EntrantLog("YU1EXA");
    ASSERT_EQ(Upload(log)->status, 201);
    Stop(SIGTERM);
    std::ofstream(dir() + "/logs/STRAY.log") << "not an upload";
    fs::remove(dir() + "/logs/YU1EXA.log");
    std::ofstream(dir() + "/history/0123") << "no receipt";
    std::ofstream(dir() + "/tmp/half-written") << "QSO:";
    Start();
    EXPECT_EQ(FilesIn(dir() + "/logs"), std::vector<std::string>{"YU1EXA.log"});
    EXPECT_EQ(Slurp(dir() + "/logs/YU1EXA.log"), log);
    EXPECT_EQ(FilesIn(dir() + "/history").size(), 1u);
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
    EXPECT_NE(Errors().find("STRAY.log"), std::string::npos) << Errors();
}

TEST_F(Robot, AWorkerThatFailsCostsOnlyItsUpload) {
    Start({"--plugin", "/bin/true", "--max-uploads-per-hour", "2"});
    const httplib::Result r = Upload(EntrantLog("YU1EXA"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 500);
    EXPECT_EQ(Client().Get("/")->status, 200);
    EXPECT_TRUE(FilesIn(dir() + "/history").empty());
    EXPECT_TRUE(FilesIn(dir() + "/tmp").empty());
    EXPECT_EQ(Upload(EntrantLog("YU1EXA"))->status, 500);
    EXPECT_EQ(Upload(EntrantLog("YU1EXA"))->status, 429);
}

}  // namespace
}  // namespace robot_test
