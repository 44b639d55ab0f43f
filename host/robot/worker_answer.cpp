#include "host/robot/worker_answer.h"

#include <cctype>
#include <sstream>

#include "host/robot/durable_files.h"

namespace host::robot {

std::string InUploadersWords(const std::string& message, const std::string& upload) {
    std::string text = message;
    for (size_t at = text.find(upload); at != std::string::npos; at = text.find(upload, at)) {
        size_t end = at + upload.size();
        std::string put;
        if (end < text.size() && text[end] == ':') {
            size_t digits = end + 1;
            while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
                ++digits;
            }
            if (digits > end + 1) {
                put = "line " + text.substr(end + 1, digits - end - 1);
                end = digits;
            } else {
                end = end + 1;
                while (end < text.size() && text[end] == ' ') {
                    ++end;
                }
            }
        }
        text.replace(at, end - at, put);
        at += put.size();
    }
    const size_t advice = text.find("; give ");
    if (advice != std::string::npos) {
        text.erase(advice);
    }
    return text.empty() ? "the log cannot be used" : text;
}

namespace {

// "UPLOAD:LINE: kind: detail" lines of score --problems.
nlohmann::json Problems(const std::string& text, const std::string& upload) {
    nlohmann::json list = nlohmann::json::array();
    std::istringstream lines(text);
    std::string line;
    const std::string prefix = upload + ":";
    while (std::getline(lines, line)) {
        if (line.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string rest = line.substr(prefix.size());
        const size_t colon = rest.find(": ");
        if (colon == std::string::npos || colon == 0 ||
            rest.find_first_not_of("0123456789") != colon) {
            continue;
        }
        const std::string what = rest.substr(colon + 2);
        const size_t split = what.find(": ");
        list.push_back({{"line", std::stoi(rest.substr(0, colon))},
                        {"kind", what.substr(0, split)},
                        {"detail", split == std::string::npos ? "" : what.substr(split + 2)}});
    }
    return list;
}

// What the scoring said on standard error but its closing line of counts.
nlohmann::json Warnings(const std::string& errorText, const std::string& upload) {
    nlohmann::json list = nlohmann::json::array();
    std::istringstream lines(errorText);
    std::string line;
    const std::string tag = "stats-host: ";
    while (std::getline(lines, line)) {
        if (line.compare(0, tag.size(), tag) == 0) {
            line.erase(0, tag.size());
        }
        if (line.empty() || line.find(" QSOs read, ") != std::string::npos) {
            continue;
        }
        list.push_back(InUploadersWords(line, upload));
    }
    return list;
}

}  // namespace

nlohmann::json ReadWorkerAnswer(const WorkerFiles& files, const std::string& upload,
                                const std::string& errorText, Submission& s) {
    const nlohmann::json score = nlohmann::json::parse(ReadWhole(files.json));
    const nlohmann::json entry = nlohmann::json::parse(ReadWhole(files.entry));
    s.call = entry.at("call").get<std::string>();
    s.category = entry.at("category").get<std::string>();
    s.extension = entry.at("extension").get<std::string>();
    s.claimedScore = score.at("score").get<std::int64_t>();
    s.qsos = score.at("totals").at("qsos").get<std::int64_t>();
    s.page = ReadWhole(files.page);
    nlohmann::json warnings = Warnings(errorText, upload);
    for (const nlohmann::json& w : entry.at("warnings")) {
        warnings.push_back(w);
    }
    return {{"receipt", nullptr},
            {"call", s.call},
            {"category", s.category.empty() ? nlohmann::json(nullptr) : nlohmann::json(s.category)},
            {"claimed_score", s.claimedScore},
            {"qsos", s.qsos},
            {"problems", Problems(ReadWhole(files.problems), upload)},
            {"warnings", warnings},
            {"replaces", nullptr}};
}

}  // namespace host::robot
