#include "host/robot/http_routes.h"

#include <httplib.h>

#include "host/robot/committee_check.h"
#include "host/robot/pages.h"
#include "host/robot/robot.h"

namespace host::robot {
namespace {

// Room for the form's fields and boundaries beside the log.
const std::uint64_t kFormOverhead = 64 * 1024;
// The committee's requests carry a receipt at most.
const std::uint64_t kCommitteeBodyBytes = 4096;

const char* const kJson = "application/json; charset=utf-8";
const char* const kHtml = "text/html; charset=utf-8";

// The status a body of this request gets before a byte of it is read: 411
// without a Content-Length (a chunked upload), 413 over the limit, 400 for
// a length that is no number; 0 to read it.
int BodyVerdict(const httplib::Request& req, std::uint64_t limit) {
    if (req.has_header("Transfer-Encoding") || !req.has_header("Content-Length")) {
        return 411;
    }
    const std::string length = req.get_header_value("Content-Length");
    if (length.empty() || length.size() > 18 ||
        length.find_first_not_of("0123456789") != std::string::npos) {
        return 400;
    }
    return std::stoull(length) > limit ? 413 : 0;
}

std::string VerdictText(int status, std::uint64_t limit) {
    switch (status) {
        case 411:
            return "the upload has no Content-Length; send the log whole, not in chunks";
        case 413:
            return "the log is larger than the robot takes (" + std::to_string(limit) + " bytes)";
        default:
            return "the request's Content-Length is not a number";
    }
}

// The limit of the request's body by its route, or 0 for a route that
// takes none.
std::uint64_t BodyLimit(const Robot& robot, const std::string& path) {
    if (path == "/api/logs") {
        return robot.options().maxLogBytes;
    }
    if (path == "/upload") {
        return robot.options().maxLogBytes + kFormOverhead;
    }
    return kCommitteeBodyBytes;
}

std::string Address(const Robot& robot, const httplib::Request& req) {
    if (robot.options().trustProxy && req.has_header("X-Forwarded-For")) {
        // The last entry is the one the web server in front added itself.
        std::string all = req.get_header_value("X-Forwarded-For");
        const size_t comma = all.rfind(',');
        std::string last = comma == std::string::npos ? all : all.substr(comma + 1);
        const size_t first = last.find_first_not_of(' ');
        const size_t end = last.find_last_not_of(' ');
        return first == std::string::npos ? req.remote_addr : last.substr(first, end - first + 1);
    }
    return req.remote_addr;
}

void SendJson(httplib::Response& res, int status, const nlohmann::json& body) {
    res.status = status;
    res.set_content(body.dump(2) + "\n", kJson);
}

void Refuse(httplib::Response& res, int status, const std::string& why, bool page) {
    res.status = status;
    res.set_header("Connection", "close");
    if (page) {
        res.set_content(ProblemPage(status, why), kHtml);
    } else {
        res.set_content(nlohmann::json({{"error", why}}).dump() + "\n", kJson);
    }
}

// Reads the body of a request that passed BodyVerdict, the log alone for a
// form; false when the form holds no log.
bool ReadUpload(const httplib::Request& req, const httplib::ContentReader& reader,
                std::uint64_t limit, std::string& log, std::string& email) {
    if (!req.is_multipart_form_data()) {
        reader([&](const char* data, size_t size) {
            log.append(data, size);
            return log.size() <= limit;
        });
        return true;
    }
    std::string field;
    bool sawLog = false;
    std::string* into = nullptr;
    reader(
        [&](const httplib::MultipartFormData& part) {
            field = part.name;
            into = field == "log" ? &log : field == "email" ? &email : nullptr;
            sawLog = sawLog || field == "log";
            return true;
        },
        [&](const char* data, size_t size) {
            if (into != nullptr) {
                into->append(data, size);
            }
            return log.size() <= limit && email.size() <= 1024;
        });
    return sawLog;
}

void Upload(Robot& robot, const httplib::Request& req, httplib::Response& res,
            const httplib::ContentReader& reader, bool form) {
    const std::uint64_t limit = BodyLimit(robot, req.path);
    if (const int verdict = BodyVerdict(req, limit)) {
        Refuse(res, verdict, VerdictText(verdict, robot.options().maxLogBytes), form);
        return;
    }
    std::string log;
    std::string email;
    if (!ReadUpload(req, reader, robot.options().maxLogBytes, log, email)) {
        Refuse(res, 422, "the form holds no log", form);
        return;
    }
    if (log.size() > robot.options().maxLogBytes) {
        Refuse(res, 413, VerdictText(413, robot.options().maxLogBytes), form);
        return;
    }
    if (log.empty()) {
        Refuse(res, 422, "the log is empty", form);
        return;
    }
    while (!email.empty() &&
           (email.back() == '\r' || email.back() == '\n' || email.back() == ' ')) {
        email.pop_back();
    }
    const Answer a = robot.Upload(log, Address(robot, req), email);
    if (!form) {
        SendJson(res, a.status, a.body);
    } else if (a.status == 200 || a.status == 201) {
        const std::optional<Submission> s = robot.Receipt(a.body.value("receipt", std::string()));
        res.status = a.status;
        res.set_content(ReceiptPage(a.body, s ? s->page : std::string()), kHtml);
    } else {
        res.status = a.status;
        res.set_content(ProblemPage(a.status, a.body.value("error", std::string())), kHtml);
    }
}

// The committee's routes answer 401 before they read a byte of the body.
bool Committee(Robot& robot, const httplib::Request& req, httplib::Response& res) {
    if (robot.IsCommittee(req.get_header_value("Authorization"))) {
        return true;
    }
    res.set_header("WWW-Authenticate", "Bearer");
    Refuse(res, 401, "this needs the committee's token", false);
    return false;
}

}  // namespace

void AddRoutes(httplib::Server& server, Robot& robot, CommitteeCheck& check) {
    server.set_default_headers({
        {"Content-Security-Policy",
         "default-src 'none'; style-src 'unsafe-inline'; img-src data:; form-action 'self'; "
         "frame-ancestors 'none'; base-uri 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Referrer-Policy", "no-referrer"},
        {"Cache-Control", "no-store"},
    });
    server.set_payload_max_length(robot.options().maxLogBytes + kFormOverhead);
    // An upload too large or without a length is answered before its body
    // is asked for.
    server.set_expect_100_continue_handler(
        [&robot](const httplib::Request& req, httplib::Response& res) {
            const int verdict = BodyVerdict(req, BodyLimit(robot, req.path));
            if (verdict == 0) {
                return 100;
            }
            Refuse(res, verdict, VerdictText(verdict, robot.options().maxLogBytes),
                   req.path == "/upload");
            return verdict;
        });
    server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) {
            res.set_content(res.status == 404 ? "not found\n" : "refused\n",
                            "text/plain; charset=utf-8");
        }
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
            res.status = 500;
            res.set_content(nlohmann::json({{"error", "the robot failed on this request"}}).dump(),
                            kJson);
        });

    server.Get("/", [&robot](const httplib::Request&, httplib::Response& res) {
        res.set_content(FormPage(robot.options().maxLogBytes), kHtml);
    });
    server.Get("/logs", [&robot](const httplib::Request&, httplib::Response& res) {
        res.set_content(LogsPage(robot.LogsReceived()), kHtml);
    });
    server.Get("/api/logs", [&robot](const httplib::Request&, httplib::Response& res) {
        SendJson(res, 200, robot.LogsReceived());
    });
    server.Get("/receipt/([0-9a-f]{32})",
               [&robot](const httplib::Request& req, httplib::Response& res) {
                   const std::optional<Submission> s = robot.Receipt(req.matches[1]);
                   if (!s) {
                       res.status = 404;
                       res.set_content(ProblemPage(404, "no upload has that receipt"), kHtml);
                       return;
                   }
                   res.set_content(ReceiptPage(nlohmann::json::parse(s->answer), s->page), kHtml);
               });
    server.Post("/api/logs", [&robot](const httplib::Request& req, httplib::Response& res,
                                      const httplib::ContentReader& reader) {
        Upload(robot, req, res, reader, false);
    });
    server.Post("/upload", [&robot](const httplib::Request& req, httplib::Response& res,
                                    const httplib::ContentReader& reader) {
        Upload(robot, req, res, reader, true);
    });

    server.Get("/api/review", [&robot](const httplib::Request& req, httplib::Response& res) {
        if (Committee(robot, req, res)) {
            SendJson(res, 200, robot.Review());
        }
    });
    server.Get("/api/check", [&robot, &check](const httplib::Request& req, httplib::Response& res) {
        if (Committee(robot, req, res)) {
            SendJson(res, 200, check.State());
        }
    });
    server.Post("/api/check", [&robot, &check](const httplib::Request& req, httplib::Response& res,
                                               const httplib::ContentReader&) {
        if (Committee(robot, req, res)) {
            const bool started = check.Start();
            SendJson(res, started ? 202 : 409,
                     started ? nlohmann::json({{"state", "running"}})
                             : nlohmann::json({{"error", "a check is running"}}));
        }
    });
    server.Post("/api/current", [&robot](const httplib::Request& req, httplib::Response& res,
                                         const httplib::ContentReader& reader) {
        if (!Committee(robot, req, res)) {
            return;
        }
        if (const int verdict = BodyVerdict(req, kCommitteeBodyBytes)) {
            Refuse(res, verdict, VerdictText(verdict, kCommitteeBodyBytes), false);
            return;
        }
        std::string body;
        reader([&body](const char* data, size_t size) {
            body.append(data, size);
            return body.size() <= kCommitteeBodyBytes;
        });
        const nlohmann::json asked = nlohmann::json::parse(body, nullptr, false);
        if (!asked.is_object() || !asked.contains("receipt") || !asked["receipt"].is_string()) {
            SendJson(res, 400, {{"error", "send {\"receipt\": \"...\"}"}});
            return;
        }
        const Answer a = robot.MakeCurrent(asked["receipt"].get<std::string>());
        SendJson(res, a.status, a.body);
    });
}

}  // namespace host::robot
