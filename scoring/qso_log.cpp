#include "scoring/qso_log.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

// Text arguments never hold a NUL, so it separates the parts of a key.
std::string QsoLog::Key(const std::string& a, const std::string& b) {
    std::string key;
    key.reserve(a.size() + b.size() + 1);
    key.append(a).push_back('\0');
    key.append(b);
    return key;
}

size_t QsoLog::BandModeId(const std::string& band, const std::string& mode) const {
    auto isPair = [&](size_t id) {
        return m_bandModes[id].first == band && m_bandModes[id].second == mode;
    };
    // An operator stays on a band and mode for a while: the pair found last
    // is tried first.
    if (m_lastBandMode < m_bandModes.size() && isPair(m_lastBandMode)) {
        return m_lastBandMode;
    }
    size_t id = 0;
    while (id < m_bandModes.size() && !isPair(id)) {
        ++id;
    }
    if (id < m_bandModes.size()) {
        m_lastBandMode = id;
    }
    return id;
}

size_t QsoLog::CountIndex(const CallIndex& index, size_t bandMode) {
    size_t i = 0;
    while (i < index.counts.size() && index.counts[i].bandMode != bandMode) {
        ++i;
    }
    return i;
}

size_t QsoLog::FindCall(const std::string& call) const {
    return FindCall(call, std::hash<std::string>()(call));
}

size_t QsoLog::FindCall(const std::string& call, size_t hash) const {
    if (m_callSlots.empty()) {
        return kNoCall;
    }
    const size_t mask = m_callSlots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const CallSlot& held = m_callSlots[slot];
        if (held.position == 0) {
            return kNoCall;
        }
        // The hash is compared first, so other calls' entries stay untouched.
        if (held.tag == Tag(hash) && m_calls[held.position - 1].call == call) {
            return held.position - 1;
        }
    }
}

size_t QsoLog::AddCall(const std::string& call) {
    const size_t hash = std::hash<std::string>()(call);
    const size_t found = FindCall(call, hash);
    if (found != kNoCall) {
        return found;
    }
    // At most half the slots in use, so probes stay short.
    if ((m_calls.size() + 1) * 2 > m_callSlots.size()) {
        RebuildCallSlots(std::max<size_t>(64, m_callSlots.size() * 2));
    }
    m_calls.emplace_back(CallIndex{call, hash, std::pmr::vector<uint64_t>(&m_indexArena),
                                   std::pmr::vector<BandModeCount>(&m_indexArena)});
    PlaceCall(hash, static_cast<uint32_t>(m_calls.size()));
    return m_calls.size() - 1;
}

void QsoLog::PlaceCall(size_t hash, uint32_t position) {
    const size_t mask = m_callSlots.size() - 1;
    size_t slot = hash & mask;
    while (m_callSlots[slot].position != 0) {
        slot = (slot + 1) & mask;
    }
    m_callSlots[slot] = {Tag(hash), position};
}

void QsoLog::RebuildCallSlots(size_t slotCount) {
    m_callSlots.assign(slotCount, CallSlot());
    for (size_t i = 0; i < m_calls.size(); ++i) {
        PlaceCall(m_calls[i].hash, static_cast<uint32_t>(i + 1));
    }
}

void QsoLog::Decrement(std::unordered_map<std::string, int>& counts, const std::string& key) {
    auto it = counts.find(key);
    if (it != counts.end() && --it->second <= 0) {
        counts.erase(it);
    }
}

void QsoLog::Append(CInfo record) {
    const size_t call = AddCall(record.m_call);
    Append(call, std::move(record));
}

void QsoLog::Append(size_t call, CInfo&& record) {
    record.m_seq = m_nextSeq++;
    CallIndex& index = m_calls[call];
    if (index.seqs.empty()) {
        index.seqs.reserve(4);  // most calls are worked a few times
    }
    index.seqs.push_back(record.m_seq);
    if (record.MakesLaterDupes()) {
        const size_t bandMode = BandModeId(record.m_band, record.m_mode);
        if (bandMode == m_bandModes.size()) {
            m_bandModes.emplace_back(record.m_band, record.m_mode);
        }
        const size_t k = CountIndex(index, bandMode);
        if (k < index.counts.size()) {
            ++index.counts[k].count;
        } else {
            index.counts.push_back({bandMode, 1});
        }
    }
    m_records.push_back(std::move(record));
}

