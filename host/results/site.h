// The published results: an index page with one table per category and
// section, the best of each DXCC entity and continent, the logs received and
// the checklogs; and one page per entrant with its report. Plain HTML and
// CSS, nothing that runs, every text escaped, readable on a narrow screen.
// Logs are named by their file name only; no header field but the call and
// the category is shown.
#pragma once

#include <string>

#include "host/cross_check/checked_contest.h"

namespace host {

// The index page. With links, each call links to its page in entrants/.
std::string ResultsIndexPage(const CheckedContest& c, bool links);

// Writes DIR/index.html and DIR/entrants/<CALL>.html (removing the pages of
// logs no longer checked); the index last, so that it never links to a page
// that is not there yet. Throws InputError when a page cannot be written.
void WriteSite(const std::string& dir, const CheckedContest& c);

}  // namespace host
