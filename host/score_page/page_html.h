// The score page: one self-contained HTML file (inline CSS and SVG, no
// script, nothing fetched) that shows a scored log at a glance and prints on
// A4.
#pragma once

#include <string>

#include "host/score_page/page_data.h"

namespace host {

std::string ScorePageHtml(const PageData& d);

// Writes the page; throws InputError when the file cannot be written.
void WriteScorePage(const std::string& path, const PageData& d);

}  // namespace host
