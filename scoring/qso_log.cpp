#include "scoring/qso_log.h"

#include <algorithm>

// Text arguments never hold a NUL, so it separates the parts of a key.
std::string QsoLog::Key(const std::string& a, const std::string& b) {
    std::string key;
    key.reserve(a.size() + b.size() + 1);
    key.append(a).push_back('\0');
    key.append(b);
    return key;
}

size_t QsoLog::CountIndex(const CallIndex& index, const std::string& band,
                          const std::string& mode) {
    size_t i = 0;
    while (i < index.counts.size() &&
           (index.counts[i].band != band || index.counts[i].mode != mode)) {
        ++i;
    }
    return i;
}

void QsoLog::Decrement(std::unordered_map<std::string, int>& counts, const std::string& key) {
    auto it = counts.find(key);
    if (it != counts.end() && --it->second <= 0) {
        counts.erase(it);
    }
}

void QsoLog::Append(CInfo record) {
    record.m_seq = m_nextSeq++;
    CallIndex& index = m_byCall[record.m_call];
    index.seqs.push_back(record.m_seq);
    const size_t k = CountIndex(index, record.m_band, record.m_mode);
    if (k < index.counts.size()) {
        ++index.counts[k].count;
    } else {
        index.counts.push_back({record.m_band, record.m_mode, 1});
    }
    ++m_bandCount[record.m_band];
    ++m_bandDxccCount[Key(record.m_band, record.m_dxcc)];
    m_records.push_back(std::move(record));
}

void QsoLog::RemoveAt(size_t index) {
    const CInfo& r = m_records.at(index);
    Decrement(m_bandCount, r.m_band);
    Decrement(m_bandDxccCount, Key(r.m_band, r.m_dxcc));
    auto calls = m_byCall.find(r.m_call);
    if (calls != m_byCall.end()) {
        CallIndex& entry = calls->second;
        entry.seqs.erase(std::lower_bound(entry.seqs.begin(), entry.seqs.end(), r.m_seq));
        const size_t k = CountIndex(entry, r.m_band, r.m_mode);
        if (k < entry.counts.size() && --entry.counts[k].count <= 0) {
            entry.counts.erase(entry.counts.begin() + static_cast<std::ptrdiff_t>(k));
        }
        if (entry.seqs.empty()) {
            m_byCall.erase(calls);
        }
    }
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

void QsoLog::Clear() {
    m_records.clear();
    m_byCall.clear();
    m_bandCount.clear();
    m_bandDxccCount.clear();
}

size_t QsoLog::IndexOfSeq(uint64_t seq) const {
    auto it = std::lower_bound(m_records.begin(), m_records.end(), seq,
                               [](const CInfo& r, uint64_t s) { return r.m_seq < s; });
    return static_cast<size_t>(it - m_records.begin());
}

int QsoLog::CountSameKey(const std::string& call, const std::string& band,
                         const std::string& mode) const {
    auto it = m_byCall.find(call);
    if (it == m_byCall.end()) {
        return 0;
    }
    const size_t k = CountIndex(it->second, band, mode);
    return k < it->second.counts.size() ? it->second.counts[k].count : 0;
}

const CInfo* QsoLog::LastWithCall(const std::string& call) const {
    auto it = m_byCall.find(call);
    if (it == m_byCall.end() || it->second.seqs.empty()) {
        return nullptr;
    }
    return &m_records[IndexOfSeq(it->second.seqs.back())];
}

long QsoLog::FindFirst(const std::string& call, const std::string& band, const std::string& mode,
                       const plat::OleDate& time) const {
    auto it = m_byCall.find(call);
    if (it == m_byCall.end()) {
        return -1;
    }
    for (uint64_t seq : it->second.seqs) {
        const size_t i = IndexOfSeq(seq);
        const CInfo& r = m_records[i];
        if (r.m_band == band && r.m_mode == mode && plat::OleDatesEqual(r.m_time, time)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

bool QsoLog::BandHasQsos(const std::string& band) const {
    return m_bandCount.count(band) != 0;
}

bool QsoLog::BandHasDxcc(const std::string& band, const std::string& dxcc) const {
    return m_bandDxccCount.count(Key(band, dxcc)) != 0;
}
