// The pieces every page of the published results is made of: the head with
// its style and its rule that nothing on the page runs, and table cells.
#pragma once

#include <string>
#include <vector>

namespace host {

// Everything up to and including <body>; the title is escaped here. style
// adds rules of the page's own.
std::string PageHead(const std::string& title, const char* style = "");

// A cell of text already escaped; a number's is right-aligned.
std::string Cell(const std::string& html, bool number = false);
std::string Number(long value);

// A table in its scrolling box: the heading row, then the rows as given
// (each made of Cell()s). cls names the table for its style and for tests.
std::string Table(const char* cls, const std::vector<const char*>& heads, const std::string& rows);

}  // namespace host
