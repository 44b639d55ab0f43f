#include "scoring/contest_lists.h"

#include <cstring>

#include "platform/plain_text.h"

namespace {

// The one table of band names, in slot order.
const char* const kBandSlotNames[kBandSlots] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const char* const kModeNames[] = {"CW", "SSB"};
const char* const kRussianUiPrefixes[] = {"UA", "UA2", "UA2/f", "UR", "UN", "EU"};

}  // namespace

const char* const* const g_contestBandNames = kBandSlotNames + 1;
const CContestRules g_bandRules(g_contestBandNames, kContestBands);
const CContestRules g_modeRules(kModeNames, 2);

const char* const g_countyCodes[kCountyCount] = {
    "BGD", "BOR", "BRA", "JAB", "JBB", "JBN", "KMO", "KOL", "KOS", "KPO",
    "MAC", "MOR", "NIS", "PCI", "PEC", "PIR", "POD", "POM", "PRI", "RAN",
    "RAS", "SBB", "SBN", "SBT", "SRM", "SUM", "TOP", "ZAJ", "ZBB", "ZLA"};

CContestRules::CContestRules(const char* const* table, size_t count) {
    m_names.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        m_names.emplace_back(table[i]);
    }
}

bool CContestRules::Contains(std::string_view name) const {
    for (const std::string& entry : m_names) {
        if (plat::EqualIgnoringAsciiCase(entry, name)) {
            return true;
        }
    }
    return false;
}

bool IsCountyCode(std::string_view text) {
    for (const char* code : g_countyCodes) {
        if (text == code) {
            return true;
        }
    }
    return false;
}

bool IsYuPrefix(std::string_view text) {
    return text == "YU" || text == "YT";
}

bool IsRussianUiPrefix(const std::string& text) {
    for (const char* prefix : kRussianUiPrefixes) {
        if (text == prefix) {
            return true;
        }
    }
    return false;
}

int QsoPointsFor(const std::string& dxcc, const std::string& continent, bool ownIsYu,
                 const std::string& ownDxcc, const std::string& ownContinent) {
    if (!ownIsYu && IsYuPrefix(dxcc)) {
        return 10;
    }
    if (dxcc == ownDxcc) {
        return 1;
    }
    return continent == ownContinent ? 2 : 4;
}

int BandIndex(const std::string& band) {
    for (int i = 0; i < kBandSlots; ++i) {
        if (band == kBandSlotNames[i]) {
            return i;
        }
    }
    return kNoBand;
}

int ContestBandIndex(const std::string& band) {
    const int slot = BandIndex(band);
    return slot >= 1 && slot < kBandSlots ? slot - 1 : kNoContestBand;
}

const char* BandSlotName(int slot) {
    return IsBandSlot(slot) ? kBandSlotNames[slot] : "";
}
