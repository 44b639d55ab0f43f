#include "host/robot/pages.h"

#include "host/score_page/page_text.h"

namespace host::robot {
namespace {

const char* const kStyle = R"(<style>
body{font-family:sans-serif;margin:0 auto;padding:0 1em;max-width:50em;line-height:1.4}
h1{font-size:1.4em}
label{display:block;margin:.8em 0 .2em}
input,button{font-size:1em;max-width:100%;box-sizing:border-box}
button{margin-top:1em;padding:.4em 1.2em}
table{border-collapse:collapse;width:100%}
td,th{border-bottom:1px solid #ccc;padding:.2em .4em;text-align:left;vertical-align:top;overflow-wrap:anywhere}
.receipt{font-family:monospace;font-size:1.1em;overflow-wrap:anywhere}
.refused{color:#a00}
.scroll{overflow-x:auto}
#receipt-box{max-width:1200px;margin:0 auto;padding:0 16px}
#receipt-box th,#receipt-box td{white-space:normal;text-align:left}
#receipt-box li{margin:.2em 0}
</style>)";

std::string Head(const std::string& title) {
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>" +
           HtmlText(title) + "</title>\n" + kStyle + "</head>\n";
}

std::string Text(const nlohmann::json& v) {
    if (v.is_string()) {
        return HtmlText(v.get<std::string>());
    }
    return v.is_null() ? "none" : HtmlText(v.dump());
}

}  // namespace

std::string FormPage(std::uint64_t maxLogBytes) {
    return Head("YU DX contest: send your log") +
           "<body><h1>YU DX contest: send your log</h1>\n"
           "<p>Send your Cabrillo or ADIF log. It is scored at once; you see what the robot "
           "found and get a receipt. A new log of the same call replaces the earlier one.</p>\n"
           "<form method=\"post\" action=\"/upload\" enctype=\"multipart/form-data\">\n"
           "<label for=\"log\">Your log (at most " +
           std::to_string(maxLogBytes) +
           " bytes)</label>\n"
           "<input type=\"file\" id=\"log\" name=\"log\" required>\n"
           "<label for=\"email\">Your e-mail (optional, for the committee only)</label>\n"
           "<input type=\"email\" id=\"email\" name=\"email\" size=\"30\">\n"
           "<div><button type=\"submit\" id=\"send\">Send the log</button></div>\n"
           "</form>\n<p><a href=\"/logs\">Logs received</a></p>\n</body></html>\n";
}

std::string ReceiptPage(const nlohmann::json& a, const std::string& scorePage) {
    std::string html = Head("Receipt " + a.value("receipt", std::string())) +
                       "<body><section id=\"receipt-box\"><h1>Your log was received</h1>\n";
    if (a.value("unchanged", false)) {
        html +=
            "<p id=\"unchanged\">These are the same bytes as your current log; nothing "
            "changed. Your receipt is still:</p>\n";
    } else {
        html += "<p>Keep your receipt: it shows this page again.</p>\n";
    }
    html += "<p class=\"receipt\" id=\"receipt\">" + Text(a["receipt"]) + "</p>\n<table>\n";
    html += "<tr><th>Call</th><td id=\"call\">" + Text(a["call"]) + "</td></tr>\n";
    html += "<tr><th>Category</th><td id=\"category\">" + Text(a["category"]) + "</td></tr>\n";
    html += "<tr><th>Claimed score</th><td id=\"claimed-score\">" + Text(a["claimed_score"]) +
            "</td></tr>\n";
    html += "<tr><th>QSOs</th><td id=\"qsos\">" + Text(a["qsos"]) + "</td></tr>\n";
    if (!a["replaces"].is_null()) {
        html +=
            "<tr><th>Replaces</th><td class=\"receipt\">" + Text(a["replaces"]) + "</td></tr>\n";
    }
    html += "</table>\n";
    if (!a["warnings"].empty()) {
        html += "<h2>Warnings</h2><ul id=\"warnings\">\n";
        for (const nlohmann::json& w : a["warnings"]) {
            html += "<li>" + Text(w) + "</li>\n";
        }
        html += "</ul>\n";
    }
    html += "<h2>Problems</h2>\n";
    if (a["problems"].empty()) {
        html += "<p id=\"problems\">None: every QSO counts.</p>\n";
    } else {
        html += "<ul id=\"problems\">\n";
        for (const nlohmann::json& p : a["problems"]) {
            html += "<li>line " + Text(p["line"]) + ": " + Text(p["kind"]) +
                    (p["detail"].get<std::string>().empty() ? "" : ": " + Text(p["detail"])) +
                    "</li>\n";
        }
        html += "</ul>\n";
    }
    html += "<p><a href=\"/\">Send another log</a></p></section>\n";
    // The score page's own body follows, its style kept.
    const size_t body = scorePage.find("<body>");
    const size_t end = scorePage.rfind("</body>");
    const size_t style = scorePage.find("<style>");
    const size_t styleEnd = scorePage.find("</style>");
    if (body != std::string::npos && end != std::string::npos && end > body) {
        if (style != std::string::npos && styleEnd != std::string::npos && styleEnd < body) {
            html.insert(html.find("</head>"), scorePage.substr(style, styleEnd + 8 - style));
        }
        html += "<hr>\n" + scorePage.substr(body + 6, end - body - 6);
    }
    return html + "</body></html>\n";
}

std::string ProblemPage(int status, const std::string& why) {
    return Head("Your log was not taken") +
           "<body><h1>Your log was not taken</h1>\n<p class=\"refused\" id=\"error\">" +
           HtmlText(why) + "</p>\n<p>(HTTP " + std::to_string(status) +
           ") Nothing of it was stored. <a href=\"/\">Send a log</a></p>\n</body></html>\n";
}

std::string LogsPage(const nlohmann::json& logs) {
    std::string html = Head("Logs received") +
                       "<body><h1>Logs received</h1>\n<div class=\"scroll\"><table id=\"logs\">"
                       "<tr><th>Call</th><th>Category</th><th>Received (UTC)</th></tr>\n";
    for (const nlohmann::json& l : logs["logs"]) {
        html += "<tr><td>" + Text(l["call"]) + "</td><td>" + Text(l["category"]) + "</td><td>" +
                Text(l["received"]) + "</td></tr>\n";
    }
    return html + "</table></div>\n<p><a href=\"/\">Send a log</a></p>\n</body></html>\n";
}

}  // namespace host::robot
