// The labels of the results summary as text, in one header-only place: the
// plug-in writes the summary (text_summary.cpp), and a host that reads its
// figures back (the stand-in host) needs the same labels without linking the
// engine.
#pragma once

// The heading: the contest with its dates, the contestant with the own call,
// then the column names.
constexpr const char* kSummaryContest = "    DI-VE-RI  ";
constexpr const char* kSummaryContestant = "\tContestant: ";
constexpr const char* kSummaryColumns = "\tQSOs\tPoints\tDXCC\tYU-County";

// What starts each line after the band rows, in their order.
constexpr const char* kSummaryTotal = "Total\t";
constexpr const char* kSummaryDupe = "Dupe\t";
constexpr const char* kSummaryBadQso = "Bad QSO\t";
constexpr const char* kSummaryScore = "Score: ";
constexpr const char* kSummaryLastPoints = "Last QSO points: ";
constexpr const char* kSummaryRate = "Rate";
constexpr const char* kSummaryQsoRate = "Hourly (10min/1 hour) QSO rate: ";
constexpr const char* kSummaryPointsRate = "Hourly (10min/1 hour) pts rate: ";
