// The QSO log in arrival order, with the indexes that let acceptance, the
// call check and removal answer without walking the whole log. Every answer
// is the one a walk in log order would give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "scoring/chunked_list.h"
#include "scoring/cinfo.h"

class QsoLog {
  public:
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const CInfo& at(size_t i) const { return m_records[i]; }
    const ChunkedList<CInfo>& records() const { return m_records; }

    void Append(CInfo record);
    void RemoveAt(size_t index);
    void Clear();

    // The call's place in the index, made (with no QSOs yet) when the log
    // has none with it; it stays valid until Clear(). A QSO about to be
    // stored looks its call up once, for its dupe count and its append.
    size_t AddCall(const std::string& call);
    // Append(record) for a record whose call is at that place.
    void Append(size_t call, CInfo&& record);

    // Stored QSOs with this call, band and mode (exact comparison) that a new
    // QSO with them repeats. QSOs without a county are left out: the station
    // is worked again to get it, and that QSO is no dupe.
    int CountDupeTargets(const std::string& call, const std::string& band,
                         const std::string& mode) const;
    // The same for the call at a place AddCall() gave.
    int CountDupeTargets(size_t call, const std::string& band, const std::string& mode) const;
    // The last stored QSO with this call, or null.
    const CInfo* LastWithCall(const std::string& call) const;
    // Index of the first QSO with this call, band, mode and time, or -1.
    long FindFirst(const std::string& call, const std::string& band, const std::string& mode,
                   const plat::OleDate& time) const;
    bool BandHasQsos(const std::string& band) const;
    bool BandHasDxcc(const std::string& band, const std::string& dxcc) const;
    // Positions of the stored QSOs with this call (exact), in log order. The
    // cost depends on how often the call was worked, not on the log's size.
    std::vector<size_t> PositionsOfCall(const std::string& call) const;

  private:
    // What the log holds for one call: one lookup answers both the dupe
    // count and the call's last QSO.
    struct BandModeCount {
        size_t bandMode = 0;  // position in m_bandModes
        int count = 0;
    };
    // Its lists take their storage from m_indexArena.
    struct CallIndex {
        std::string call;
        size_t hash = 0;                  // of the call, kept for the table's growth
        std::pmr::vector<uint64_t> seqs;  // in log order; empty once all were removed
        // Dupe targets per band and mode; few, since bands and modes are
        // checked on entry.
        std::pmr::vector<BandModeCount> counts;
    };
    static constexpr size_t kNoCall = static_cast<size_t>(-1);

    size_t IndexOfSeq(uint64_t seq) const;
    // Position of the call in m_calls, or kNoCall.
    size_t FindCall(const std::string& call) const;
    size_t FindCall(const std::string& call, size_t hash) const;
    // Eight bytes, so that the table of the largest logs stays in cache.
    struct CallSlot {
        uint32_t tag = 0;       // the call's hash folded to 32 bits
        uint32_t position = 0;  // in m_calls plus one; 0 for a free slot
    };
    static uint32_t Tag(size_t hash) {
        return static_cast<uint32_t>(static_cast<uint64_t>(hash) ^
                                     (static_cast<uint64_t>(hash) >> 32));
    }
    void PlaceCall(size_t hash, uint32_t position);
    void RebuildCallSlots(size_t slotCount);
    // Position of the band and mode spelling in m_bandModes, or its size.
    size_t BandModeId(const std::string& band, const std::string& mode) const;
    // Position of the band and mode in index.counts, or counts.size().
    static size_t CountIndex(const CallIndex& index, size_t bandMode);
    static std::string Key(const std::string& a, const std::string& b);
    static void Decrement(std::unordered_map<std::string, int>& counts, const std::string& key);
    // Brings the band and DXCC counts up to the whole log.
    void CountBands() const;

    ChunkedList<CInfo> m_records;
    uint64_t m_nextSeq = 1;
    // Storage for the calls' lists, given back all at once by Clear(): most
    // calls of a log are worked a few times, and a contest's logs are loaded
    // one after another, so two small allocations and releases per call
    // would be much of the cost of loading a log. Declared before m_calls,
    // whose lists live in it.
    std::pmr::monotonic_buffer_resource m_indexArena;
    // The calls in order of first arrival, and an open-addressing table over
    // them (a power of two in size, at most half full). On the largest logs a
    // lookup touches one slot and one entry rather than a chain of separately
    // allocated nodes. Entries stay until Clear().
    ChunkedList<CallIndex> m_calls;
    // The band and mode spellings counted since Clear(): few, since both are
    // checked on entry, and numbered so a call's counts stay small.
    std::vector<std::pair<std::string, std::string>> m_bandModes;
    mutable size_t m_lastBandMode = 0;  // the pair BandModeId() found last
    std::vector<CallSlot> m_callSlots;
    // The QSOs per band and per band and DXCC prefix, which only the call
    // check asks for. They count the first m_bandsCounted records and catch
    // up when asked, so that loading a log does not pay for them with every
    // QSO.
    mutable size_t m_bandsCounted = 0;
    mutable std::unordered_map<std::string, int> m_bandCount;
    mutable std::unordered_map<std::string, int> m_bandDxccCount;  // band, DXCC prefix
};
