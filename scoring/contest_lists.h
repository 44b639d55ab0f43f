// The contest's fixed name lists and the lookups on them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A list of allowed names with a membership test that ignores letter case.
class CContestRules {
  public:
    CContestRules(const char* const* table, size_t count);
    bool Contains(std::string_view name) const;
    size_t size() const { return m_names.size(); }
    const std::string& at(size_t i) const { return m_names.at(i); }

  private:
    std::vector<std::string> m_names;
};

// Allowed bands: the band slots but the first, 80m to 10m (no QSO on 160m
// is stored, though the tables keep its slot).
extern const CContestRules g_bandRules;
extern const CContestRules g_modeRules;

constexpr int kCountyCount = 30;
extern const char* const g_countyCodes[kCountyCount];

// Number of band slots: "160m", "80m", "40m", "20m", "15m", "10m".
constexpr int kBandSlots = 6;
// The whole megahertz of each band slot's frequencies: the radio's band is
// the slot of its frequency's whole megahertz.
constexpr int kBandSlotMegahertz[kBandSlots] = {1, 3, 7, 14, 21, 28};
// No band slot: what BandIndex answers for any other name, and the radio's
// band while it is not known.
constexpr int kNoBand = kBandSlots;

constexpr bool IsBandSlot(int slot) {
    return slot >= 0 && slot < kBandSlots;
}

// The bands a QSO may be stored on, "80m" to "10m": the band slots but the
// first.
constexpr int kContestBands = kBandSlots - 1;
extern const char* const* const g_contestBandNames;
// No contest band: what ContestBandIndex answers for any other name.
constexpr int kNoContestBand = kContestBands;

// A QSO's points: 10 with a YU/YT station unless the entrant is one, 1 in
// the own DXCC entity, 2 on the own continent, else 4.
int QsoPointsFor(const std::string& dxcc, const std::string& continent, bool ownIsYu,
                 const std::string& ownDxcc, const std::string& ownContinent);

bool IsCountyCode(std::string_view text);
bool IsYuPrefix(std::string_view text);
bool IsRussianUiPrefix(const std::string& text);

// 0 to 5 for "160m" to "10m" by exact comparison, kNoBand for any other.
int BandIndex(const std::string& band);
// 0 to 4 for "80m" to "10m" (g_contestBandNames) by exact comparison,
// kNoContestBand for any other.
int ContestBandIndex(const std::string& band);
// "160m" to "10m" for slots 0 to 5; "" for any other.
const char* BandSlotName(int slot);
