// The QSO log in arrival order, with the indexes that let acceptance, the
// call check and removal answer without walking the whole log. Every answer
// is the one a walk in log order would give.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "scoring/cinfo.h"

class QsoLog {
  public:
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const CInfo& at(size_t i) const { return m_records[i]; }
    const std::vector<CInfo>& records() const { return m_records; }

    void Append(CInfo record);
    void RemoveAt(size_t index);
    void Clear();

    // Stored QSOs with this call, band and mode (exact comparison).
    int CountSameKey(const std::string& call, const std::string& band,
                     const std::string& mode) const;
    // The last stored QSO with this call, or null.
    const CInfo* LastWithCall(const std::string& call) const;
    // Index of the first QSO with this call, band, mode and time, or -1.
    long FindFirst(const std::string& call, const std::string& band, const std::string& mode,
                   const plat::OleDate& time) const;
    bool BandHasQsos(const std::string& band) const;
    bool BandHasDxcc(const std::string& band, const std::string& dxcc) const;

  private:
    // What the log holds for one call: one lookup answers both the dupe
    // count and the call's last QSO.
    struct BandModeCount {
        std::string band;
        std::string mode;
        int count = 0;
    };
    struct CallIndex {
        std::vector<uint64_t> seqs;         // in log order
        std::vector<BandModeCount> counts;  // few: bands and modes are checked on entry
    };

    size_t IndexOfSeq(uint64_t seq) const;
    // Position of the band and mode in index.counts, or counts.size().
    static size_t CountIndex(const CallIndex& index, const std::string& band,
                             const std::string& mode);
    static std::string Key(const std::string& a, const std::string& b);
    static void Decrement(std::unordered_map<std::string, int>& counts, const std::string& key);

    std::vector<CInfo> m_records;
    uint64_t m_nextSeq = 1;
    std::unordered_map<std::string, CallIndex> m_byCall;
    std::unordered_map<std::string, int> m_bandCount;
    std::unordered_map<std::string, int> m_bandDxccCount;  // band, DXCC prefix
};
