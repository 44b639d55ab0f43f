// The robot's pages for the entrant: the upload form, the receipt, a
// refusal, and the logs received. Plain HTML with its style inline and no
// script, readable on a phone; every text from a log or a request escaped.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace host::robot {

std::string FormPage(std::uint64_t maxLogBytes);
// The receipt of an accepted upload; scorePage (the score page of the
// upload) follows it on the same page.
std::string ReceiptPage(const nlohmann::json& answer, const std::string& scorePage);
std::string ProblemPage(int status, const std::string& why);
std::string LogsPage(const nlohmann::json& logs);

}  // namespace host::robot
