// The stand-in host's script: one command per line, words separated by
// blanks, "quoted words" with \" \\ \n \r \t, # starts a comment line.
// "repeat N" and "when CAPTION [MS]" open blocks that "end" closes.
#pragma once

#include <string>
#include <vector>

namespace testhost {

struct Statement {
    int line = 0;
    std::vector<std::string> words;
    std::vector<Statement> body;  // of a block
};

// Parses the script; false with a message naming the line on a syntax error.
bool ParseScript(const std::string& text, std::vector<Statement>& out, std::string& error);

// True when the statement has from `least` to `most` arguments; otherwise
// false with the reason in `error`.
bool Need(const Statement& s, size_t least, size_t most, std::string& error);

// A word as a number (0 when it is none), and a text quoted for messages.
int Number(const std::string& word);
std::string Quoted(const std::string& text);

}  // namespace testhost
