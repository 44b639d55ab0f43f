#include "tests/windows/ui_script.h"

#include <cstdlib>
#include <sstream>

#include "tests/support/bytes.h"

namespace testhost {
namespace {

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                word += line[i++];
            }
            words.push_back(word);
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size()) {
            const char c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\' || i == line.size()) {
                word += c;
                continue;
            }
            const char e = line[i++];
            word += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
        }
        if (!closed) {
            error = "unclosed quote";
            return false;
        }
        words.push_back(word);
    }
    return true;
}

bool OpensBlock(const std::vector<std::string>& words) {
    return words[0] == "repeat" || words[0] == "when" || words[0] == "when-macros";
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<Statement>& out, std::string& error) {
    std::vector<std::vector<Statement>*> open{&out};
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        Statement statement;
        statement.line = number;
        std::string why;
        if (!SplitWords(line, statement.words, why)) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        if (statement.words.empty() || statement.words[0][0] == '#') {
            continue;
        }
        if (statement.words[0] == "end") {
            if (open.size() == 1) {
                error = "line " + std::to_string(number) + ": end without a block";
                return false;
            }
            open.pop_back();
            continue;
        }
        open.back()->push_back(statement);
        if (OpensBlock(statement.words)) {
            open.push_back(&open.back()->back().body);
        }
    }
    if (open.size() != 1) {
        error = "a block is not closed by end";
        return false;
    }
    return true;
}

bool Need(const Statement& s, size_t least, size_t most, std::string& error) {
    const size_t n = s.words.size() - 1;
    if (n < least || n > most) {
        error = "wrong number of arguments";
        return false;
    }
    return true;
}

int Number(const std::string& word) {
    return std::atoi(word.c_str());
}

std::string Quoted(const std::string& text) {
    return "\"" + testing_support::Visible(text) + "\"";
}

}  // namespace testhost