void QsoLog::CountBands() const {
    for (; m_bandsCounted < m_records.size(); ++m_bandsCounted) {
        const CInfo& r = m_records[m_bandsCounted];
        ++m_bandCount[r.m_band];
        ++m_bandDxccCount[Key(r.m_band, r.m_dxcc)];
    }
}

void QsoLog::RemoveAt(size_t index) {
    if (index >= m_records.size()) {
        throw std::out_of_range("no QSO at that place in the log");
    }
    const CInfo& r = m_records[index];
    if (index < m_bandsCounted) {
        Decrement(m_bandCount, r.m_band);
        Decrement(m_bandDxccCount, Key(r.m_band, r.m_dxcc));
        --m_bandsCounted;
    }
    const size_t call = FindCall(r.m_call);
    if (call != kNoCall) {
        CallIndex& entry = m_calls[call];
        entry.seqs.erase(std::lower_bound(entry.seqs.begin(), entry.seqs.end(), r.m_seq));
        const size_t k = r.MakesLaterDupes() ? CountIndex(entry, BandModeId(r.m_band, r.m_mode))
                                             : entry.counts.size();
        if (k < entry.counts.size() && --entry.counts[k].count <= 0) {
            entry.counts.erase(entry.counts.begin() + static_cast<std::ptrdiff_t>(k));
        }
    }
    m_records.erase(index);
}

void QsoLog::Clear() {
    m_records.clear();
    m_calls.clear();
    m_indexArena.release();
    m_bandModes.clear();
    m_lastBandMode = 0;
    m_callSlots.clear();
    m_bandsCounted = 0;
    m_bandCount.clear();
    m_bandDxccCount.clear();
}

size_t QsoLog::IndexOfSeq(uint64_t seq) const {
    // The first record whose arrival number is not below seq.
    size_t low = 0;
    size_t high = m_records.size();
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (m_records[mid].m_seq < seq) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low;
}

int QsoLog::CountDupeTargets(const std::string& call, const std::string& band,
                             const std::string& mode) const {
    const size_t found = FindCall(call);
    return found == kNoCall ? 0 : CountDupeTargets(found, band, mode);
}

int QsoLog::CountDupeTargets(size_t call, const std::string& band, const std::string& mode) const {
    const CallIndex& entry = m_calls[call];
    const size_t k = CountIndex(entry, BandModeId(band, mode));
    return k < entry.counts.size() ? entry.counts[k].count : 0;
}

const CInfo* QsoLog::LastWithCall(const std::string& call) const {
    const size_t found = FindCall(call);
    if (found == kNoCall || m_calls[found].seqs.empty()) {
        return nullptr;
    }
    return &m_records[IndexOfSeq(m_calls[found].seqs.back())];
}

long QsoLog::FindFirst(const std::string& call, const std::string& band, const std::string& mode,
                       const plat::OleDate& time) const {
    const size_t found = FindCall(call);
    if (found == kNoCall) {
        return -1;
    }
    for (uint64_t seq : m_calls[found].seqs) {
        const size_t i = IndexOfSeq(seq);
        const CInfo& r = m_records[i];
        if (r.m_band == band && r.m_mode == mode && plat::OleDatesEqual(r.m_time, time)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

bool QsoLog::BandHasQsos(const std::string& band) const {
    CountBands();
    return m_bandCount.count(band) != 0;
}

bool QsoLog::BandHasDxcc(const std::string& band, const std::string& dxcc) const {
    CountBands();
    return m_bandDxccCount.count(Key(band, dxcc)) != 0;
}

std::vector<size_t> QsoLog::PositionsOfCall(const std::string& call) const {
    std::vector<size_t> positions;
    const size_t found = FindCall(call);
    if (found != kNoCall) {
        positions.reserve(m_calls[found].seqs.size());
        for (uint64_t seq : m_calls[found].seqs) {
            positions.push_back(IndexOfSeq(seq));
        }
    }
    return positions;
}
