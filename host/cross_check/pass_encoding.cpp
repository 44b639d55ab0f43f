#include "host/cross_check/pass_encoding.h"

#include <cstdint>
#include <cstring>

#include "host/host_error.h"

namespace host {
namespace {

template <typename T>
void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

class Taker {
  public:
    explicit Taker(const std::string& bytes) : bytes_(bytes) {}
    template <typename T>
    T Take() {
        T value{};
        Need(sizeof value);
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    std::string Text(size_t size) {
        Need(size);
        at_ += size;
        return bytes_.substr(at_ - size, size);
    }

    // A count of items that take at least each bytes apiece, refused when
    // the rest of the result cannot hold them.
    size_t Count(size_t each) {
        const uint32_t n = Take<uint32_t>();
        if (uint64_t{n} * each > bytes_.size() - at_) {
            throw Fault("was cut short");
        }
        return n;
    }
    // The result ends where its contents do.
    void End() const {
        if (at_ != bytes_.size()) {
            throw Fault("is longer than its contents");
        }
    }
    static HostError Fault(const std::string& what) {
        return HostError(kExitInternal, "a result from a worker process " + what);
    }

  private:
    void Need(size_t size) const {
        if (bytes_.size() - at_ < size) {
            throw Fault("was cut short");
        }
    }
    const std::string& bytes_;
    size_t at_ = 0;
};

void PutFigures(std::string& out, const PassFigures& f) {
    for (long v : {f.qsos, f.points, f.multipliers, f.score}) {
        Put<int64_t>(out, v);
    }
}

PassFigures TakeFigures(Taker& t) {
    PassFigures f;
    for (long* v : {&f.qsos, &f.points, &f.multipliers, &f.score}) {
        *v = static_cast<long>(t.Take<int64_t>());
    }
    return f;
}

// The per-band rows go at the end of a frame, after everything else in it.
void PutBands(std::string& out, const PassFigures& f) {
    Put<uint32_t>(out, static_cast<uint32_t>(f.bands.size()));
    for (const SummaryBand& b : f.bands) {
        Put<uint32_t>(out, static_cast<uint32_t>(b.band.size()));
        out += b.band;
        for (long v : {b.qsos, b.points, b.dxcc, b.counties}) {
            Put<int64_t>(out, v);
        }
    }
}

void TakeBands(Taker& t, PassFigures& f) {
    f.bands.resize(t.Count(4 + 4 * 8));
    for (SummaryBand& b : f.bands) {
        b.band = t.Text(t.Take<uint32_t>());
        for (long* v : {&b.qsos, &b.points, &b.dxcc, &b.counties}) {
            *v = static_cast<long>(t.Take<int64_t>());
        }
    }
}

}  // namespace

std::string Encode(const ClaimedPass& pass) {
    std::string out;
    PutFigures(out, pass.figures);
    Put<uint32_t>(out, static_cast<uint32_t>(pass.status.size()));
    for (QsoStatus s : pass.status) {
        Put<uint8_t>(out, static_cast<uint8_t>(s));
    }
    Put<uint32_t>(out, static_cast<uint32_t>(pass.problems.size()));
    for (const Problem& p : pass.problems) {
        Put<int32_t>(out, p.line);
        Put<uint8_t>(out, static_cast<uint8_t>(p.kind));
        Put<uint32_t>(out, static_cast<uint32_t>(p.detail.size()));
        out += p.detail;
    }
    PutBands(out, pass.figures);
    return out;
}

ClaimedPass DecodeClaimed(const std::string& bytes) {
    Taker t(bytes);
    ClaimedPass pass;
    pass.figures = TakeFigures(t);
    pass.status.resize(t.Count(1));
    for (QsoStatus& s : pass.status) {
        const uint8_t status = t.Take<uint8_t>();
        if (status >= kQsoStatuses) {
            throw Taker::Fault("names no QSO status");
        }
        s = static_cast<QsoStatus>(status);
    }
    pass.problems.resize(t.Count(9));
    for (Problem& p : pass.problems) {
        p.line = t.Take<int32_t>();
        const uint8_t kind = t.Take<uint8_t>();
        if (kind >= kProblemKinds) {
            throw Taker::Fault("names no kind of problem");
        }
        p.kind = static_cast<ProblemKind>(kind);
        p.detail = t.Text(t.Take<uint32_t>());
    }
    TakeBands(t, pass.figures);
    t.End();
    return pass;
}

std::string Encode(const PassFigures& figures) {
    std::string out;
    PutFigures(out, figures);
    PutBands(out, figures);
    return out;
}

PassFigures DecodeFigures(const std::string& bytes) {
    Taker t(bytes);
    PassFigures f = TakeFigures(t);
    TakeBands(t, f);
    t.End();
    return f;
}

}  // namespace host
