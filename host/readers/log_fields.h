// What the Cabrillo and ADIF readers share: reading numbers, dates and times
// from a log's text, the amateur bands, line ends, and the last touches every
// QSO gets before it is kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/readers/contest_log.h"

namespace host {

bool AllDigits(std::string_view s);
// A decimal number such as 14025 or 14.025; false for anything else.
bool ParseNumber(std::string_view s, double& out);
// "2026-12-05" (Cabrillo) or "20261205" (ADIF), month 1 to 12 and day 1 to
// 31; the day may still not exist (2026-02-30).
bool ParseDate(std::string_view s, LogTime& t);
// "1432" or, in ADIF, "143205".
bool ParseClock(std::string_view s, LogTime& t);
// The date (and time) is a real one.
bool ValidTime(const LogTime& t);

// The frequency in Hz, false when it does not fit the plug-in's 32 bits.
bool HzOfKHz(double kHz, unsigned& hz);
// The lowest frequency of a band named "20m", 0 for an unknown band.
double BandLowKHz(const std::string& band);
// The band of a frequency in kHz: "160m" to "10m", "60m", "6m", "2m", or
// empty when it lies on no amateur band.
std::string BandOfKHz(double kHz);
// "CW" and "SSB" for the log's CW and phone modes, any other mode unchanged
// (upper case).
std::string ContestMode(std::string_view logMode);

// The line end at text[at], CR LF, LF or CR alone: its length, or 0 when
// text[at] ends no line.
size_t LineEndAt(std::string_view text, size_t at);

// The own call most QSOs carry (the first of equals), and on how many; empty
// when none carries one.
std::string QsoLinesCall(const std::vector<LogQso>& qsos, size_t& carrying);

// Fills in what the log left out and puts the exchanges in their normal form.
void FinishQso(LogQso& q);

}  // namespace host
