#include "host/results/site_html.h"

#include "platform/html_text.h"

namespace host {
namespace {

const char* const kStyle =
    "body { font-family: sans-serif; margin: 1em; max-width: 70em; }\n"
    "div.table { overflow-x: auto; margin-bottom: 1.5em; }\n"
    "table { border-collapse: collapse; }\n"
    "th, td { border: 1px solid #999; padding: 2px 6px; }\n"
    "td.n { text-align: right; }\n"
    "th { background: #eee; }\n"
    "pre { white-space: pre-wrap; overflow-wrap: anywhere; }\n";

}  // namespace

std::string PageHead(const std::string& title, const char* style) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
           "style-src 'unsafe-inline'\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           plat::HtmlEscaped(title) + "</title>\n<style>\n" + kStyle + style +
           "</style>\n</head>\n<body>\n";
}

std::string Cell(const std::string& html, bool number) {
    return (number ? "<td class=\"n\">" : "<td>") + html + "</td>";
}

std::string Number(long value) {
    return Cell(std::to_string(value), true);
}

std::string Table(const char* cls, const std::vector<const char*>& heads, const std::string& rows) {
    std::string text = "<div class=\"table\"><table class=\"" + std::string(cls) + "\">\n<tr>";
    for (const char* h : heads) {
        text += "<th>" + std::string(h) + "</th>";
    }
    return text + "</tr>\n" + rows + "</table></div>\n";
}

}  // namespace host
