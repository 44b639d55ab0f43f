#include "ui/prev_qso_grid.h"

#include <cstddef>

#include "platform/ole_date.h"
#include "scoring/contest_lists.h"

namespace ui {

const char* const kEmptyGridCell = "   -";

namespace {

constexpr size_t kCellsPerRow = 6;
constexpr size_t kCwCell = 1;
constexpr size_t kSsbCell = 2;
constexpr size_t kExchangeCell = 3;
constexpr size_t kLastFilledCell = 4;

}  // namespace

void ClearPrevQsoCells(BandLists& rows) {
    for (size_t b = 0; b < rows.size(); ++b) {
        std::vector<std::string>& row = rows[b];
        if (row.empty()) {
            row.push_back(BandSlotName(static_cast<int>(b)));
        }
        if (row.size() < kCellsPerRow) {
            row.resize(kCellsPerRow, "-");
        }
        for (size_t cell = kCwCell; cell <= kLastFilledCell; ++cell) {
            row[cell] = kEmptyGridCell;
        }
    }
}

void FillPrevQsoCells(const QsoLog& log, const std::string& call, BandLists& rows) {
    if (call.empty()) {
        return;
    }
    for (size_t position : log.PositionsOfCall(call)) {
        const CInfo& qso = log.at(position);
        const int band = BandIndex(qso.m_band);
        if (!IsBandSlot(band)) {
            continue;
        }
        std::vector<std::string>& row = rows[static_cast<size_t>(band)];
        if (row.size() <= kExchangeCell) {
            continue;  // ClearPrevQsoCells makes every row long enough
        }
        if (qso.m_mode == "CW") {
            row[kCwCell] = plat::FormatOleDate(qso.m_time, "%H:%M");
        } else if (qso.m_mode == "SSB") {
            row[kSsbCell] = plat::FormatOleDate(qso.m_time, "%H:%M");
        }
        row[kExchangeCell] = IsYuPrefix(qso.m_dxcc) ? qso.m_county : qso.m_exchRcvd;
    }
}

}  // namespace ui
